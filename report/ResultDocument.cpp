#include "ResultDocument.h"

#include "AssessmentRecord.h"
#include "ClassDisplay.h"
#include "Fonts.h"
#include "Judgement.h"
#include "PageLook.h"
#include "ParagraphLayout.h"
#include "ResultTexts.h"
#include "ShownName.h"

#include <QDate>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QGlyphRun>
#include <QPainterPath>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

namespace tellumo {

namespace {

// Type sizes on paper, in points.
constexpr qreal TitlePoints = 20;
constexpr qreal HeadingPoints = 13;
constexpr qreal NamePoints = 11.5;
constexpr qreal ResultPoints = 12;
constexpr qreal MarkedClassPoints = 12;
constexpr qreal ClassPoints = 10;
constexpr qreal BodyPoints = 10;
constexpr qreal ExplanationPoints = 9;
constexpr qreal FooterPoints = 8;

// Line pitch in ems: Japanese running text wants air between its lines.
constexpr qreal BodyPitch = 1.55;
constexpr qreal TightPitch = 1.3;

// Distances in millimetres.
constexpr qreal DecorationWidth = 36;
constexpr qreal FooterHeight = 7;
constexpr qreal SectionGap = 5.5;
constexpr qreal ParagraphGap = 2;
constexpr qreal ExplanationIndent = 5;

const QColor Ink(0, 0, 0);
// The explanations' blue, as on the details page.
const QColor ExplanationBlue(0, 0, 255);
// The name's blue in the score line.
const QColor NameBlue(0, 0, 255);
// Rules and frames: the pages' cyan, deep enough to show on white paper.
const QColor RuleColour(0, 150, 170);
const QColor Faint(120, 120, 120);

// A pale tint of a colour, for fills behind text in that colour.
QColor tint(const QColor& colour)
{
    constexpr qreal strength = 0.14;
    const auto mix = [](int channel) { return qRound(255 - (255 - channel) * strength); };
    return QColor(mix(colour.red()), mix(colour.green()), mix(colour.blue()));
}

// The pages' gothic face on paper.
QFont gothic(qreal points, bool bold = false)
{
    return makeFont({.points = points, .bold = bold, .use = FontUse::Paper});
}

// Whether a face draws its glyphs as colour pictures (emoji) rather than
// outlines. A PDF embeds such a face without anything to draw, so its
// glyphs come out blank on paper.
bool isColourFace(const QRawFont& font, quint32 glyph)
{
    static std::map<QString, bool> known;
    const auto found = known.find(font.familyName());
    if (found != known.end())
        return found->second;
    const QImage picture = font.alphaMapForGlyph(glyph, QRawFont::PixelAntialiasing);
    const bool colour = picture.format() == QImage::Format_ARGB32_Premultiplied;
    known.emplace(font.familyName(), colour);
    return colour;
}

// Paints the glyphs of colour faces in `layout` as pictures, where the
// layout's own drawing left them blank.
void drawColourGlyphs(QPainter& painter, const QTextLayout& layout, const QPointF& topLeft)
{
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QList<quint32> glyphs = run.glyphIndexes();
        if (glyphs.isEmpty() || !isColourFace(run.rawFont(), glyphs.first()))
            continue;
        const QList<QPointF> positions = run.positions();
        const QRawFont font = run.rawFont();
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i) {
            const QImage picture = font.alphaMapForGlyph(glyphs[i], QRawFont::PixelAntialiasing);
            const QRectF box = font.boundingRect(glyphs[i]);
            if (!picture.isNull() && !box.isEmpty())
                painter.drawImage(box.translated(topLeft + positions[i]), picture);
        }
        painter.restore();
    }
}

// What the result says for one record.
struct Result {
    QString name;
    QString date;
    std::optional<std::uint8_t> score;
    int susceptibilityClass = 0;
    QString typeSentence;
    QString obesityLine;
    QString bmiLine;
};

