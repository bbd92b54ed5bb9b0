// The score page, the susceptibility result: the name and score out of 100
// as one line of rich text, and the four classes as a scale on which the
// person's class stands out large and coloured.
//
// Data flow: showResult has the model compute AnswerTotal and
// SusceptibilityScore into the host's record, builds the score line with
// MakeRtf (the name escaped) and applies the class display. A record that
// yields no score (corrupted codes or points) leaves the line and the scale
// plain, disables the way to the details page and says so in a message.
// The buttons lead to the details page, to the caution page or end the
// program; the context menu and shortcuts save or print the whole result
// (ResultExport.h).
#pragma once

#include "ResultPage.h"

#include <string>
#include <cstdint>

class QLabel;
class QPushButton;

namespace tellumo {

class PageLabel;
class RichTextView;

// The page's controls under its title, each named and placed
// (PageLayouts::Score) after its member.
struct ScoreControls {
    PageLabel* degreeLabel;
    // The class scale from top to bottom: class 4 to class 1.
    PageLabel* classVeryEasilyLabel;
    PageLabel* classEasilyLabel;
    PageLabel* classAverageLabel;
    PageLabel* classHardlyLabel;
    PageLabel* cautionHintLabel;
    RichTextView* scoreLine;
    QPushButton* quitButton;
    QPushButton* detailsButton;
    QPushButton* cautionButton;
};

class ScorePage : public ResultPage {
    Q_OBJECT

public:
    explicit ScorePage(PageHost& host, QWidget* parent = nullptr);

private:
    void makeControls();
    void showResult();
    // The name in blue, then the score sentence, on one line.
    void showScoreLine(const QString& name, const std::string& sentence);
    void showClass(int susceptibilityClass);

    ScoreControls ui_{};
};

} // namespace tellumo
