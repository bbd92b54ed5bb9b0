#include "Form1.h"

#include "AssessmentRecord.h"
#include "Controls.h"
#include "Fonts.h"
#include "Messages.h"
#include "PageFactories.h"
#include "PersonalPoints.h"
#include "QuestionnaireControls.h"

#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tellumo {

namespace {

using namespace questionnaire;

// Where each control stands (twips; options relative to their frame) and its
// tab index.
constexpr ControlPlace Form1Layout[] = {
    {"Label2", 0, 800, 10000, 420, 20},
    {"Label1", 2500, 1300, 1500, 420, 0},
    {"Text1", 4000, 1250, 2000, 420, 1},
    {"Label3", 2500, 1800, 1500, 420, 21},
    {"Frame1", 4000, 1800, 2835, 300, 17},
    {"Option11", 0, 0, 1335, 300, 2},
    {"Option12", 1500, 0, 1335, 300, 3},
    {"Label4", 2500, 2300, 1500, 420, 22},
    {"Text2", 5000, 2250, 500, 420, 4},
    {"Label12", 5600, 2300, 500, 420, 28},
    {"Label5", 2500, 2800, 1500, 420, 23},
    {"Text3", 4800, 2750, 700, 420, 5},
    {"Label13", 5600, 2800, 500, 420, 29},
    {"Label6", 2500, 3300, 1500, 420, 24},
    {"Text4", 4800, 3250, 700, 420, 6},
    {"Label14", 5600, 3300, 500, 420, 30},
    {"Label7", 2500, 3800, 1500, 420, 25},
    {"Frame2", 4000, 3800, 3800, 300, 18},
    {"Option21", 0, 0, 800, 300, 7},
    {"Option22", 1000, 0, 800, 300, 8},
    {"Option23", 2000, 0, 800, 300, 9},
    {"Option24", 3000, 0, 800, 300, 10},
    {"Label8", 2500, 4300, 1500, 420, 26},
    {"Text5", 4700, 4250, 800, 420, 11},
    {"Label15", 5600, 4300, 2700, 420, 31},
    {"Label9", 2500, 4800, 1500, 420, 27},
    {"Frame3", 4000, 4800, 3400, 300, 19},
    {"Option31", 0, 0, 1000, 300, 14},
    {"Option32", 1200, 0, 1000, 300, 12},
    {"Option33", 2400, 0, 1000, 300, 13},
    {"Command1", 3300, 5500, 1200, 800, 15},
    {"Command2", 5500, 5500, 1200, 800, 16},
};

struct LabelText {
    const char* name;
    const char* text;
    bool centred;
};

constexpr LabelText Form1Labels[] = {
    {"Label2", "個人データ", true},
    {"Label1", "氏名", false},
    {"Label3", "性別", false},
    {"Label4", "年齢", false},
    {"Label12", "歳", false},
    {"Label5", "身長", false},
    {"Label13", "cm", false},
    {"Label6", "体重", false},
    {"Label14", "kg", false},
    {"Label7", "血液型", false},
    {"Label8", "体脂肪率", false},
    {"Label15", "%（測定した方のみ）", false},
    {"Label9", "肌の濃さ", false},
};

// The option buttons of one frame; a button's id in its group is the
// choice it stands for.
struct OptionText {
    const char* name;
    const char* caption;
    int id;
};

constexpr OptionText SexOptions[] = {
    {"Option11", "男性", static_cast<int>(Sex::Male)},
    {"Option12", "女性", static_cast<int>(Sex::Female)},
};
constexpr OptionText BloodTypeOptions[] = {
    {"Option21", "O", static_cast<int>(BloodType::O)},
    {"Option22", "A", static_cast<int>(BloodType::A)},
    {"Option23", "B", static_cast<int>(BloodType::B)},
    {"Option24", "AB", static_cast<int>(BloodType::AB)},
};
constexpr OptionText SkinToneOptions[] = {
    {"Option31", "色黒", static_cast<int>(SkinTone::Dark)},
    {"Option32", "普通", static_cast<int>(SkinTone::Normal)},
    {"Option33", "色白", static_cast<int>(SkinTone::Fair)},
};

// The label that names each field or group, and the label after a field
// that gives its unit: what assistive technology reads for the control.
struct Naming {
    const char* control;
    const char* label;
    const char* unit;
};

constexpr Naming Form1Naming[] = {
    {"Text1", "Label1", nullptr},   {"Frame1", "Label3", nullptr},  {"Text2", "Label4", "Label12"},
    {"Text3", "Label5", "Label13"}, {"Text4", "Label6", "Label14"}, {"Frame2", "Label7", nullptr},
    {"Text5", "Label8", "Label15"}, {"Frame3", "Label9", nullptr},
};

constexpr double OptionPoints = 12;

const QString NoName = QStringLiteral("氏名が入力されていません");
const QString NoSex = QStringLiteral("性別が選択されていません");
const QString NoAge = QStringLiteral("年齢が入力されていません");
const QString BadAge = QStringLiteral("年齢を正しく入力してください");
const QString NoHeight = QStringLiteral("身長が入力されていません");
const QString BadHeight = QStringLiteral("身長を正しく入力してください");
const QString NoWeight = QStringLiteral("体重が入力されていません");
const QString BadWeight = QStringLiteral("体重を正しく入力してください");
const QString NoBloodType = QStringLiteral("血液型が選択されていません");
const QString BadBodyFat = QStringLiteral("体脂肪率を正しく入力してください");
const QString NoSkinTone = QStringLiteral("肌の濃さが選択されていません");

bool isNotNegative(double value) { return value >= 0; }
bool isPositive(double value) { return value > 0; }
bool isPercentage(double value) { return value >= 0 && value <= 100; }

QButtonGroup* createOptionGroup(QWidget* page, const char* frameName,
                                std::span<const OptionText> options)
{
    QFrame* frame = createGroup(page, QString::fromLatin1(frameName));
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

Form1::Form1(PageHost& host, QWidget* parent)
    : Page(host, QStringLiteral("Form1"), 10005, 7200, CyanBackground, parent)
{
    createControls();
    nameControls();
    placeControls();
    orderTabs();
    connectSignals();
    Text1_->setFocus(Qt::OtherFocusReason);
}

void Form1::createControls()
{
    for (const LabelText& label : Form1Labels)
        createLabel(this, label.name, QString::fromUtf8(label.text), pageFont(),
                    label.centred ? Qt::AlignHCenter : Qt::AlignLeft);

    // Japanese input for the name; hiragana as the starting mode cannot be
    // requested from Qt, so the platform's input method decides.
    Text1_ = createTextBox(this, "Text1", TextBoxKind::Text, pageFont());
    Text2_ = createTextBox(this, "Text2", TextBoxKind::Number, pageFont());
    Text3_ = createTextBox(this, "Text3", TextBoxKind::Number, pageFont());
    Text4_ = createTextBox(this, "Text4", TextBoxKind::Number, pageFont());
    Text5_ = createTextBox(this, "Text5", TextBoxKind::Number, pageFont());

    sex_ = createOptionGroup(this, "Frame1", SexOptions);
    bloodType_ = createOptionGroup(this, "Frame2", BloodTypeOptions);
    skinTone_ = createOptionGroup(this, "Frame3", SkinToneOptions);

    Command1_ = createButton(this, QStringLiteral("Command1"), QStringLiteral("次へ"), pageFont());
    Command2_ = createButton(this, QStringLiteral("Command2"), QStringLiteral("訂正"), pageFont());
}

void Form1::nameControls()
{
    for (const Naming& row : Form1Naming) {
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

void Form1::placeControls()
{
    applyPlacements(this, Form1Layout);
}

void Form1::orderTabs()
{
    orderTabsByIndex(this, Form1Layout);
}

void Form1::connectSignals()
{
    connect(Command1_, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2_, &QPushButton::clicked, this, &Form1::Command2_Click);
}

void Form1::refuse(const QString& message, QLineEdit* field)
{
    Messages::show(this, message);
    if (field)
        field->setFocus(Qt::OtherFocusReason);
}

std::optional<double> Form1::requireNumber(QLineEdit* field, const QString& emptyMessage,
                                           const QString& badMessage, bool (*acceptable)(double))
{
    if (field->text().isEmpty()) {
        refuse(emptyMessage, field);
        return std::nullopt;
    }
    const std::optional<double> value = ReadDecimal(utf8(field));
    if (!value || !acceptable(*value)) {
        refuse(badMessage, field);
        return std::nullopt;
    }
    return value;
}

void Form1::Command1_Click()
{
    auto& data = Module1::Record.PersonalData;

    // Only the exactly empty text counts as no name; blanks are a name.
    if (Text1_->text().isEmpty())
        return refuse(NoName, Text1_);
    data[Name] = utf8(Text1_);

    if (sex_->checkedId() < 0)
        return refuse(NoSex);
    data[SexPointsEntry] = SexPoints(static_cast<Sex>(sex_->checkedId()));

    const std::optional<double> age = requireNumber(Text2_, NoAge, BadAge, isNotNegative);
    if (!age)
        return;
    data[AgePointsEntry] = AgePoints(*age);

    // Height and weight are kept as typed; the body measures read them later.
    if (!requireNumber(Text3_, NoHeight, BadHeight, isPositive))
        return;
    data[HeightText] = utf8(Text3_);

    const std::optional<double> weight = requireNumber(Text4_, NoWeight, BadWeight, isNotNegative);
    if (!weight)
        return;
    data[WeightText] = utf8(Text4_);

    if (bloodType_->checkedId() < 0)
        return refuse(NoBloodType);
    data[BloodTypePointsEntry] = BloodTypePoints(static_cast<BloodType>(bloodType_->checkedId()));

    std::optional<double> bodyFat;
    if (!Text5_->text().isEmpty()) {
        bodyFat = ReadDecimal(utf8(Text5_));
        if (!bodyFat || !isPercentage(*bodyFat))
            return refuse(BadBodyFat, Text5_);
    }
    data[BodyFatPointsEntry] = BodyFatPoints(bodyFat, *weight);

    if (skinTone_->checkedId() < 0)
        return refuse(NoSkinTone);
    data[SkinTonePointsEntry] = SkinTonePoints(static_cast<SkinTone>(skinTone_->checkedId()));

    host().replacePage(this, createQuestionsQ1toQ10Page);
}

void Form1::Command2_Click()
{
    for (QLineEdit* field : {Text1_, Text2_, Text3_, Text4_, Text5_})
        field->clear();
    // An exclusive group keeps one button checked; lift that while clearing.
    for (QButtonGroup* group : {sex_, bloodType_, skinTone_}) {
        group->setExclusive(false);
        for (QAbstractButton* option : group->buttons())
            option->setChecked(false);
        group->setExclusive(true);
    }
}

QWidget* createPersonalDataPage(PageHost& host)
{
    return new Form1(host);
}

} // namespace tellumo
