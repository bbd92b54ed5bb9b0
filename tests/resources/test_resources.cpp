// The built-in pictures: every one decodes in its format and size, each @2x
// rendering is exactly twice its picture, the splash pictures sit on the
// splash window's yellow, the window icon is a 32 x 32, 16-colour ICO, and
// the page backgrounds are plain field under every control of every page.
#include "TestSupport.h"
#include "Twips.h"

#include <QFile>
#include <QImageReader>
#include <QSet>
#include <QtTest>

#include <algorithm>
#include <cstdlib>

using namespace tellumo;
using namespace tellumo::testing;

namespace {

const QString Dir = QStringLiteral(":/pictures/");

// Every file of :/pictures, with its format and pixel size; the first eight
// also come at double resolution.
const struct {
    const char* name;
    const char* format;
    int width, height;
} Pictures[] = {
    {"mosquito-dashing.jpg", "jpeg", 339, 187}, {"mosquito-singing.jpg", "jpeg", 259, 203}, {"mosquito-turning.jpg", "jpeg", 261, 209},
    {"mosquito-falling.jpg", "jpeg", 250, 400}, {"title.gif", "gif", 473, 242},  {"version-icon.gif", "gif", 64, 64},
    {"page-cyan.jpg", "jpeg", 663, 480}, {"page-yellow.jpg", "jpeg", 663, 465}, {"tellumo.ico", "ico", 32, 32},
    {"icon-64.png", "png", 64, 64},     {"icon-128.png", "png", 128, 128},  {"icon-256.png", "png", 256, 256},
};
constexpr int DoubledCount = 8, SplashCount = 6;

QImage load(const QString& name)
{
    return QImageReader(Dir + name).read().convertToFormat(QImage::Format_ARGB32);
}

// Empty when every pixel of `area` is within `tolerance` of `colour` on each
// channel, else where the worst one is.
QString offField(const QImage& image, const QRect& area, const QColor& colour, int tolerance)
{
    int worst = 0;
    QPoint where;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            const int distance = std::max({std::abs(qRed(p) - colour.red()), std::abs(qGreen(p) - colour.green()),
                                           std::abs(qBlue(p) - colour.blue())});
            if (distance > worst)
                worst = distance, where = QPoint(x, y);
        }
    return worst <= tolerance ? QString()
                              : QStringLiteral("pixel (%1,%2) is %3").arg(where.x()).arg(where.y())
                                    .arg(QColor(image.pixel(where)).name());
}

} // namespace

class TestResources : public QObject {
    Q_OBJECT

private slots:
    void formatAndSize_data();
    void formatAndSize();
    void splashGroundIsYellow();
    void iconIsSixteenColoursOnTransparentGround();
    void scalableIconIsSelfContained();
    void pageFieldUnderControls_data();
    void pageFieldUnderControls();
};

void TestResources::formatAndSize_data()
{
    addColumns<QString, QByteArray, QSize>({"name", "format", "size"});
    for (int i = 0; i < int(std::size(Pictures)); ++i) {
        const QString name = QString::fromLatin1(Pictures[i].name);
        const QSize size(Pictures[i].width, Pictures[i].height);
        QTest::newRow(Pictures[i].name) << name << QByteArray(Pictures[i].format) << size;
        if (i < DoubledCount)
            QTest::newRow(qPrintable(doubled(name))) << doubled(name) << QByteArray(Pictures[i].format) << size * 2;
    }
}

void TestResources::formatAndSize()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    QFETCH(QSize, size);
    QImageReader reader(Dir + name);
    QCOMPARE(reader.format(), format);
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), size);
}

// The splash window is pure yellow; its pictures must meet it without a
// visible edge, so each one's corners are that yellow too.
void TestResources::splashGroundIsYellow()
{
    for (int i = 0; i < SplashCount; ++i)
        for (const QString& name : {QString::fromLatin1(Pictures[i].name), doubled(QString::fromLatin1(Pictures[i].name))}) {
            const QImage image = load(name);
            const int edge = image.width() / 30, right = image.width() - edge, bottom = image.height() - edge;
            for (const QPoint corner : {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)}) {
                const QString problem = offField(image, QRect(corner, QSize(edge, edge)), Qt::yellow, 3);
                QVERIFY2(problem.isEmpty(), qPrintable(name + u' ' + problem));
            }
        }
}

