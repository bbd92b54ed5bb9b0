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

#include <initializer_list>
#include <utility>

namespace tellumo {

namespace {

using namespace questionnaire;

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

// An option button inside the group `frame`.
ChoiceButton* option(const char* caption, QFrame* frame)
{
    return new ChoiceButton(QString::fromUtf8(caption), pageFont(OptionPoints), frame);
}

// The options of one group as one exclusive choice; an option's id is the
// choice it stands for.
template <typename Choice>
QButtonGroup* exclusiveChoice(QFrame* frame, std::initializer_list<std::pair<ChoiceButton*, Choice>> options)
{
    auto* group = new QButtonGroup(frame);
    group->setExclusive(true);
    for (const auto& [button, choice] : options)
        group->addButton(button, static_cast<int>(choice));
    return group;
}

std::string utf8(const QLineEdit* field)
{
    return field->text().toStdString();
}

} // namespace

PersonalDataPage::PersonalDataPage(PageHost& host, QWidget* parent)
    : Page(host, QStringLiteral("PersonalDataPage"), PageLayouts::PersonalData.size, CyanBackground, parent)
{
    makeControls();
    nameControls();
    orderTabs();
    connectSignals();
    ui_.nameField->setFocus(Qt::OtherFocusReason);
}

// Each control goes into its member of ui_, named and placed after it.
#define PERSONAL_DATA_CONTROL(member, make) TELLUMO_PLACED(ui_, PageLayouts::PersonalData, member, make)
#define PERSONAL_DATA_LABEL(member, text) PERSONAL_DATA_CONTROL(member, makeLabel(this, lineLabel(QStringLiteral(text), pageFont())))

void PersonalDataPage::makeControls()
{
    PERSONAL_DATA_CONTROL(titleLabel, makeLabel(this, lineLabel(QStringLiteral("個人データ"), pageFont(),
                                                                Qt::AlignHCenter)));
    PERSONAL_DATA_LABEL(nameLabel, "氏名");
    PERSONAL_DATA_LABEL(sexLabel, "性別");
    PERSONAL_DATA_LABEL(ageLabel, "年齢");
    PERSONAL_DATA_LABEL(ageUnit, "歳");
    PERSONAL_DATA_LABEL(heightLabel, "身長");
    PERSONAL_DATA_LABEL(heightUnit, "cm");
    PERSONAL_DATA_LABEL(weightLabel, "体重");
    PERSONAL_DATA_LABEL(weightUnit, "kg");
    PERSONAL_DATA_LABEL(bloodTypeLabel, "血液型");
    PERSONAL_DATA_LABEL(bodyFatLabel, "体脂肪率");
    PERSONAL_DATA_LABEL(bodyFatUnit, "%（測定した方のみ）");
    PERSONAL_DATA_LABEL(skinToneLabel, "肌の濃さ");

    PERSONAL_DATA_CONTROL(nameField, new TextBox(TextBoxKind::Text, pageFont(), this));
    PERSONAL_DATA_CONTROL(ageField, new TextBox(TextBoxKind::Number, pageFont(), this));
    PERSONAL_DATA_CONTROL(heightField, new TextBox(TextBoxKind::Number, pageFont(), this));
    PERSONAL_DATA_CONTROL(weightField, new TextBox(TextBoxKind::Number, pageFont(), this));
    PERSONAL_DATA_CONTROL(bodyFatField, new TextBox(TextBoxKind::Number, pageFont(), this));

    PERSONAL_DATA_CONTROL(sexGroup, makeGroup(this));
    PERSONAL_DATA_CONTROL(maleOption, option("男性", ui_.sexGroup));
    PERSONAL_DATA_CONTROL(femaleOption, option("女性", ui_.sexGroup));
    sexChoices_ = exclusiveChoice<Sex>(ui_.sexGroup, {{ui_.maleOption, Sex::Male}, {ui_.femaleOption, Sex::Female}});

    PERSONAL_DATA_CONTROL(bloodTypeGroup, makeGroup(this));
    PERSONAL_DATA_CONTROL(bloodTypeO, option("O", ui_.bloodTypeGroup));
    PERSONAL_DATA_CONTROL(bloodTypeA, option("A", ui_.bloodTypeGroup));
    PERSONAL_DATA_CONTROL(bloodTypeB, option("B", ui_.bloodTypeGroup));
    PERSONAL_DATA_CONTROL(bloodTypeAB, option("AB", ui_.bloodTypeGroup));
    bloodTypeChoices_ = exclusiveChoice<BloodType>(ui_.bloodTypeGroup, {{ui_.bloodTypeO, BloodType::O},
                                                                        {ui_.bloodTypeA, BloodType::A},
                                                                        {ui_.bloodTypeB, BloodType::B},
                                                                        {ui_.bloodTypeAB, BloodType::AB}});

    PERSONAL_DATA_CONTROL(skinToneGroup, makeGroup(this));
    PERSONAL_DATA_CONTROL(darkSkinOption, option("色黒", ui_.skinToneGroup));
    PERSONAL_DATA_CONTROL(normalSkinOption, option("普通", ui_.skinToneGroup));
    PERSONAL_DATA_CONTROL(fairSkinOption, option("色白", ui_.skinToneGroup));
    skinToneChoices_ = exclusiveChoice<SkinTone>(ui_.skinToneGroup, {{ui_.darkSkinOption, SkinTone::Dark},
                                                                     {ui_.normalSkinOption, SkinTone::Normal},
                                                                     {ui_.fairSkinOption, SkinTone::Fair}});

    PERSONAL_DATA_CONTROL(nextButton, makeButton(this, {.text = QStringLiteral("次へ"), .font = pageFont()}));
    PERSONAL_DATA_CONTROL(clearButton, makeButton(this, {.text = QStringLiteral("訂正"), .font = pageFont()}));
}

#undef PERSONAL_DATA_LABEL
#undef PERSONAL_DATA_CONTROL

void PersonalDataPage::nameControls()
{
    // A field takes its name from the label whose buddy it is, and its
    // description from the unit after it.
    const struct {
        QLabel* label;
        QLineEdit* field;
        QLabel* unit;
    } fields[] = {
        {ui_.nameLabel, ui_.nameField, nullptr},
        {ui_.ageLabel, ui_.ageField, ui_.ageUnit},
        {ui_.heightLabel, ui_.heightField, ui_.heightUnit},
        {ui_.weightLabel, ui_.weightField, ui_.weightUnit},
        {ui_.bodyFatLabel, ui_.bodyFatField, ui_.bodyFatUnit},
    };
    for (const auto& row : fields) {
        row.label->setBuddy(row.field);
        if (row.unit)
            row.field->setAccessibleDescription(row.unit->text());
    }
    nameGroup(ui_.sexGroup, ui_.sexLabel->text());
    nameGroup(ui_.bloodTypeGroup, ui_.bloodTypeLabel->text());
    nameGroup(ui_.skinToneGroup, ui_.skinToneLabel->text());
}

void PersonalDataPage::orderTabs()
{
    // The skin tones are visited from the middle: normal, fair, dark.
    chainFocus({ui_.nameField,        ui_.maleOption,     ui_.femaleOption, ui_.ageField,
                ui_.heightField,      ui_.weightField,    ui_.bloodTypeO,   ui_.bloodTypeA,
                ui_.bloodTypeB,       ui_.bloodTypeAB,    ui_.bodyFatField, ui_.normalSkinOption,
                ui_.fairSkinOption,   ui_.darkSkinOption, ui_.nextButton,   ui_.clearButton});
}

void PersonalDataPage::connectSignals()
{
    connect(ui_.nextButton, &QPushButton::clicked, this, &PersonalDataPage::onNext);
    connect(ui_.clearButton, &QPushButton::clicked, this, &PersonalDataPage::onClear);
}

PersonalDataInput PersonalDataPage::input() const
{
    return {utf8(ui_.nameField),    utf8(ui_.ageField),
            utf8(ui_.heightField),  utf8(ui_.weightField),
            utf8(ui_.bodyFatField), chosen<Sex>(sexChoices_),
            chosen<BloodType>(bloodTypeChoices_), chosen<SkinTone>(skinToneChoices_)};
}

QLineEdit* PersonalDataPage::field(PersonalDataField which) const
{
    switch (which) {
    case PersonalDataField::Name: return ui_.nameField;
    case PersonalDataField::Age: return ui_.ageField;
    case PersonalDataField::Height: return ui_.heightField;
    case PersonalDataField::Weight: return ui_.weightField;
    case PersonalDataField::BodyFat: return ui_.bodyFatField;
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
    for (QLineEdit* field : {ui_.nameField, ui_.ageField, ui_.heightField, ui_.weightField, ui_.bodyFatField})
        field->clear();
    // An exclusive group keeps one button checked; lift that while clearing.
    for (QButtonGroup* group : {sexChoices_, bloodTypeChoices_, skinToneChoices_}) {
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
