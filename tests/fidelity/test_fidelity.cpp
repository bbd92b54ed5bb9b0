// What the windows look like with the fonts this system resolves and at the
// scale factor the test runs under (QT_SCALE_FACTOR 1, 1.5 or 2): which
// faces stand in for the original ones, that no text is cut off by its
// control, that pictures come in the rendering for the screen, and that
// the layout stays in logical pixels.
#include "FidelityScenes.h"
#include "Fonts.h"
#include "TestSupport.h"
#include "TextFit.h"
#include "Twips.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QtTest>

using namespace tellumo;
using namespace tellumo::testing;

class TestFidelity : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void facesResolveInOrder_data();
    void facesResolveInOrder();
    void textsFit_data();
    void textsFit();
};

void TestFidelity::initTestCase()
{
    installFontSubstitutions();
    const double factor = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                              ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                              : 1.0;
    QCOMPARE(QGuiApplication::primaryScreen()->devicePixelRatio(), factor);
    qInfo("device pixel ratio %g", QGuiApplication::primaryScreen()->devicePixelRatio());
}

void TestFidelity::facesResolveInOrder_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<QStringList>("substitutes");
    for (const auto& [face, substitutes] : fontSubstitutionTable())
        QTest::newRow(qPrintable(face)) << face << substitutes;
}

void TestFidelity::facesResolveInOrder()
{
    QFETCH(QString, face);
    QFETCH(QStringList, substitutes);
    // The original face where the system has it, else the first substitute
    // it has, at every size and weight the windows use.
    const QStringList installed = QFontDatabase::families();
    const QStringList candidates = QStringList{face} + substitutes;
    const auto first = std::find_if(candidates.begin(), candidates.end(),
                                    [&](const QString& family) { return installed.contains(family); });
    QVERIFY2(first != candidates.end(), "none of the faces is installed");
    for (double points : {8.25, 12.0, 14.25, 18.0, 21.75, 24.0})
        for (bool bold : {false, true}) {
            const QFontInfo resolved(makeFont(face, points, bold));
            QCOMPARE(resolved.family(), *first);
            QCOMPARE(resolved.pixelSize(), pointsToPixels(points));
        }
}

void TestFidelity::textsFit_data()
{
    QTest::addColumn<int>("scene");
    const auto& scenes = allScenes();
    for (std::size_t i = 0; i < scenes.size(); ++i)
        QTest::newRow(qPrintable(scenes[i].name)) << int(i);
}

void TestFidelity::textsFit()
{
    QFETCH(int, scene);
    QStringList clipped;
    allScenes()[std::size_t(scene)].open([&](QWidget* window) { clipped = clippedTexts(window); });
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("; "))));
}

QTEST_MAIN(TestFidelity)
#include "test_fidelity.moc"
