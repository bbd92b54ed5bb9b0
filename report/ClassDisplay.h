// How each of the four susceptibility classes shows, in one table: its
// caption on the score page's scale and on paper, the word that opens the
// details page's type sentence, and its colours. The score page, the details
// page and the printed result all read it.
#pragma once

#include <QColor>
#include <QString>

#include <optional>

namespace tellumo {

// The classes run from 1 ("刺されにくい") to ClassCount ("非常に刺されやすい").
inline constexpr int ClassCount = 4;

struct ClassDisplay {
    // "刺されにくい" … "非常に刺されやすい", the model's caption.
    QString caption;
    // Opens the type sentence and brings its own trailing space ("普通程度の ").
    QString word;
    // The caption's colour on the score page when it is the person's class.
    QColor marked;
    // Its colour there when it is not; none for the page's text colour.
    std::optional<QColor> unmarked;
    // The class's colour on white paper.
    QColor paper;
};

// The row of a class from 1 to ClassCount; a number outside that range is
// taken as the nearest class.
const ClassDisplay& classDisplay(int susceptibilityClass);

} // namespace tellumo
