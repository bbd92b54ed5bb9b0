// The five information dialogs of the menu: fixed blue texts, an engraved
// separator and an "OK" button that closes the dialog. Each menu click
// creates its dialog afresh; nothing survives between openings.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tellumo {

// One row of a dialog's label table (twips).
struct DialogLabel {
    const char* name;
    QString text;
    int left, top, width, height;
};

// The shared window pattern: fixed size, no icon, no minimise/maximise,
// centred on the screen, cmdOK focused, the two-line separator above it.
class FormMenu : public QDialog {
    Q_OBJECT

public:
    // Line of the separator in twips: from (x1, y) to (x2, y); the white
    // line starts at whiteX1.
    struct Separator {
        int x1, whiteX1, x2, y;
    };

protected:
    FormMenu(QWidget* owner, const char* objectName, const QString& caption, int widthTwips,
             int heightTwips, QRect okButtonTwips, Separator separator);

    // Adds the labels in tab order after cmdOK.
    void addLabels(std::initializer_list<DialogLabel> labels);
    QLabel* addLabel(const DialogLabel& label);
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private slots:
    void cmdOK_Click();

private:
    QPushButton* cmdOK_ = nullptr;
    QWidget* lastInTabOrder_ = nullptr;
    Separator separator_;
};

class FormMenu2 : public FormMenu {
    Q_OBJECT
public:
    explicit FormMenu2(QWidget* owner);
};

class FormMenu3 : public FormMenu {
    Q_OBJECT
public:
    explicit FormMenu3(QWidget* owner);
};

class FormMenu4 : public FormMenu {
    Q_OBJECT
public:
    explicit FormMenu4(QWidget* owner);
};

class FormMenu5 : public FormMenu {
    Q_OBJECT
public:
    explicit FormMenu5(QWidget* owner);
};

class FormMenu6 : public FormMenu {
    Q_OBJECT
public:
    explicit FormMenu6(QWidget* owner);
};

// The dialog font: the proportional Gothic face at 8.25 pt.
QFont dialogFont();

} // namespace tellumo
