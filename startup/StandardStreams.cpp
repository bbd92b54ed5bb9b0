#include "StandardStreams.h"

#if !defined(_WIN32)
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tellumo {

bool openStandardStreams()
{
#if !defined(_WIN32)
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // Every lower descriptor is open by now, so open() returns fd itself;
        // the dup2() is for safety, not expected to run.
        const int opened = open("/dev/null", O_RDWR);
        if (opened == -1)
            return false;
        if (opened != fd) {
            const bool moved = dup2(opened, fd) == fd;
            close(opened);
            if (!moved)
                return false;
        }
    }
#endif
    return true;
}

} // namespace tellumo
