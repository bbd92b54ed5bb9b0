// What the windows look like with the fonts this system resolves and at the
// scale factor the test runs under (QT_SCALE_FACTOR 1, 1.5 or 2): which
// faces stand in for the original ones, that no text is cut off by its
// control, that pictures come in the rendering for the screen, and that
// the layout stays in logical pixels.
#include "FidelityScenes.h"
#include "InfoDialog.h"
#include "Fonts.h"
#include "PageFactories.h"
#include "PageLabel.h"
#include "TestSupport.h"
#include "TextFit.h"
#include "Twips.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QtTest>

using namespace tellumo;
using namespace tellumo::testing;

class TestFidelity : public WidgetTest {
    Q_OBJECT

private slots:
    void initTestCase();
    void facesResolveInOrder_data();
    void facesResolveInOrder();
    void cautionContinuationsAligned_data();
    void cautionContinuationsAligned();
    void textsFit_data();
    void textsFit();
    void picturesForTheScreen_data();
    void picturesForTheScreen();
    void pictureDecodedWhenDrawn();
    void layoutInLogicalPixels_data();
    void layoutInLogicalPixels();

private:
    qreal ratio_ = 1;
};

namespace {

int sceneIndex(const QString& name)
{
    const auto& scenes = allScenes();
    const auto found = std::find_if(scenes.begin(), scenes.end(), [&](const Scene& s) { return s.name == name; });
    return found == scenes.end() ? -1 : int(found - scenes.begin());
}

QWidget* widgetNamed(QWidget* window, const QString& name)
{
    return window->objectName() == name ? window : window->findChild<QWidget*>(name);
}

// How the window differs from the picture over the picture's opaque pixels
// in `region`: in how many pixels, and by how much per colour channel on
// average.
struct Difference {
    int pixels = 0;
    double mean = 0;
};

Difference difference(const QImage& shown, const QImage& picture, const QRect& region)
{
    Difference difference;
    double sum = 0;
    int channels = 0;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x) {
            const QRgb a = shown.pixel(x, y), b = picture.pixel(x, y);
            if (qAlpha(b) < 255)
                continue;
            difference.pixels += a != b;
            sum += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
            channels += 3;
        }
    difference.mean = channels ? sum / channels : 0;
    return difference;
}

} // namespace

void TestFidelity::cautionContinuationsAligned_data()
{
    QTest::addColumn<QString>("label");
    QTest::newRow("point 2") << QStringLiteral("point2Label");
    QTest::newRow("point 3") << QStringLiteral("point3Label");
    QTest::newRow("point 4") << QStringLiteral("point4Label");
}

// The second line of a caution point starts under the first character after
// its number: measured on the drawn ink, the text keeping its spaces.
void TestFidelity::cautionContinuationsAligned()
{
    QFETCH(QString, label);
    RecordingHost host;
    auto* point = control<PageLabel>(host.start(createCautionPage), label);
    QVERIFY(point->text().contains(QStringLiteral("     ")));
    const int pitch = qRound(point->linePitch() * ratio_);

    // Where the number "２．" ends, drawn alone in the same place.
    PageLabel number(point->text().left(point->text().indexOf(QChar(0xFF0E)) + 1), PageLabel::Breaks::Plain,
                     point->parentWidget());
    number.setGeometry(point->geometry());
    number.setFont(point->font());
    const QList<int> numberInk = inkedColumns(drawnOnWhite(&number, ratio_), 0, pitch);
    QVERIFY(!numberInk.isEmpty());

    const QImage image = drawnOnWhite(point, ratio_);
    const QList<int> firstLine = inkedColumns(image, 0, pitch);
    const auto afterNumber = std::find_if(firstLine.begin(), firstLine.end(),
                                          [&](int x) { return x > numberInk.last() + 1; });
    QVERIFY(afterNumber != firstLine.end());
    const QList<int> secondLine = inkedColumns(image, pitch, 2 * pitch);
    QVERIFY(!secondLine.isEmpty());
    const qreal offset = (secondLine.first() - *afterNumber) / ratio_;
    QVERIFY2(std::abs(offset) <= 1.0, qPrintable(QStringLiteral("continuation starts %1 px off").arg(offset)));
}

void TestFidelity::initTestCase()
{
    WidgetTest::initTestCase();
    const double factor = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                              ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                              : 1.0;
    ratio_ = QGuiApplication::primaryScreen()->devicePixelRatio();
    QCOMPARE(ratio_, factor);
    qInfo("device pixel ratio %g", ratio_);
}

