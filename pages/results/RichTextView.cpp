#include "RichTextView.h"

#include "BoldText.h"
#include "Fonts.h"
#include "RtfReader.h"
#include "Twips.h"

#include <QAbstractTextDocumentLayout>
#include <QGlyphRun>
#include <QPainter>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

namespace tellumo {

namespace {

QTextCharFormat formatOf(const RtfRun& run)
{
    QTextCharFormat format;
    if (run.colour)
        format.setForeground(QColor(run.colour->red, run.colour->green, run.colour->blue));
    if (run.halfPoints > 0)
        format.setProperty(QTextFormat::FontPixelSize, pointsToPixels(run.halfPoints / 2.0));
    // The view's font is bold already; "\b" keeps it so and plain runs inherit it.
    if (run.bold)
        format.setFontWeight(QFont::Bold);
    return format;
}

} // namespace

RichTextView::RichTextView(QWidget* parent) : QTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setFocusPolicy(Qt::NoFocus);
    setContextMenuPolicy(Qt::NoContextMenu);
    setUndoRedoEnabled(false);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::NoWrap);
    setFont(pageFont());
    document()->setDocumentMargin(0);
    // The line reads left to right whatever it holds; a name that begins with
    // right-to-left letters must not turn the whole sentence around.
    QTextOption direction = document()->defaultTextOption();
    direction.setTextDirection(Qt::LeftToRight);
    document()->setDefaultTextOption(direction);

    // The page underneath shows through.
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    QPalette transparent = palette();
    transparent.setColor(QPalette::Base, Qt::transparent);
    setPalette(transparent);
}

void RichTextView::setRtf(const std::string& document)
{
    clear();
    QTextCursor cursor(this->document());
    for (const RtfRun& run : ReadRtf(document)) {
        const QTextCharFormat format = formatOf(run);
        const QStringList lines = QString::fromStdString(run.text).split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                cursor.insertBlock();
            if (!lines[i].isEmpty())
                cursor.insertText(lines[i], format);
        }
    }
    moveCursor(QTextCursor::Start);
    // Screen readers announce the line by the text it shows.
    setAccessibleName(toPlainText());
}

void RichTextView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    if (!drawsBoldAtDeviceSize(painter, font())) {
        painter.end();
        QTextEdit::paintEvent(event);
        return;
    }
    // The view neither scrolls nor selects: each fragment's glyphs in its
    // colour, where the document laid them out.
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        const QPointF origin = document()->documentLayout()->blockBoundingRect(block).topLeft();
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            painter.setPen(format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color()
                                                                            : palette().color(QPalette::Text));
            const QList<QGlyphRun> runs
                = layout->glyphRuns(fragment.position() - block.position(), fragment.length());
            if (drawsBoldAtDeviceSize(painter, format.font().resolve(document()->defaultFont()))) {
                drawGlyphRunsAtDeviceSize(painter, runs, origin);
            } else {
                for (const QGlyphRun& run : runs)
                    painter.drawGlyphRun(origin, run);
            }
        }
    }
}

bool RichTextView::fitsOneLine() const
{
    return document()->blockCount() == 1 && document()->idealWidth() <= contentsRect().width();
}

} // namespace tellumo