// The ICO holds one 32 x 32 bitmap (not an embedded PNG) with a 16-entry
// palette at 4 bits per pixel; it and the large icons have a transparent
// ground, so the head sits on the title bar rather than in a square.
void TestResources::iconIsSixteenColoursOnTransparentGround()
{
    QFile file(Dir + QStringLiteral("tellumo.ico"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    const auto byte = [&](int at) { return at >= 0 && at < data.size() ? static_cast<unsigned char>(data.at(at)) : -1; };
    const auto word = [&](int at) { return byte(at) | byte(at + 1) << 8; };
    const int offset = word(18) | word(20) << 16;
    QCOMPARE(QList<int>({word(0), word(2), word(4), byte(6), byte(7), byte(8), word(12), word(offset), word(offset + 14)}),
             QList<int>({0, 1, 1, 32, 32, 16, 4, 40, 4}));

    for (const char* name : {"tellumo.ico", "icon-64.png", "icon-256.png"}) {
        const QImage image = load(QString::fromLatin1(name));
        const int last = image.width() - 1;
        for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
            QVERIFY2(qAlpha(image.pixel(corner)) == 0, name);
        QVERIFY2(qAlpha(image.pixel(last / 2, last / 2)) == 255, name);
    }
    const QImage ico = load(QStringLiteral("tellumo.ico"));
    QSet<QRgb> colours;
    for (int y = 0; y < ico.height(); ++y)
        for (int x = 0; x < ico.width(); ++x)
            colours.insert(ico.pixel(x, y));
    QVERIFY2(colours.size() <= 16, qPrintable(QString::number(colours.size())));
}

// tellumo.svg is installed as it is (for desktop menus), so it must not
// lean on the shared drawing files that the other pictures include.
void TestResources::scalableIconIsSelfContained()
{
    QFile file(Dir + QStringLiteral("tellumo.svg"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray svg = file.readAll();
    QVERIFY(svg.contains("<svg") && svg.contains("viewBox="));
    QVERIFY(!svg.contains("xi:include") && !svg.contains(".svg#"));
    if (QImageReader::supportedImageFormats().contains("svg")) {
        QImageReader reader(Dir + QStringLiteral("tellumo.svg"));
        reader.setScaledSize(QSize(48, 48));
        QCOMPARE(qAlpha(reader.read().pixel(24, 24)), 255);
    }
}

void TestResources::pageFieldUnderControls_data()
{
    addColumns<QString, QRect>({"background", "area"});
    // The smallest rectangle (twips: left, top, right, bottom) around every
    // control of the page; a centred title counts as wide as its text.
    const auto row = [](const char* page, const char* background, int left, int top, int right, int bottom) {
        QTest::newRow(page) << QString::fromLatin1(background) << twipsRect(left, top, right - left, bottom - top);
    };
    row("personal data: labels at 2500, bodyFatUnit to 8300, buttons to 6300", "page-cyan.jpg", 2500, 800, 8300, 6300);
    row("questions: Q11 to Q19 labels at 500, groups to 9500", "page-cyan.jpg", 500, 600, 9500, 6600);
    row("score: cautionHintLabel at 1500, scoreLine to 9500", "page-cyan.jpg", 1500, 700, 9500, 6600);
    row("details: typeSentenceLabel's longest text to 9495", "page-cyan.jpg", 1800, 700, 9495, 6400);
    row("caution: point2Label to 9100", "page-yellow.jpg", 1000, 800, 9100, 6300);
    row("advice: contactLabel to 9200", "page-yellow.jpg", 1000, 700, 9200, 6500);
}

// Under the controls the background is its plain field, at both sizes. JPEG
// may move a flat colour by a step or two; more would show as a box around
// a label painted in the page colour.
void TestResources::pageFieldUnderControls()
{
    QFETCH(QString, background);
    QFETCH(QRect, area);
    const bool cyan = background == QLatin1String("page-cyan.jpg");
    for (const QString& name : {background, doubled(background)}) {
        const QImage image = load(name);
        const int scale = image.width() / 663;
        const QRect scaled(area.topLeft() * scale, area.size() * scale);
        QVERIFY2(image.rect().contains(scaled), qPrintable(name));
        const QString problem = offField(image, scaled, cyan ? QColor(192, 255, 255) : QColor(255, 250, 205), cyan ? 2 : 3);
        QVERIFY2(problem.isEmpty(), qPrintable(name + u' ' + problem));
    }
}

QTEST_GUILESS_MAIN(TestResources)
#include "test_resources.moc"