Result resultOf(const AssessmentRecord& record, const QDate& date)
{
    Result result;
    result.name = shownName(record.PersonalData[Name].text());
    result.date = QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
    AssessmentRecord judged = record;
    // A corrupted record has none: the score page says so, and so does the paper.
    result.score = TryComputeSusceptibilityScore(judged);
    if (result.score) {
        result.susceptibilityClass = ClassifySusceptibility(*result.score);
        result.typeSentence = classDisplay(result.susceptibilityClass).word + result.name
            + ResultTexts::typePhrase(ClassifyConstitution(judged.answerTotal()));
    }
    result.obesityLine = ResultTexts::obesityLine(judged);
    result.bmiLine = ResultTexts::bmiLine(judged);
    return result;
}

// One text laid out for a width (ParagraphLayout.h), its lines a fixed
// pitch apart from the block's top-left corner, each centred in its pitch.
// Lines read left to right whatever the name in them holds.
class TextBlock {
public:
    struct Options {
        // Line pitch in ems.
        qreal pitch = BodyPitch;
        // Wrapped lines fill the width, as Japanese type sets them; a
        // paragraph's last line stays left.
        Qt::Alignment alignment = Qt::AlignJustify;
        // A break before each inner run of spaces, as on the caution page.
        bool breakBeforeSpaceRuns = false;
        // Every line after the first starts under this character of the
        // first line ("靴下" under the "足" after "２．"); -1 for none.
        qsizetype hangAt = -1;
        // Colours of parts of the first paragraph.
        QList<QTextLayout::FormatRange> formats;
    };

    TextBlock(const QString& text, const QFont& font, QPaintDevice* device, qreal width)
        : TextBlock(text, font, device, width, Options())
    {
    }

    TextBlock(const QString& text, const QFont& font, QPaintDevice* device, qreal width, const Options& options)
        : layout_(text, font, device,
                  {.width = width,
                   .pitch = options.pitch * font.pointSizeF() * device->logicalDpiY() / 72,
                   .baselineInPitch = std::nullopt,
                   .textOption = paperTextOption(options.alignment),
                   .breakBeforeSpaceRuns = options.breakBeforeSpaceRuns,
                   .hangAt = options.hangAt,
                   .firstParagraphFormats = options.formats})
    {
    }

    qreal height() const { return layout_.height(); }
    qreal naturalWidth() const { return layout_.naturalWidth(); }

    void draw(QPainter& painter, const QPointF& topLeft, const QColor& colour) const
    {
        painter.setPen(colour);
        for (const auto& layout : layout_.paragraphs()) {
            layout->draw(&painter, topLeft);
            drawColourGlyphs(painter, *layout, topLeft);
        }
    }

private:
    static QTextOption paperTextOption(Qt::Alignment alignment)
    {
        QTextOption option(alignment);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        option.setTextDirection(Qt::LeftToRight);
        return option;
    }

    ParagraphLayout layout_;
};

// The paper being filled: where the next block goes, and a new page when a
// block does not fit on the rest of this one. Without a painter it only
// counts the pages.
class Sheet {
public:
    Sheet(QPagedPaintDevice& device, QPainter* painter, int pageCount)
        : device_(device), painter_(painter), pageCount_(pageCount),
          width_(device.width()), bottom_(device.height() - mm(FooterHeight))
    {
        startPage();
    }

    QPaintDevice* device() const { return &device_; }
    qreal width() const { return width_; }
    int page() const { return page_; }
    qreal mm(qreal millimetres) const { return millimetres * device_.logicalDpiY() / 25.4; }

    // Space before the next block, dropped at the top of a page.
    void space(qreal millimetres) { pendingSpace_ = std::max(pendingSpace_, mm(millimetres)); }

    // Places a block of `height` (with `keepWith` more that must follow on
    // the same page) and has `draw` paint it from its top edge.
    void place(qreal height, const std::function<void(QPainter&, qreal top)>& draw, qreal keepWith = 0)
    {
        if (y_ > 0 && y_ + pendingSpace_ + height + keepWith > bottom_)
            nextPage();
        else if (y_ > 0)
            y_ += pendingSpace_;
        pendingSpace_ = 0;
        if (painter_)
            draw(*painter_, y_);
        y_ += height;
    }

