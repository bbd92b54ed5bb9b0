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

#include <QString>
#include <functional>
#include <string>

namespace tellumo {

// The typed name as a sentence shows it (see above).
QString shownName(const std::string& typed);

// The shown name itself when fits(name) holds; otherwise its longest start,
// cut between whole characters (never inside a surrogate pair or a
// combining sequence) and followed by "…", that fits. An isolated name stays
// isolated. If not even "…" alone fits, that is what is returned.
QString fittedName(const QString& shown, const std::function<bool(const QString&)>& fits);

} // namespace tellumo
