// The personal data page: name, sex, age, height, weight, blood type, body
// fat and skin tone.
//
// Data flow: "次へ" collects the texts and choices into a PersonalDataInput
// and has the model's ReadPersonalData check them in screen order and store
// them into the host's record (PersonalData 0..7); the page shows the
// refusal's message and focuses the field it names, or, after a complete
// pass, asks the host to replace this page with the questions Q1 to Q10.
#pragma once

#include "Page.h"
#include "PersonalDataEntry.h"

class QButtonGroup;
class QFrame;
class QLineEdit;
class QPushButton;

namespace tellumo {

class PageLabel;

namespace questionnaire {
class ChoiceButton;
class TextBox;
} // namespace questionnaire

// The page's controls, each named (object name) and placed
// (PageLayouts::PersonalData) after its member.
struct PersonalDataControls {
    PageLabel* titleLabel;
    PageLabel* nameLabel;
    PageLabel* sexLabel;
    PageLabel* ageLabel;
    PageLabel* ageUnit;
    PageLabel* heightLabel;
    PageLabel* heightUnit;
    PageLabel* weightLabel;
    PageLabel* weightUnit;
    PageLabel* bloodTypeLabel;
    PageLabel* bodyFatLabel;
    PageLabel* bodyFatUnit;
    PageLabel* skinToneLabel;
    questionnaire::TextBox* nameField;
    questionnaire::TextBox* ageField;
    questionnaire::TextBox* heightField;
    questionnaire::TextBox* weightField;
    questionnaire::TextBox* bodyFatField; // optional
    QFrame* sexGroup;
    questionnaire::ChoiceButton* maleOption;
    questionnaire::ChoiceButton* femaleOption;
    QFrame* bloodTypeGroup;
    questionnaire::ChoiceButton* bloodTypeO;
    questionnaire::ChoiceButton* bloodTypeA;
    questionnaire::ChoiceButton* bloodTypeB;
    questionnaire::ChoiceButton* bloodTypeAB;
    QFrame* skinToneGroup;
    questionnaire::ChoiceButton* darkSkinOption;
    questionnaire::ChoiceButton* normalSkinOption;
    questionnaire::ChoiceButton* fairSkinOption;
    QPushButton* nextButton;
    QPushButton* clearButton;
};

class PersonalDataPage : public Page {
    Q_OBJECT

public:
    explicit PersonalDataPage(PageHost& host, QWidget* parent = nullptr);

private slots:
    void onNext(); // 次へ
    void onClear(); // 訂正

private:
    void makeControls();
    // Names the fields and groups for assistive technology by their labels.
    void nameControls();
    void orderTabs();
    void connectSignals();

    // What the user has typed and chosen, as the model reads it.
    PersonalDataInput input() const;
    QLineEdit* field(PersonalDataField which) const;

    PersonalDataControls ui_{};
    // The exclusive choices inside the groups of the same name.
    QButtonGroup* sexChoices_ = nullptr;       // ids: Sex
    QButtonGroup* bloodTypeChoices_ = nullptr; // ids: BloodType
    QButtonGroup* skinToneChoices_ = nullptr;  // ids: SkinTone
};

} // namespace tellumo
