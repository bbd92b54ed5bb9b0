#include "ShownName.h"

#include <QList>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <span>
#include <vector>

namespace tellumo {

namespace {

constexpr QChar FirstStrongIsolate(0x2068);
constexpr QChar PopDirectionalIsolate(0x2069);

// Characters that give a name a writing direction of its own.
constexpr QChar::Direction Directional[] = {QChar::DirR,   QChar::DirAL,  QChar::DirRLE, QChar::DirRLO,
                                            QChar::DirLRE, QChar::DirLRO, QChar::DirPDF};
// The name's own isolates would pair up with the one set around it.
constexpr QChar::Direction Isolates[] = {QChar::DirLRI, QChar::DirRLI, QChar::DirFSI, QChar::DirPDI};

bool isAnyOf(QChar::Direction direction, std::span<const QChar::Direction> set)
{
    return std::ranges::find(set, direction) != set.end();
}

} // namespace

QString shownName(const std::string& typed)
{
    QString shown;
    bool directional = false;
    for (const char32_t c : QString::fromStdString(typed).toUcs4()) {
        const QChar::Direction direction = QChar::direction(c);
        if (isAnyOf(direction, Isolates) || isAnyOf(direction, Directional))
            directional = true;
        if (isAnyOf(direction, Isolates))
            continue;
        const bool breaksLine = c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
        if (breaksLine || (QChar::category(c) == QChar::Other_Control && c != U'\t'))
            shown += QLatin1Char(' ');
        else
            shown += QChar::fromUcs4(c);
    }
    if (!directional)
        return shown;
    return FirstStrongIsolate + shown + PopDirectionalIsolate;
}

QString fittedName(const QString& shown, const std::function<bool(const QString&)>& fits)
{
    if (fits(shown))
        return shown;

    const QChar Ellipsis(0x2026);
    const bool isolated = shown.startsWith(FirstStrongIsolate) && shown.endsWith(PopDirectionalIsolate);
    const QString name = isolated ? shown.mid(1, shown.size() - 2) : shown;
    const auto shortened = [&](qsizetype length) {
        // "Alexander …" reads as a finished word: the cut drops blanks before "…".
        QString cut = name.left(length);
        while (!cut.isEmpty() && cut.back().isSpace())
            cut.chop(1);
        cut += Ellipsis;
        return isolated ? FirstStrongIsolate + cut + PopDirectionalIsolate : cut;
    };

    // Where a user-perceived character ends: the only places to cut.
    std::vector<qsizetype> ends;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, name);
    for (qsizetype end = graphemes.toNextBoundary(); end > 0; end = graphemes.toNextBoundary())
        ends.push_back(end);

    // The longer the start, the wider the line: search for the last that fits.
    qsizetype low = 0;
    qsizetype high = static_cast<qsizetype>(ends.size());
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (fits(shortened(ends[static_cast<std::size_t>(middle - 1)])))
            low = middle;
        else
            high = middle - 1;
    }
    return shortened(low > 0 ? ends[static_cast<std::size_t>(low - 1)] : 0);
}

} // namespace tellumo
