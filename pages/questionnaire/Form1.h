// The personal data page: name, sex, age, height, weight, blood type, body
// fat and skin tone.
//
// Data flow: "次へ" checks the entries in screen order and stores each one
// into Module1::Record.PersonalData (0..7) as soon as it has been checked; the
// first failure shows a message and ends the attempt with the earlier entries
// kept. A complete pass asks the host to replace this page with Form2.
#pragma once

#include "Page.h"

#include <optional>

class QButtonGroup;
class QLineEdit;
class QPushButton;

namespace tellumo {

class Form1 : public Page {
    Q_OBJECT

public:
    explicit Form1(PageHost& host, QWidget* parent = nullptr);

private slots:
    void Command1_Click(); // 次へ
    void Command2_Click(); // 訂正

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

    QLineEdit* Text1_ = nullptr; // name
    QLineEdit* Text2_ = nullptr; // age
    QLineEdit* Text3_ = nullptr; // height
    QLineEdit* Text4_ = nullptr; // weight
    QLineEdit* Text5_ = nullptr; // body-fat percentage, optional
    QButtonGroup* sex_ = nullptr;       // ids: Sex
    QButtonGroup* bloodType_ = nullptr; // ids: BloodType
    QButtonGroup* skinTone_ = nullptr;  // ids: SkinTone
    QPushButton* Command1_ = nullptr;
    QPushButton* Command2_ = nullptr;
};

} // namespace tellumo
