// The program's command line. Tellumo takes no options: it answers the two
// that every Linux program is asked first, --version and --help, and refuses
// anything else before a window opens. Qt never sees the arguments, so its
// own options (-reverse, -style, -stylesheet …) cannot change the windows;
// the environment (DISPLAY, QT_QPA_PLATFORM, QT_SCALE_FACTOR) still counts.
//
// Data flow: main() hands argc/argv to readCommandLine(); unless the answer
// says to run, it prints the answer's text and exits with its status.
#pragma once

#include <string>

namespace tellumo {

struct CommandLineAnswer {
    bool run = true;      // no arguments: start the program
    int status = 0;       // the exit status when not running
    std::string output;   // for standard output
    std::string error;    // for standard error
};

// versionText is the version as the windows show it ("2.00").
CommandLineAnswer readCommandLine(int argc, const char* const* argv, const std::string& versionText);

} // namespace tellumo
