// Work that every page change would otherwise repeat, done once while the
// splash waits: the two page backgrounds decoded for the screen, and each
// page built once off screen and painted into an image, so that Qt has
// resolved its faces, shaped nothing new for the fixed texts' fonts and
// rendered their glyphs into its glyph caches. A later page change then only
// builds and paints the page.
//
// Nothing here shows a window, touches the run's assessment record or keeps
// a page: each page is made on a scratch record, filled as a walk through
// the questionnaire fills it, and deleted after painting.
#pragma once

#include <QtGlobal>

namespace tellumo::PagePreparation {

// Decodes both page backgrounds at `devicePixelRatio` into the pages' store.
void decodeBackgrounds(qreal devicePixelRatio);

// Builds each of the seven pages, paints it into an image at
// `devicePixelRatio` and deletes it again.
void paintEveryPageOnce(qreal devicePixelRatio);

} // namespace tellumo::PagePreparation
