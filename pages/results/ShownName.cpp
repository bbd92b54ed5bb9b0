#include "ShownName.h"

#include <QTextBoundaryFinder>

#include <vector>

namespace tellumo {

QString fittedName(const QString& shown, const std::function<bool(const QString&)>& fits)
{
    if (fits(shown))
        return shown;

    constexpr QChar FirstStrongIsolate(0x2068);
    constexpr QChar PopDirectionalIsolate(0x2069);
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
