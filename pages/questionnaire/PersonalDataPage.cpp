#include "PersonalDataPage.h"

#include "AssessmentRecord.h"
#include "Controls.h"
#include "Fonts.h"
#include "Messages.h"
#include "PageFactories.h"
#include "PersonalDataEntry.h"
#include "QuestionnaireControls.h"

#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tellumo {

namespace {

using namespace questionnaire;

struct LabelText {
    const char* name;
    const char* text;
    bool centred;
};

constexpr LabelText Labels[] = {
    {"titleLabel", "個人データ", true},
    {"nameLabel", "氏名", false},
    {"sexLabel", "性別", false},
    {"ageLabel", "年齢", false},
    {"ageUnit", "歳", false},
    {"heightLabel", "身長", false},
    {"heightUnit", "cm", false},
    {"weightLabel", "体重", false},
    {"weightUnit", "kg", false},
    {"bloodTypeLabel", "血液型", false},
    {"bodyFatLabel", "体脂肪率", false},
    {"bodyFatUnit", "%（測定した方のみ）", false},
    {"skinToneLabel", "肌の濃さ", false},
};

// The option buttons of one group; a button's id in its group is the
// choice it stands for.
struct OptionText {
    const char* name;
    const char* caption;
    int id;
};

constexpr OptionText SexOptions[] = {
    {"maleOption", "男性", static_cast<int>(Sex::Male)},
    {"femaleOption", "女性", static_cast<int>(Sex::Female)},
};
constexpr OptionText BloodTypeOptions[] = {
    {"bloodTypeO", "O", static_cast<int>(BloodType::O)},
    {"bloodTypeA", "A", static_cast<int>(BloodType::A)},
    {"bloodTypeB", "B", static_cast<int>(BloodType::B)},
    {"bloodTypeAB", "AB", static_cast<int>(BloodType::AB)},
};
constexpr OptionText SkinToneOptions[] = {
    {"darkSkinOption", "色黒", static_cast<int>(SkinTone::Dark)},
    {"normalSkinOption", "普通", static_cast<int>(SkinTone::Normal)},
    {"fairSkinOption", "色白", static_cast<int>(SkinTone::Fair)},
};

// The label that names each field or group, and the label after a field
// that gives its unit: what assistive technology reads for the control.
struct Naming {
    const char* control;
    const char* label;
    const char* unit;
};

constexpr Naming FieldNames[] = {
    {"nameField", "nameLabel", nullptr},
    {"sexGroup", "sexLabel", nullptr},
    {"ageField", "ageLabel", "ageUnit"},
    {"heightField", "heightLabel", "heightUnit"},
    {"weightField", "weightLabel", "weightUnit"},
    {"bloodTypeGroup", "bloodTypeLabel", nullptr},
    {"bodyFatField", "bodyFatLabel", "bodyFatUnit"},
    {"skinToneGroup", "skinToneLabel", nullptr},
};

constexpr double OptionPoints = 12;

// What the page says for each refusal of its entries.
QString messageFor(PersonalDataProblem problem)
{
    switch (problem) {
    case PersonalDataProblem::NoName: return QStringLiteral("氏名が入力されていません");
    case PersonalDataProblem::NoSex: return QStringLiteral("性別が選択されていません");
    case PersonalDataProblem::NoAge: return QStringLiteral("年齢が入力されていません");
    case PersonalDataProblem::BadAge: return QStringLiteral("年齢を正しく入力してください");
    case PersonalDataProblem::NoHeight: return QStringLiteral("身長が入力されていません");
    case PersonalDataProblem::BadHeight: return QStringLiteral("身長を正しく入力してください");
    case PersonalDataProblem::NoWeight: return QStringLiteral("体重が入力されていません");
    case PersonalDataProblem::BadWeight: return QStringLiteral("体重を正しく入力してください");
    case PersonalDataProblem::NoBloodType: return QStringLiteral("血液型が選択されていません");
    case PersonalDataProblem::BadBodyFat: return QStringLiteral("体脂肪率を正しく入力してください");
    case PersonalDataProblem::NoSkinTone: return QStringLiteral("肌の濃さが選択されていません");
    }
    return {};
}

// A group's choice, or none while no option is checked.
template <typename Choice>
std::optional<Choice> chosen(const QButtonGroup* group)
{
    return group->checkedId() < 0 ? std::nullopt : std::optional(static_cast<Choice>(group->checkedId()));
}

QButtonGroup* createOptionGroup(QWidget* page, const char* groupName,
                                std::span<const OptionText> options)
{
    QFrame* frame = createGroup(page, QString::fromLatin1(groupName));
    auto* group = new QButtonGroup(frame);
    group->setExclusive(true);
    for (const OptionText& option : options)
        group->addButton(new ChoiceButton(QString::fromLatin1(option.name),
                                          QString::fromUtf8(option.caption),
                                          pageFont(OptionPoints), frame),
                         option.id);
    return group;
}

std::string utf8(const QLineEdit* field)
{
    return field->text().toStdString();
}

} // namespace

