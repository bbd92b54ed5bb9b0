// Temporary: replaced by the real pages as they are written.
#include "PageFactories.h"
#include "Page.h"
namespace tellumo {
QWidget* createForm4(PageHost& host) { return new Page(host, QStringLiteral("Form4"), 10005, 7200, CyanBackground); }
QWidget* createForm5(PageHost& host) { return new Page(host, QStringLiteral("Form5"), 10005, 7200, CyanBackground); }
QWidget* createForm6(PageHost& host) { return new Page(host, QStringLiteral("Form6"), 9945, 6975, YellowBackground); }
QWidget* createForm7(PageHost& host) { return new Page(host, QStringLiteral("Form7"), 9945, 6975, YellowBackground); }
}
