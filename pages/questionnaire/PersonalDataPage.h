// The personal data page: name, sex, age, height, weight, blood type, body
// fat and skin tone.
//
// Data flow: "次へ" checks the entries in screen order and stores each one
// into Module1::Record.PersonalData (0..7) as soon as it has been checked; the
// first failure shows a message and ends the attempt with the earlier entries
// kept. A complete pass asks the host to replace this page with the page of
// questions Q1 to Q10.
#pragma once

#include "Page.h"

#include <optional>

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

    // Shows the message; focuses field when one is given.
    void refuse(const QString& message, QLineEdit* field = nullptr);
    // The number in a required field, or nullopt once the user has been told
    // that it is empty (emptyMessage) or not an acceptable number (badMessage).
    std::optional<double> requireNumber(QLineEdit* field, const QString& emptyMessage,
                                        const QString& badMessage, bool (*acceptable)(double));

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
