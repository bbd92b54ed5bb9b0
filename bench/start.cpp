// Tellumo's start-up as the program runs it (Program::run, repeated here with
// a probing QApplication made through Program::setUpApplication), measured in
// one of two ways:
//   tellumo_start first-frame   time from launch to the splash's first painted
//                               frame, then quits there;
//   tellumo_start splash-cpu    the whole splash on the real clock; CPU time
//                               spent from the start of the first wait to the
//                               end of the last one, against its wall time.
#include "Probe.h"

#include "Fonts.h"
#include "AssessmentRecord.h"
#include "MainWindow.h"
#include "Program.h"
#include "SplashClock.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

using namespace tellumo;
using namespace tellumo::bench;

namespace {

// The program's clock, noting CPU and wall time at the first and at the last
// reading: the first reading starts the first wait, the last ends the last one.
class MeteredClock : public SteadySplashClock {
public:
    double now() override
    {
        const double time = SteadySplashClock::now();
        last_ = usageNow();
        if (!first_) {
            first_ = last_;
            // Under callgrind, the splash's count starts here.
            instructionMark("before-splash");
        }
        return time;
    }
    void idle(double seconds) override
    {
        ++idles_;
        SteadySplashClock::idle(seconds);
    }

    Usage first() const { return first_.value_or(Usage{}); }
    Usage last() const { return last_; }
    int idles() const { return idles_; }

private:
    std::optional<Usage> first_;
    Usage last_;
    int idles_ = 0;
};

} // namespace

int main(int argc, char** argv)
{
    markLaunch();
    const bool splashCpu = argc > 1 && std::strcmp(argv[1], "splash-cpu") == 0;

    // From here on as in Program::run, with the probing application object.
    const std::unique_ptr<QApplication> application = Program::setUpApplication(
        argc, argv, [](int& c, char** v) { return std::make_unique<ProbeApplication>(c, v); });
    if (!application)
        return 1;
    auto& app = static_cast<ProbeApplication&>(*application);

    if (!splashCpu) {
        app.watchFirstFrame(named(QStringLiteral("SplashWindow")), reportFirstFrameAndExit);
        SteadySplashClock clock;
        AssessmentRecord record;
        const std::unique_ptr<MainWindow> main = Program::startUp(clock, record);
        std::fputs("tellumo_start: the splash was never painted\n", stderr);
        return 1;
    }

    MeteredClock clock;
    AssessmentRecord record;
    const std::unique_ptr<MainWindow> main = Program::startUp(clock, record);
    const Usage first = clock.first();
    const Usage last = clock.last();
    // Ends the splash's count (and takes in the main window's creation, a
    // few lines more than the CPU figure, which ends at the last reading).
    instructionMark("splash");
    report("splash_wall_s", last.wall - first.wall);
    report("splash_cpu_s", last.cpu - first.cpu);
    report("splash_cpu_share", (last.cpu - first.cpu) / (last.wall - first.wall));
    report("splash_sleeps", static_cast<double>(last.switches - first.switches));
    report("splash_idles", clock.idles());
    std::_Exit(0);
}