void TestFidelity::facesResolveInOrder_data()
{
    addColumns<QString, QStringList>({"face", "substitutes"});
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
            const QFontInfo resolved(makeFont({.face = face, .points = points, .bold = bold}));
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

void TestFidelity::picturesForTheScreen_data()
{
    // rows: logical rows compared from the top, 0 for all
    addColumns<int, QString, QString, int>({"scene", "control", "picture", "rows"});

    const struct {
        const char* control;
        const char* file;
    } splashPictures[] = {{"firstMosquito", "mosquito-dashing.jpg"}, {"secondMosquito", "mosquito-singing.jpg"},
                          {"thirdMosquito", "mosquito-turning.jpg"}, {"fallingMosquito", "mosquito-falling.jpg"},
                          {"titleArtwork", "title.gif"}};
    for (int state = 1; state <= 5; ++state) {
        const auto& [control, file] = splashPictures[state - 1];
        QTest::addRow("splash %s", control) << sceneIndex(QStringLiteral("splash state %1").arg(state))
                                            << QString::fromLatin1(control) << QStringLiteral(":/pictures/") + file << 0;
    }
    QTest::newRow("version dialog picture") << sceneIndex(QStringLiteral("VersionDialog")) << "iconPicture"
                                            << ":/pictures/version-icon.gif" << 0;
    // The row of insects along the top edge, above every control.
    QTest::newRow("questionnaire background") << sceneIndex(QStringLiteral("personal data empty")) << "PersonalDataPage"
                                              << ":/pictures/page-cyan.jpg" << 36;
    QTest::newRow("advice background") << sceneIndex(QStringLiteral("advice")) << "AdvicePage"
                                       << ":/pictures/page-yellow.jpg" << 36;
}

void TestFidelity::picturesForTheScreen()
{
    QFETCH(int, scene);
    QFETCH(QString, control);
    QFETCH(QString, picture);
    QFETCH(int, rows);
    QVERIFY(scene >= 0);

    QImage shown;
    QSize logicalSize;
    allScenes()[std::size_t(scene)].open([&](QWidget* window) {
        QWidget* widget = widgetNamed(window, control);
        QVERIFY(widget);
        logicalSize = widget->size();
        shown = widget->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    });
    QVERIFY(!shown.isNull());
    // Drawn for the screen: one image pixel per device pixel.
    QCOMPARE(shown.devicePixelRatio(), ratio_);
    QCOMPARE(shown.size(), logicalSize * ratio_);

    const QImage plain = QImage(picture).convertToFormat(QImage::Format_ARGB32);
    QVERIFY2(!plain.isNull(), qPrintable(picture));
    const QImage sharp = QImage(doubled(picture)).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(sharp.size(), plain.size() * 2);
    QSize compared = plain.size().boundedTo(logicalSize);
    if (rows > 0)
        compared.setHeight(qMin(compared.height(), rows));
    const QRect region(QPoint(0, 0), QSize(int(compared.width() * ratio_), int(compared.height() * ratio_)));

    if (ratio_ == 1.0) {
        QCOMPARE(difference(shown, plain, region).pixels, 0);
    } else if (ratio_ == 2.0) {
        // Every device pixel is the 2x picture's own pixel: nothing enlarged.
        QCOMPARE(difference(shown, sharp, region).pixels, 0);
    } else {
        // Between the two: the 2x picture reduced stays closer to what is
        // shown than the plain one enlarged, which would blur the lines.
        const QSize target = plain.size() * ratio_;
        const double fromSharp
            = difference(shown, sharp.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), region).mean;
        const double fromPlain
            = difference(shown, plain.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), region).mean;
        QVERIFY2(fromSharp < fromPlain, qPrintable(QStringLiteral("%1 vs %2").arg(fromSharp).arg(fromPlain)));
    }
}

void TestFidelity::pictureDecodedWhenDrawn()
{
    // Made before its window knows its screen, the picture box decodes
    // nothing; drawn, it holds the picture for the screen it is on.
    InfoDialog dialog(nullptr, InfoDialog::version());
    auto* icon = dialog.findChild<QLabel*>(QStringLiteral("iconPicture"));
    QVERIFY(icon);
    QVERIFY(icon->pixmap().isNull());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTRY_VERIFY(!icon->pixmap().isNull());
    const qreal pictureRatio = ratio_ > 1 ? 2.0 : 1.0;
    QCOMPARE(icon->pixmap().devicePixelRatio(), pictureRatio);
    QCOMPARE(icon->pixmap().size(), QSize(64, 64) * pictureRatio);
}

void TestFidelity::layoutInLogicalPixels_data()
{
    // place: for a window, its client area at (0, 0)
    addColumns<int, QString, QRect>({"scene", "control", "place"});

    // Twips at 15 to the pixel, the same at every scale factor.
    const auto row = [](const char* name, const char* scene, const char* control, QRect place) {
        QTest::newRow(name) << sceneIndex(QString::fromUtf8(scene)) << QString::fromLatin1(control) << place;
    };
    row("splash window", "splash state 1", "SplashWindow", QRect(0, 0, 761, 490));
    row("splash picture", "splash state 1", "firstMosquito", QRect(67, 67, 337, 187));
    row("splash credit", "splash state 5", "programmingCredit", QRect(333, 427, 433, 33));
    row("page", "personal data empty", "PersonalDataPage", QRect(0, 0, 667, 480));
    row("text box", "personal data filled", "nameField", QRect(267, 83, 133, 28));
    row("choice in its group", "questions Q1 to Q10", "q1Choice3", QRect(267, 0, 127, 20));
    row("highlighted class", "score very easily bitten", "classVeryEasilyLabel", QRect(167, 153, 333, 40));
    row("smaller page", "caution", "CautionPage", QRect(0, 0, 663, 465));
    row("dialog", "CopyrightDialog", "CopyrightDialog", QRect(0, 0, 421, 375));
    row("dialog button", "CopyrightDialog", "okButton", QRect(304, 338, 92, 23));
    row("dialog picture", "VersionDialog", "iconPicture", QRect(35, 29, 65, 66));
}

void TestFidelity::layoutInLogicalPixels()
{
    QFETCH(int, scene);
    QFETCH(QString, control);
    QFETCH(QRect, place);
    QVERIFY(scene >= 0);
    QRect actual;
    allScenes()[std::size_t(scene)].open([&](QWidget* window) {
        QWidget* widget = widgetNamed(window, control);
        QVERIFY(widget);
        actual = widget->isWindow() ? widget->rect() : widget->geometry();
    });
    QCOMPARE(actual, place);
}

QTEST_MAIN(TestFidelity)
#include "test_fidelity.moc"
