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
class QLineEdit;
class QPushButton;

namespace tellumo {

class PersonalDataPage : public Page {
    Q_OBJECT

public:
    explicit PersonalDataPage(PageHost& host, QWidget* parent = nullptr);

private slots:
    void onNext(); // 次へ
    void onClear(); // 訂正

private:
    void createControls();
    // Names the fields and groups for assistive technology by their labels.
    void nameControls();
    void placeControls();
    void orderTabs();
    void connectSignals();

    // What the user has typed and chosen, as the model reads it.
    PersonalDataInput input() const;
    QLineEdit* field(PersonalDataField which) const;

    QLineEdit* nameField_ = nullptr;
    QLineEdit* ageField_ = nullptr;
    QLineEdit* heightField_ = nullptr;
    QLineEdit* weightField_ = nullptr;
    QLineEdit* bodyFatField_ = nullptr; // optional
    // The exclusive choices inside the groups of the same name.
    QButtonGroup* sexGroup_ = nullptr;       // ids: Sex
    QButtonGroup* bloodTypeGroup_ = nullptr; // ids: BloodType
    QButtonGroup* skinToneGroup_ = nullptr;  // ids: SkinTone
    QPushButton* nextButton_ = nullptr;
    QPushButton* clearButton_ = nullptr;
};

} // namespace tellumo
