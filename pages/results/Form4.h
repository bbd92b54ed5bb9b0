// Form4, the susceptibility result: the name and score out of 100 as one
// line of rich text, and the four classes as a scale on which the person's
// class stands out large and coloured.
//
// Data flow: Form_Load has the model compute AnswerTotal and
// SusceptibilityScore into Module1::Record, builds the score line with
// MakeRtf (the name escaped) for RichTextBox1 and applies the class display.
// A record that yields no score (corrupted codes or points) leaves the line
// and the scale plain, disables the way to Form5 and says so in a message.
// The buttons lead to Form5, to Form6 or end the program.
#pragma once

#include "Page.h"

#include <array>
#include <string>
#include <cstdint>

class QLabel;
class QPushButton;

namespace tellumo {

class RichTextView;

class Form4 : public Page {
    Q_OBJECT

public:
    explicit Form4(PageHost& host, QWidget* parent = nullptr);

private slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

private:
    void createLabels();
    void createScoreLine();
    void createButtons();
    void orderButtons();
    void connectHandlers();
    void Form_Load();
    // The name in blue, then the score sentence, on one line.
    void showScoreLine(const QString& name, const std::string& sentence);
    void showClass(int susceptibilityClass);

    RichTextView* richTextBox1_ = nullptr;
    // The class scale from top to bottom: Label5 (class 4) to Label8 (class 1).
    std::array<QLabel*, 4> scale_{};
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
    QPushButton* command3_ = nullptr;
};

} // namespace tellumo
