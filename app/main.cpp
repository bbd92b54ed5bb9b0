#include "Module1.h"
#include "StandardStreams.h"

#include <cstdlib>

int main(int argc, char** argv)
{
    // First, before anything opens a file or a socket (StandardStreams.h).
    if (!tellumo::openStandardStreams())
        return EXIT_FAILURE;
    return tellumo::Module1::Main(argc, argv);
}