    void text(const TextBlock& block, const QColor& colour, qreal left = 0, qreal keepWith = 0)
    {
        place(
            block.height(),
            [&](QPainter& painter, qreal top) { block.draw(painter, QPointF(left, top), colour); },
            keepWith);
    }

private:
    void nextPage()
    {
        if (painter_)
            device_.newPage();
        ++page_;
        y_ = 0;
        startPage();
    }

    // "Tellumo" at the foot of every page, and the page number when there
    // is more than one.
    void startPage()
    {
        if (!painter_)
            return;
        const QFont font = gothic(FooterPoints);
        const TextBlock name(QStringLiteral("Tellumo"), font, &device_, width_);
        const qreal top = device_.height() - name.height();
        name.draw(*painter_, QPointF(0, top), Faint);
        if (pageCount_ > 1) {
            TextBlock::Options right;
            right.alignment = Qt::AlignRight;
            const TextBlock number(QStringLiteral("%1 / %2").arg(page_).arg(pageCount_), font, &device_, width_,
                                   right);
            number.draw(*painter_, QPointF(0, top), Faint);
        }
    }

    QPagedPaintDevice& device_;
    QPainter* painter_;
    int pageCount_;
    qreal width_;
    qreal bottom_;
    qreal y_ = 0;
    qreal pendingSpace_ = 0;
    int page_ = 1;
};

void drawRule(QPainter& painter, const Sheet& sheet, qreal y)
{
    painter.setPen(QPen(RuleColour, sheet.mm(0.35)));
    painter.drawLine(QPointF(0, y), QPointF(sheet.width(), y));
}

// The title, the name and the date, beside the picture of a page with its
// frame of mosquitoes; a rule underneath.
void header(Sheet& sheet, const Result& result)
{
    const QImage decoration(CyanBackground);
    const qreal pictureWidth = sheet.mm(DecorationWidth);
    const qreal pictureHeight = decoration.isNull()
        ? 0
        : pictureWidth * decoration.height() / std::max(1, decoration.width());
    const qreal textWidth = sheet.width() - pictureWidth - sheet.mm(6);

    TextBlock::Options titleOptions;
    titleOptions.pitch = TightPitch;
    const TextBlock title(ResultTexts::ScoreTitle, gothic(TitlePoints, true), sheet.device(), textWidth,
                          titleOptions);
    const QString nameLabel = QStringLiteral("氏名　");
    TextBlock::Options nameOptions;
    nameOptions.hangAt = nameLabel.size();
    const TextBlock name(nameLabel + result.name, gothic(NamePoints, true), sheet.device(), textWidth, nameOptions);
    const TextBlock date(QStringLiteral("判定日　") + result.date, gothic(BodyPoints), sheet.device(), textWidth);
    const qreal gap = sheet.mm(3);
    const qreal textHeight = title.height() + gap + name.height() + date.height();
    const qreal height = std::max(textHeight, pictureHeight) + sheet.mm(3);

    sheet.place(height, [&](QPainter& painter, qreal top) {
        const qreal textTop = top + std::max<qreal>(0, (pictureHeight - textHeight) / 2);
        title.draw(painter, QPointF(0, textTop), Ink);
        name.draw(painter, QPointF(0, textTop + title.height() + gap), Ink);
        date.draw(painter, QPointF(0, textTop + title.height() + gap + name.height()), Ink);
        if (!decoration.isNull()) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(QRectF(sheet.width() - pictureWidth, top, pictureWidth, pictureHeight), decoration);
        }
        drawRule(painter, sheet, top + height);
    });
}

// A part's title over a rule, kept on one page with what follows it.
void heading(Sheet& sheet, const QString& text, qreal keepWith)
{
    TextBlock::Options options;
    options.pitch = TightPitch;
    const TextBlock title(text, gothic(HeadingPoints, true), sheet.device(), sheet.width(), options);
    const qreal height = title.height() + sheet.mm(1.2);
    sheet.space(SectionGap);
    sheet.place(
        height,
        [&](QPainter& painter, qreal top) {
            title.draw(painter, QPointF(0, top), Ink);
            drawRule(painter, sheet, top + height - sheet.mm(0.6));
        },
        keepWith);
    sheet.space(ParagraphGap + 1);
}

