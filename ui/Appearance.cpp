#include "Appearance.h"

#include "BoldText.h"
#include "Fonts.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tellumo {

namespace {
struct RoleColours {
    QPalette::ColorRole role;
    QRgb normal;   // active and inactive windows
    QRgb disabled;
};

// Qt's light palette, as it draws without a desktop theme.
constexpr RoleColours Colours[] = {
    {QPalette::WindowText, 0xff000000, 0xffbebebe},
    {QPalette::Button, 0xffefefef, 0xffefefef},
    {QPalette::Light, 0xffffffff, 0xffffffff},
    {QPalette::Midlight, 0xffcacaca, 0xffcacaca},
    {QPalette::Dark, 0xff9f9f9f, 0xffbebebe},
    {QPalette::Mid, 0xffb8b8b8, 0xffb8b8b8},
    {QPalette::Text, 0xff000000, 0xffbebebe},
    {QPalette::BrightText, 0xffffffff, 0xffffffff},
    {QPalette::ButtonText, 0xff000000, 0xffbebebe},
    {QPalette::Base, 0xffffffff, 0xffefefef},
    {QPalette::Window, 0xffefefef, 0xffefefef},
    {QPalette::Shadow, 0xff767676, 0xffb1b1b1},
    {QPalette::Highlight, 0xff308cc6, 0xff919191},
    {QPalette::HighlightedText, 0xffffffff, 0xffffffff},
    {QPalette::Link, 0xff0000ff, 0xff0000ff},
    {QPalette::LinkVisited, 0xffff00ff, 0xffff00ff},
    {QPalette::AlternateBase, 0xfff7f7f7, 0xfff7f7f7},
    {QPalette::NoRole, 0xff000000, 0xff000000},
    {QPalette::ToolTipBase, 0xffffffdc, 0xffffffdc},
    {QPalette::ToolTipText, 0xff000000, 0xff000000},
    {QPalette::PlaceholderText, 0x80000000, 0x80000000},
};
static_assert(std::size(Colours) == QPalette::NColorRoles);
} // namespace

QPalette programPalette()
{
    QPalette palette;
    for (const RoleColours& colours : Colours) {
        const QColor normal = QColor::fromRgba(colours.normal);
        palette.setColor(QPalette::Active, colours.role, normal);
        palette.setColor(QPalette::Inactive, colours.role, normal);
        palette.setColor(QPalette::Disabled, colours.role, QColor::fromRgba(colours.disabled));
    }
    return palette;
}

bool installJapaneseQtTexts()
{
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);
    // The application owns the translators; later ones are asked first.
    auto* qt = new QTranslator(qApp);
    const bool found = qt->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"),
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (found)
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    auto* own = new QTranslator(qApp);
    if (own->load(QStringLiteral(":/translations/tellumo_qt_ja.qm")))
        QCoreApplication::installTranslator(own);
    else
        delete own;
    return found;
}

void installAppearance()
{
    installFontSubstitutions();
    installBoldTextStyle();
    // Every role of every group is set, so a theme change while the program
    // runs (the desktop switching to dark) leaves the palette as it is.
    QApplication::setPalette(programPalette());
    // Without a desktop theme Qt asks fontconfig for "Sans Serif", which
    // answers for the locale's language: DejaVu Sans in most, a Japanese face
    // under a Japanese locale, with other widths and line heights. The menu
    // bar, message boxes and Qt's dialogs keep the first in every locale.
    QFont interfaceFont = QApplication::font();
    interfaceFont.setFamilies({QStringLiteral("DejaVu Sans"), interfaceFont.family()});
    QApplication::setFont(interfaceFont);
    installJapaneseQtTexts();
}

} // namespace tellumo
