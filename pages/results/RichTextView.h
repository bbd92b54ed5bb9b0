// The score page's rich-text line (scoreLine): a read-only text view
// without frame or scroll bars that shows one RTF document.
//
// Data flow: setRtf(document) -> ReadRtf -> styled runs -> one character
// format per run (colour, size, bold) in the view's QTextDocument; "\n" in a
// run starts a new block. Text outside any colour or size word keeps the
// view's own font (ＭＳ Ｐゴシック 14.25 pt bold) and text colour.
#pragma once

#include <QTextEdit>
#include <string>

namespace tellumo {

class RichTextView : public QTextEdit {
    Q_OBJECT

public:
    explicit RichTextView(QWidget* parent = nullptr);

    // Replaces the whole content with the given RTF document; the shown text
    // becomes the view's accessible name.
    void setRtf(const std::string& document);

    // Whether the whole content fits the view's width on one line.
    bool fitsOneLine() const;

protected:
    // On a scaled screen the bold runs are drawn at the device's size, so
    // that they stay bold (BoldText.h); otherwise as QTextEdit draws them.
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tellumo