// The four classes from "刺されにくい" to "非常に刺されやすい", left to right,
// the person's class framed and tinted in its colour under a pointer.
void classScale(Sheet& sheet, int susceptibilityClass)
{
    const qreal gap = sheet.mm(2.5);
    const qreal cellWidth = (sheet.width() - (ClassCount - 1) * gap) / ClassCount;
    const qreal cellHeight = sheet.mm(10);
    const qreal pointer = sheet.mm(3);

    std::vector<TextBlock> captions;
    TextBlock::Options centred;
    centred.alignment = Qt::AlignHCenter;
    centred.pitch = TightPitch;
    for (int c = 1; c <= ClassCount; ++c) {
        const bool marked = c == susceptibilityClass;
        captions.emplace_back(classDisplay(c).caption,
                              gothic(marked ? MarkedClassPoints : ClassPoints, marked), sheet.device(),
                              cellWidth - sheet.mm(2), centred);
    }

    sheet.place(pointer + cellHeight, [&](QPainter& painter, qreal top) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        for (int c = 1; c <= ClassCount; ++c) {
            const bool marked = c == susceptibilityClass;
            const QColor colour = classDisplay(c).paper;
            const QRectF cell((c - 1) * (cellWidth + gap), top + pointer, cellWidth, cellHeight);
            painter.setPen(QPen(marked ? colour : QColor(175, 175, 175), sheet.mm(marked ? 0.6 : 0.25)));
            painter.setBrush(marked ? QBrush(tint(colour)) : QBrush(Qt::NoBrush));
            painter.drawRoundedRect(cell, sheet.mm(1.5), sheet.mm(1.5));
            const TextBlock& caption = captions[std::size_t(c - 1)];
            caption.draw(painter,
                         QPointF(cell.left() + sheet.mm(1), cell.top() + (cellHeight - caption.height()) / 2),
                         marked ? colour : QColor(60, 60, 60));
            if (marked) {
                const qreal middle = cell.center().x();
                QPainterPath arrow;
                arrow.moveTo(middle - pointer * 0.7, top);
                arrow.lineTo(middle + pointer * 0.7, top);
                arrow.lineTo(middle, top + pointer - sheet.mm(0.6));
                arrow.closeSubpath();
                painter.fillPath(arrow, colour);
            }
        }
        painter.restore();
    });
}

// The score page: the score line with the name in blue, the class on its
// scale and the hint to read the caution points.
void scorePart(Sheet& sheet, const Result& result)
{
    QPaintDevice* device = sheet.device();
    if (!result.score) {
        sheet.space(SectionGap);
        sheet.text(TextBlock(ResultTexts::NoJudgement, gothic(ResultPoints, true), device, sheet.width()), Ink);
        return;
    }
    const QString sentence = QString::fromStdString(ResultTexts::scoreSentence(*result.score));
    TextBlock::Options line;
    QTextCharFormat blue;
    blue.setForeground(NameBlue);
    line.formats = {{0, int(result.name.size()), blue}};
    sheet.space(SectionGap);
    sheet.text(TextBlock(result.name + sentence, gothic(ResultPoints, true), device, sheet.width(), line), Ink);

    sheet.space(ParagraphGap + 1);
    const TextBlock lead(ResultTexts::DegreeLead, gothic(BodyPoints), device, sheet.width());
    sheet.text(lead, Ink, 0, sheet.mm(14));
    sheet.space(1);
    classScale(sheet, result.susceptibilityClass);
    sheet.space(ParagraphGap + 1);
    sheet.text(TextBlock(ResultTexts::CautionHint, gothic(BodyPoints), device, sheet.width()), Ink);
}

