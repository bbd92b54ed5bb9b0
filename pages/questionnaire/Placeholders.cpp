// Temporary: replaced by the real pages as they are written.
#include "PageFactories.h"
#include "Page.h"
namespace tellumo {
QWidget* createForm1(PageHost& host) { return new Page(host, QStringLiteral("Form1"), 10005, 7200, CyanBackground); }
QWidget* createForm2(PageHost& host) { return new Page(host, QStringLiteral("Form2"), 10005, 7200, CyanBackground); }
QWidget* createForm3(PageHost& host) { return new Page(host, QStringLiteral("Form3"), 10005, 7200, CyanBackground); }
}
