// How the program looks whatever the desktop: its faces, its bold, its
// colours, and Qt's own texts in Japanese.
//
// The pages' cyan and yellow pictures and black texts are the program's own,
// so the colours Qt draws its parts in (window backgrounds, text boxes,
// buttons, choices, menus, message boxes, Qt's dialogs) are fixed too: the
// classic light desktop's, whatever theme the desktop has. And the program is
// Japanese whatever the locale: Qt's context menus, file and print dialogs
// and questions speak Japanese, and show dates and sizes the Japanese way.
#pragma once

#include <QPalette>

namespace tellumo {

// Font substitutes, the bold style, programPalette() and the Japanese texts
// for the whole application. Called once, right after the application
// object is made.
void installAppearance();

QPalette programPalette();

// Loads Qt's Japanese translation (Debian's qt6-translations-l10n) and the
// program's own translation of the few texts it lacks. False when Qt's is
// not installed: Qt's texts then stay English.
bool installJapaneseQtTexts();

} // namespace tellumo