PersonalDataPage::PersonalDataPage(PageHost& host, QWidget* parent)
    : Page(host, QStringLiteral("PersonalDataPage"), PageLayouts::PersonalData, CyanBackground, parent)
{
    createControls();
    nameControls();
    placeControls();
    orderTabs();
    connectSignals();
    nameField_->setFocus(Qt::OtherFocusReason);
}

void PersonalDataPage::createControls()
{
    for (const LabelText& label : Labels)
        createLabel(this, label.name, QString::fromUtf8(label.text), pageFont(),
                    label.centred ? Qt::AlignHCenter : Qt::AlignLeft);

    nameField_ = new TextBox(QStringLiteral("nameField"), TextBoxKind::Text, pageFont(), this);
    ageField_ = new TextBox(QStringLiteral("ageField"), TextBoxKind::Number, pageFont(), this);
    heightField_ = new TextBox(QStringLiteral("heightField"), TextBoxKind::Number, pageFont(), this);
    weightField_ = new TextBox(QStringLiteral("weightField"), TextBoxKind::Number, pageFont(), this);
    bodyFatField_ = new TextBox(QStringLiteral("bodyFatField"), TextBoxKind::Number, pageFont(), this);

    sexGroup_ = createOptionGroup(this, "sexGroup", SexOptions);
    bloodTypeGroup_ = createOptionGroup(this, "bloodTypeGroup", BloodTypeOptions);
    skinToneGroup_ = createOptionGroup(this, "skinToneGroup", SkinToneOptions);

    nextButton_ = createButton(this, QStringLiteral("nextButton"), QStringLiteral("次へ"), pageFont());
    clearButton_ = createButton(this, QStringLiteral("clearButton"), QStringLiteral("訂正"), pageFont());
}

void PersonalDataPage::nameControls()
{
    for (const Naming& row : FieldNames) {
        auto* label = findChild<QLabel*>(QString::fromLatin1(row.label));
        auto* control = findChild<QWidget*>(QString::fromLatin1(row.control));
        if (auto* field = qobject_cast<QLineEdit*>(control)) {
            // A field takes its name from the label whose buddy it is.
            label->setBuddy(field);
            if (row.unit)
                field->setAccessibleDescription(findChild<QLabel*>(QString::fromLatin1(row.unit))->text());
        } else {
            nameGroup(qobject_cast<QFrame*>(control), label->text());
        }
    }
}

void PersonalDataPage::placeControls()
{
    applyPlacements(this, layout().controls);
}

void PersonalDataPage::orderTabs()
{
    orderTabsByIndex(this, layout().controls);
}

void PersonalDataPage::connectSignals()
{
    connect(nextButton_, &QPushButton::clicked, this, &PersonalDataPage::onNext);
    connect(clearButton_, &QPushButton::clicked, this, &PersonalDataPage::onClear);
}

PersonalDataInput PersonalDataPage::input() const
{
    return {utf8(nameField_),        utf8(ageField_),
            utf8(heightField_),      utf8(weightField_),
            utf8(bodyFatField_),     chosen<Sex>(sexGroup_),
            chosen<BloodType>(bloodTypeGroup_), chosen<SkinTone>(skinToneGroup_)};
}

QLineEdit* PersonalDataPage::field(PersonalDataField which) const
{
    switch (which) {
    case PersonalDataField::Name: return nameField_;
    case PersonalDataField::Age: return ageField_;
    case PersonalDataField::Height: return heightField_;
    case PersonalDataField::Weight: return weightField_;
    case PersonalDataField::BodyFat: return bodyFatField_;
    }
    return nullptr;
}

void PersonalDataPage::onNext()
{
    // The model stores what passes, in page order, and names the first
    // problem; the page says it and puts the focus where it is.
    if (const std::optional<PersonalDataRefusal> refusal = ReadPersonalData(input(), record())) {
        Messages::show(this, messageFor(refusal->problem));
        if (refusal->focus)
            field(*refusal->focus)->setFocus(Qt::OtherFocusReason);
        return;
    }
    host().replacePage(this, createQuestionsQ1toQ10Page);
}

void PersonalDataPage::onClear()
{
    for (QLineEdit* field : {nameField_, ageField_, heightField_, weightField_, bodyFatField_})
        field->clear();
    // An exclusive group keeps one button checked; lift that while clearing.
    for (QButtonGroup* group : {sexGroup_, bloodTypeGroup_, skinToneGroup_}) {
        group->setExclusive(false);
        for (QAbstractButton* option : group->buttons())
            option->setChecked(false);
        group->setExclusive(true);
    }
}

QWidget* createPersonalDataPage(PageHost& host)
{
    return new PersonalDataPage(host);
}

} // namespace tellumo
