// The five information dialogs of the menu (copyright, disclaimer,
// redistribution, medical basis, version): fixed blue texts, an engraved
// separator and an "OK" button that closes the dialog. One class, fed by one
// table per dialog; each menu command creates its dialog afresh, so nothing
// survives between openings.
#pragma once

#include <QDialog>
#include <QRect>
#include <QString>

#include <span>

class QLabel;
class QPushButton;

namespace tellumo {

// One label of a dialog (twips).
struct DialogLabel {
    const char* name;
    QString text;
    int left, top, width, height;
};

// Everything that sets one dialog apart from the others.
struct InfoDialogTable {
    const char* objectName;
    QString caption;
    int widthTwips, heightTwips;
    QRect okButtonTwips;
    // The engraved rule, in twips: from (x1, y) to (x2, y); the white line
    // under it starts at whiteX1.
    struct Separator {
        int x1, whiteX1, x2, y;
    } separator;
    std::span<const DialogLabel> labels;
    // The version dialog adds its picture and title.
    bool withTitleAndPicture = false;
};

class InfoDialog : public QDialog {
    Q_OBJECT

public:
    // The shared window pattern: fixed size, no icon, no minimise/maximise,
    // centred on the screen, the OK button focused, the separator above it.
    InfoDialog(QWidget* owner, const InfoDialogTable& table);

    static const InfoDialogTable& copyright();
    static const InfoDialogTable& disclaimer();
    static const InfoDialogTable& redistribution();
    static const InfoDialogTable& medicalBasis();
    static const InfoDialogTable& version();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* addLabel(const DialogLabel& label);
    void addTitleAndPicture();

    QPushButton* okButton_ = nullptr;
    InfoDialogTable::Separator separator_;
};

// The dialog font: the proportional Gothic face at 8.25 pt.
QFont dialogFont();

} // namespace tellumo
