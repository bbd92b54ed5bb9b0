// The person's name as the result pages show it inside their sentences.
//
// Data flow: PersonalData[Name] keeps the text exactly as typed; the score
// and details pages pass it through shownName() before they put it between
// the fixed words of their sentences. Only the display changes:
// - control characters (a pasted line break, for instance) show as a space,
//   the way the name's text box showed them, instead of breaking the line;
// - a name that carries its own writing direction (right-to-left letters or
//   direction controls) is set apart as one isolated run, so it can neither
//   reorder nor reverse the words around it.
// A page whose sentence must stay on one line then asks fittedName() for
// the longest start of that name that still fits, ending in "…".
#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <functional>
#include <string>

namespace tellumo {

inline QString shownName(const std::string& typed)
{
    constexpr QChar FirstStrongIsolate(0x2068);
    constexpr QChar PopDirectionalIsolate(0x2069);

    QString shown;
    bool directional = false;
    for (const char32_t c : QString::fromStdString(typed).toUcs4()) {
        switch (QChar::direction(c)) {
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirRLE:
        case QChar::DirRLO:
        case QChar::DirLRE:
        case QChar::DirLRO:
        case QChar::DirPDF:
            directional = true;
            break;
        case QChar::DirLRI:
        case QChar::DirRLI:
        case QChar::DirFSI:
        case QChar::DirPDI:
            // The name's own isolates would pair up with the one around it.
            directional = true;
            continue;
        default:
            break;
        }
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

// The shown name itself when fits(name) holds; otherwise its longest start,
// cut between whole characters (never inside a surrogate pair or a
// combining sequence) and followed by "…", that fits. An isolated name stays
// isolated. If not even "…" alone fits, that is what is returned.
QString fittedName(const QString& shown, const std::function<bool(const QString&)>& fits);

} // namespace tellumo
