#include "Probe.h"

#include <QEvent>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define TELLUMO_HAVE_CALLGRIND 1
#endif

namespace tellumo::bench {

namespace {

double launchEpoch = 0;  // realtime seconds at launch

double clockSeconds(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

// Start time from /proc/self/stat (field 22, clock ticks since boot), turned
// into realtime seconds. Only 10 ms resolution: a fallback.
double kernelStartEpoch()
{
    std::ifstream stat("/proc/self/stat");
    std::string line;
    std::getline(stat, line);
    // Fields after the command name, which is in parentheses and may hold spaces.
    const auto close = line.rfind(')');
    if (close == std::string::npos)
        return clockSeconds(CLOCK_REALTIME);
    const char* p = line.c_str() + close + 2;
    unsigned long long startTicks = 0;
    for (int field = 3; field <= 22 && *p; ++field) {
        if (field == 22)
            startTicks = std::strtoull(p, nullptr, 10);
        p = std::strchr(p, ' ');
        if (!p)
            break;
        ++p;
    }
    const double sinceBoot = static_cast<double>(startTicks) / static_cast<double>(sysconf(_SC_CLK_TCK));
    return clockSeconds(CLOCK_REALTIME) - (clockSeconds(CLOCK_BOOTTIME) - sinceBoot);
}

long statusKiB(const char* key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::size_t length = std::strlen(key);
    while (std::getline(status, line))
        if (line.compare(0, length, key) == 0 && line.size() > length && line[length] == ':')
            return std::strtol(line.c_str() + length + 1, nullptr, 10);
    return -1;
}

} // namespace

void markLaunch()
{
    // "1700000000.123456" as bash's EPOCHREALTIME gives it under LC_ALL=C;
    // parsed by hand so the C locale's decimal point does not matter.
    if (const char* stamp = std::getenv("TELLUMO_BENCH_LAUNCH"); stamp && *stamp) {
        char* end = nullptr;
        const long long whole = std::strtoll(stamp, &end, 10);
        double fraction = 0;
        if (end && (*end == '.' || *end == ',')) {
            double scale = 0.1;
            for (const char* p = end + 1; *p >= '0' && *p <= '9'; ++p, scale /= 10)
                fraction += (*p - '0') * scale;
        }
        launchEpoch = static_cast<double>(whole) + fraction;
        return;
    }
    launchEpoch = kernelStartEpoch();
}

double secondsSinceLaunch()
{
    return clockSeconds(CLOCK_REALTIME) - launchEpoch;
}

Usage usageNow()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& tv) {
        return static_cast<double>(tv.tv_sec) + static_cast<double>(tv.tv_usec) / 1e6;
    };
    return {clockSeconds(CLOCK_MONOTONIC), seconds(usage.ru_utime) + seconds(usage.ru_stime),
            usage.ru_nvcsw};
}

long peakResidentKiB()
{
    return statusKiB("VmHWM");
}

long residentKiB()
{
    return statusKiB("VmRSS");
}

long mappedFontFilesKiB()
{
    std::ifstream smaps("/proc/self/smaps");
    std::string line;
    bool font = false;
    long total = 0;
    const auto endsWith = [](const std::string& text, const char* tail) {
        const std::size_t length = std::strlen(tail);
        return text.size() >= length && text.compare(text.size() - length, length, tail) == 0;
    };
    while (std::getline(smaps, line)) {
        if (line.empty())
            continue;
        if (std::isxdigit(static_cast<unsigned char>(line[0])) && line.find('-') < line.find(' ')) {
            // A mapping's header: "start-end perms offset dev inode path".
            font = endsWith(line, ".ttf") || endsWith(line, ".otf") || endsWith(line, ".ttc");
        } else if (font && line.compare(0, 4, "Rss:") == 0) {
            total += std::strtol(line.c_str() + 4, nullptr, 10);
        }
    }
    return total;
}

void keepMemoryMap(const char* stage)
{
    if (const char* prefix = std::getenv("TELLUMO_BENCH_SMAPS"); prefix && *prefix) {
        std::ifstream smaps("/proc/self/smaps");
        std::ofstream(std::string(prefix) + '.' + stage) << smaps.rdbuf();
    }
}

void report(const char* key, double value)
{
    std::printf("%s %.6f\n", key, value);
    std::fflush(stdout);
}

void reportFirstFrameAndExit()
{
    report("first_frame_s", secondsSinceLaunch());
    report("first_frame_cpu_s", usageNow().cpu);
    report("first_frame_peak_kib", static_cast<double>(peakResidentKiB()));
    instructionMark("first-frame");
    keepMemoryMap("first-frame");
    std::_Exit(0);
}

void instructionMark([[maybe_unused]] const char* label)
{
#ifdef TELLUMO_HAVE_CALLGRIND
    if (RUNNING_ON_VALGRIND)
        CALLGRIND_DUMP_STATS_AT(label);
#endif
}

ProbeApplication::ProbeApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void ProbeApplication::watchFirstFrame(std::function<bool(const QObject*)> match, std::function<void()> done)
{
    match_ = std::move(match);
    done_ = std::move(done);
    armedDepth_ = depth_;
    painted_ = false;
}

bool ProbeApplication::notify(QObject* receiver, QEvent* event)
{
    if (!done_)
        return QApplication::notify(receiver, event);

    if (event->type() == QEvent::Paint && !painted_ && match_(receiver))
        painted_ = true;
    ++depth_;
    const bool result = QApplication::notify(receiver, event);
    --depth_;
    if (painted_ && depth_ == armedDepth_ && done_) {
        // The outermost dispatch that painted the widget is over: its
        // children are painted too and the backing store has been flushed.
        const std::function<void()> done = std::move(done_);
        done_ = nullptr;
        match_ = nullptr;
        painted_ = false;
        done();
    }
    return result;
}

std::function<bool(const QObject*)> named(const QString& objectName)
{
    return [objectName](const QObject* object) { return object->objectName() == objectName; };
}

} // namespace tellumo::bench
