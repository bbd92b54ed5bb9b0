#include "CommandLine.h"

namespace tellumo {

namespace {

constexpr int UsageError = 2;

std::string usage()
{
    return "Usage: tellumo [--help | --version]\n"
           "\n"
           "Tellumo is a desktop questionnaire that judges how easily a person is bitten\n"
           "by mosquitoes. It takes no options: it opens its window and asks everything\n"
           "there.\n"
           "\n"
           "  --help     show this text and exit\n"
           "  --version  show the version and exit\n"
           "\n"
           "Environment:\n"
           "  DISPLAY          the X11 display to open (WAYLAND_DISPLAY for Wayland)\n"
           "  QT_QPA_PLATFORM  the window system to use, e.g. xcb, wayland or offscreen\n"
           "  QT_SCALE_FACTOR  scales every window, e.g. 2 on a high-resolution screen\n";
}

} // namespace

CommandLineAnswer readCommandLine(int argc, const char* const* argv, const std::string& versionText)
{
    if (argc <= 1)
        return {};
    const std::string argument = argv[1];
    if (argc == 2 && argument == "--version")
        return {false, 0, "Tellumo " + versionText + "\n", {}};
    if (argc == 2 && argument == "--help")
        return {false, 0, usage(), {}};
    const std::string& odd = argument == "--version" || argument == "--help" ? std::string(argv[2]) : argument;
    return {false, UsageError, {}, "tellumo: unrecognised argument '" + odd + "' (see tellumo --help)\n"};
}

} // namespace tellumo
