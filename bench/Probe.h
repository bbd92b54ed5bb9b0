// Measuring helpers shared by the benchmark programs: time since the process
// was launched, CPU time, resident memory, and a QApplication that reports the
// moment a watched widget's first frame has been painted and flushed.
//
// Data flow: run.sh stamps TELLUMO_BENCH_LAUNCH just before exec; a program
// calls markLaunch() first thing, arms ProbeApplication::watchFirstFrame()
// and prints its figures with report() as "key value" lines for run.sh.
#pragma once

#include <QApplication>

#include <functional>

namespace tellumo::bench {

// Reads the launch stamp (seconds since the epoch, from the environment, or
// the kernel's process start time when it is missing). Call before QApplication.
void markLaunch();
// Seconds from the launch stamp to now.
double secondsSinceLaunch();

struct Usage {
    double wall = 0;    // monotonic seconds
    double cpu = 0;     // user + system seconds of this process
    long switches = 0;  // voluntary context switches (sleeps)
};
Usage usageNow();

// Peak and current resident set size in KiB (VmHWM, VmRSS).
long peakResidentKiB();
long residentKiB();
// Resident pages of mapped font files (.ttf, .otf, .ttc) in KiB: clean file
// pages, shared with every other process showing those fonts.
long mappedFontFilesKiB();

// When TELLUMO_BENCH_SMAPS is set, copies /proc/self/smaps to the file
// "$TELLUMO_BENCH_SMAPS.<stage>" (for finding out where resident memory goes).
void keepMemoryMap(const char* stage);

// Prints "key value" on stdout and flushes.
void report(const char* key, double value);

// Reports the time, CPU time and peak memory of the first frame, and ends
// the process at once.
[[noreturn]] void reportFirstFrameAndExit();

// Marks an instruction-count boundary when the program runs under callgrind
// (no effect otherwise): the counts since the previous mark are dumped under
// `label` and the counters are reset.
void instructionMark(const char* label);

class ProbeApplication : public QApplication {
public:
    ProbeApplication(int& argc, char** argv);

    // Calls `done` once, right after the event dispatch in which a widget
    // accepted by `match` received its first paint event has returned, that
    // is, once that frame has been painted and handed to the window system.
    // Arm it from code that is not itself inside an event handler.
    void watchFirstFrame(std::function<bool(const QObject*)> match, std::function<void()> done);
    bool watching() const { return static_cast<bool>(done_); }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    std::function<bool(const QObject*)> match_;
    std::function<void()> done_;
    int depth_ = 0;
    int armedDepth_ = 0;
    bool painted_ = false;
};

// Matches a widget by its object name.
std::function<bool(const QObject*)> named(const QString& objectName);

} // namespace tellumo::bench