// The details page: the type sentence and its explanation, then obesity
// degree and BMI with the BMI's explanation, the legend framed beside them.
void detailsPart(Sheet& sheet, const Result& result)
{
    QPaintDevice* device = sheet.device();
    const qreal indent = sheet.mm(ExplanationIndent);
    const QFont explanationFont = gothic(ExplanationPoints);

    std::optional<TextBlock> type;
    if (!result.typeSentence.isEmpty())
        type.emplace(result.typeSentence, gothic(ResultPoints, true), device, sheet.width());
    heading(sheet, ResultTexts::DetailsTitle, type ? type->height() : 0);
    if (type)
        sheet.text(*type, Ink);
    sheet.text(TextBlock(ResultTexts::TypeExplanation, explanationFont, device, sheet.width() - indent),
               ExplanationBlue, indent);

    TextBlock::Options legendOptions;
    legendOptions.pitch = 1.4;
    const QFont legendFont = makeFont({.face = FixedGothic, .points = ExplanationPoints, .use = FontUse::Paper});
    const TextBlock legend(ResultTexts::BmiLegend, legendFont, device, sheet.width() / 2, legendOptions);
    const qreal padding = sheet.mm(3);
    const qreal legendWidth = legend.naturalWidth() + 2 * padding;
    const qreal columnWidth = sheet.width() - legendWidth - sheet.mm(6);

    std::vector<std::pair<TextBlock, qreal>> column; // a block and its indent
    for (const QString& line : {result.obesityLine, result.bmiLine})
        if (!line.isEmpty())
            column.emplace_back(TextBlock(line, gothic(ResultPoints, true), device, columnWidth), 0);
    column.emplace_back(TextBlock(ResultTexts::BmiExplanation, explanationFont, device, columnWidth - indent),
                        indent);
    qreal columnHeight = 0;
    for (const auto& [block, left] : column)
        columnHeight += block.height();
    const qreal legendHeight = legend.height() + 2 * padding;

    sheet.space(ParagraphGap + 2);
    sheet.place(std::max(columnHeight, legendHeight), [&](QPainter& painter, qreal top) {
        qreal y = top;
        for (const auto& [block, left] : column) {
            block.draw(painter, QPointF(left, y), left > 0 ? ExplanationBlue : Ink);
            y += block.height();
        }
        const QRectF frame(sheet.width() - legendWidth, top, legendWidth, legendHeight);
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(RuleColour, sheet.mm(0.25)));
        painter.setBrush(tint(PageColour));
        painter.drawRoundedRect(frame, sheet.mm(1.5), sheet.mm(1.5));
        painter.restore();
        legend.draw(painter, frame.topLeft() + QPointF(padding, padding), ExplanationBlue);
    });
}

// The caution page's four points and the advice page's four pieces of advice.
void cautionAndAdvicePart(Sheet& sheet)
{
    QPaintDevice* device = sheet.device();
    const QFont font = gothic(BodyPoints);

    std::vector<TextBlock> points;
    for (const QString& text : ResultTexts::CautionPoints) {
        TextBlock::Options point;
        point.breakBeforeSpaceRuns = true;
        // After the point number, "１．" to "４．".
        point.hangAt = text.indexOf(QChar(0xFF0E)) + 1;
        points.emplace_back(text, font, device, sheet.width(), point);
    }
    heading(sheet, ResultTexts::CautionTitle, points.front().height());
    for (const TextBlock& block : points) {
        sheet.text(block, Ink);
        sheet.space(ParagraphGap / 2);
    }

    std::vector<TextBlock> advice;
    for (const QString& text : ResultTexts::advice())
        advice.emplace_back(text, font, device, sheet.width());
    heading(sheet, ResultTexts::AdviceTitle, advice.front().height());
    for (const TextBlock& block : advice) {
        sheet.text(block, Ink);
        sheet.space(ParagraphGap);
    }
}

void compose(Sheet& sheet, const Result& result)
{
    header(sheet, result);
    scorePart(sheet, result);
    detailsPart(sheet, result);
    cautionAndAdvicePart(sheet);
}

} // namespace

QPageLayout resultPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(17, 12, 17, 10),
                       QPageLayout::Millimeter);
}

int printResult(QPagedPaintDevice& device, const AssessmentRecord& record, const QDate& date)
{
    const Result result = resultOf(record, date);
    Sheet counting(device, nullptr, 0);
    compose(counting, result);
    const int pages = counting.page();

    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    Sheet sheet(device, &painter, pages);
    compose(sheet, result);
    painter.end();
    return pages;
}

} // namespace tellumo
