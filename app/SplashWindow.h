// The splash window: five pictures shown one at a time, then the credits,
// one state per step of SplashSteps (SplashSteps.h). It has no behaviour of
// its own; the start-up procedure (Program::startUp) steps it through its
// states. A picture is decoded when its state is first drawn, at the
// screen's pixel density, so the first frame waits only for the first.
#pragma once

#include <QWidget>

class QLabel;

namespace tellumo {

class SplashWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int StateCount = 5;

    explicit SplashWindow(QWidget* parent = nullptr);

    // Shows the window centred on its screen with only the first picture visible.
    void showCentred();
    // Moves from state - 1 to state (2..5): hides the previous picture, then
    // shows the next one (and, with a step that has them, the three credit
    // lines).
    void enterState(int state);
    // The state shown now, 1..5, read back from the visible controls.
    int visibleState() const;
    // Lets the window close (the sequence is over).
    void finish();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void makeControls();
    QLabel* makeCredit(const char* name, const QString& text, int top);

    QLabel* pictures_[StateCount] = {};
    QLabel* credits_[3] = {};
    bool finished_ = false;
};

} // namespace tellumo
