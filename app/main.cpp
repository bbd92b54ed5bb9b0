#include "CommandLine.h"
#include "Program.h"
#include "StandardStreams.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    // First, before anything opens a file or a socket (StandardStreams.h).
    if (!tellumo::openStandardStreams())
        return EXIT_FAILURE;
    const tellumo::CommandLineAnswer answer = tellumo::readCommandLine(argc, argv, TELLUMO_VERSION_TEXT);
    if (!answer.run) {
        std::fputs(answer.output.c_str(), stdout);
        std::fputs(answer.error.c_str(), stderr);
        return answer.status;
    }
    return tellumo::Program::run(argv[0]);
}
