// openStandardStreams() in a child process that starts with some of its
// standard descriptors closed.
#include "StandardStreams.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tellumo {
namespace {

// Exit statuses of the child, one bit per finding.
constexpr int ReportedFailure = 1 << 0;
constexpr int StillClosed = 1 << 1;
constexpr int ClosedOneNotNull = 1 << 2;
constexpr int OpenOneReplaced = 1 << 3;

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// Closes the descriptors whose bits are set in `closed`, calls
// openStandardStreams() and checks all three; the findings are the
// child's exit status.
int runWithClosed(unsigned closed)
{
    const pid_t child = fork();
    if (child == 0) {
        struct stat before[3], null;
        // The test runner's own descriptors may be closed: put a pipe there.
        int spare[2];
        if (pipe(spare) != 0)
            _exit(ReportedFailure);
        for (int fd = 0; fd < 3; ++fd) {
            if (fcntl(fd, F_GETFD) == -1)
                dup2(spare[0], fd);
        }
        for (int fd = 0; fd < 3; ++fd)
            fstat(fd, &before[fd]);
        stat("/dev/null", &null);
        for (int fd = 0; fd < 3; ++fd) {
            if (closed & (1u << fd))
                close(fd);
        }
        int status = openStandardStreams() ? 0 : ReportedFailure;
        for (int fd = 0; fd < 3; ++fd) {
            struct stat now;
            if (fstat(fd, &now) != 0)
                status |= StillClosed;
            else if ((closed & (1u << fd)) && !(S_ISCHR(now.st_mode) && now.st_rdev == null.st_rdev))
                status |= ClosedOneNotNull;
            else if (!(closed & (1u << fd)) && !sameFile(now, before[fd]))
                status |= OpenOneReplaced;
        }
        _exit(status);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(StandardStreams, ClosedOnesGetDevNullOpenOnesStay)
{
    // Bit n: descriptor n closed at start.
    for (const unsigned closed : {0b000u, 0b001u, 0b010u, 0b100u, 0b011u, 0b101u, 0b110u, 0b111u}) {
        SCOPED_TRACE("closed mask " + std::to_string(closed));
        EXPECT_EQ(runWithClosed(closed), 0);
    }
}

} // namespace
} // namespace tellumo
