// The result on paper: everything the four result pages show for one record,
// laid out for a printed page rather than copied from the screen.
//
// Data flow: printResult() computes the score on a copy of the record (the
// record itself is left as it is), takes every text from ResultTexts, each
// class's caption, word and colour from ClassDisplay and the name through
// shownName(), and paints page by page onto a PDF writer or a printer: the
// title with the name and the date, the score line, the class on the
// four-class scale, the constitution type, obesity degree and BMI with their
// explanations and the BMI legend, then the caution points and the advice.
// Text is broken into lines as the pages' labels break it (ParagraphLayout,
// at the paper's own pitch). Everything is drawn as text in the pages'
// faces, so a PDF embeds those faces and its text can be selected and
// searched; only the glyphs of colour faces (emoji), which a PDF embeds
// blank, are painted over as pictures as well. A block that does not fit on
// the rest of a page starts the next one.
#pragma once

#include <QPageLayout>

class QDate;
class QPagedPaintDevice;

namespace tellumo {

struct AssessmentRecord;

// A4 portrait with the margins the result is laid out for.
QPageLayout resultPageLayout();

// Paints the result onto `device`, which must not have a painter yet, and
// returns the number of pages painted; 0 when the device cannot be painted
// on (a printer that cannot be opened, for instance).
int printResult(QPagedPaintDevice& device, const AssessmentRecord& record, const QDate& date);

} // namespace tellumo
