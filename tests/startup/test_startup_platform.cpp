// The words naming the display that could not be opened, and the check for
// Japanese faces over a list of installed font families.
#include "Fonts.h"
#include "Platform.h"
#include "TestSupport.h"

#include <QtTest>

using namespace tellumo;
using namespace tellumo::testing;

class TestStartupPlatform : public QObject {
    Q_OBJECT

private slots:
    void describeDisplay_data();
    void describeDisplay();
    void japaneseFace_data();
    void japaneseFace();
};

void TestStartupPlatform::describeDisplay_data()
{
    addColumns<QString, QString, QString, QString>({"platform", "x11", "wayland", "expected"});

    QTest::newRow("session default, X11") << "" << ":59" << "" << R"(X11 display ":59")";
    QTest::newRow("session default, Wayland") << "" << "" << "wayland-1" << R"(Wayland display "wayland-1")";
    QTest::newRow("session default, both")
        << "" << ":0" << "wayland-1" << R"(X11 display ":0" or Wayland display "wayland-1")";
    QTest::newRow("xcb chosen") << "xcb" << "remote:10.0" << "wayland-1" << R"(X11 display "remote:10.0")";
    QTest::newRow("xcb without DISPLAY") << "xcb" << "" << "" << "X11 display (DISPLAY is not set)";
    QTest::newRow("wayland, default socket") << "wayland" << ":0" << "" << R"(Wayland display "wayland-0")";
    QTest::newRow("wayland-egl") << "wayland-egl" << "" << "w" << R"(Wayland display "w")";
    QTest::newRow("list with options")
        << "wayland:nofocus;xcb:nograb" << ":1" << "" << R"(Wayland display "wayland-0" or X11 display ":1")";
    QTest::newRow("other platform") << "vnc:size=800x600" << ":1" << "" << R"(display of platform "vnc")";
    QTest::newRow("empty list entries") << ";xcb;" << ":2" << "" << R"(X11 display ":2")";
}

void TestStartupPlatform::describeDisplay()
{
    QFETCH(QString, platform);
    QFETCH(QString, x11);
    QFETCH(QString, wayland);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(
                 Platform::describeDisplay(platform.toStdString(), x11.toStdString(), wayland.toStdString())),
             expected);
}

void TestStartupPlatform::japaneseFace_data()
{
    addColumns<QStringList, bool>({"families", "found"});

    const QStringList latin{QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Serif")};
    QTest::newRow("nothing installed") << QStringList() << false;
    QTest::newRow("Latin faces only") << latin << false;
    QTest::newRow("IPA Gothic") << (latin + QStringList{"IPAPGothic", "IPAGothic"}) << true;
    QTest::newRow("IPA Mincho alone") << QStringList{"IPAPMincho"} << true;
    QTest::newRow("Noto CJK") << (latin + QStringList{"Noto Sans CJK JP"}) << true;
    QTest::newRow("the original face") << QStringList{ProportionalGothic} << true;
}

void TestStartupPlatform::japaneseFace()
{
    QFETCH(QStringList, families);
    QFETCH(bool, found);
    QCOMPARE(hasJapaneseFace([&](const QString& family) { return families.contains(family); }), found);
}

QTEST_APPLESS_MAIN(TestStartupPlatform)
#include "test_startup_platform.moc"
