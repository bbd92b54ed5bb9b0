// The built-in pictures: every one decodes in its format and size, each @2x
// rendering is exactly twice its picture, the splash pictures sit on the
// splash window's yellow, the window icon is a 32 x 32, 16-colour ICO, and
// the page backgrounds are plain field under every control of every page.
#include "Twips.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QtTest>

#include <algorithm>
#include <cstdlib>

using namespace tellumo;

namespace {

const QString Dir = QStringLiteral(":/pictures/");

// The plain fields of the two page backgrounds, as drawn.
const QColor CyanField(192, 255, 255);
const QColor YellowField(255, 250, 205);
// JPEG may move a flat colour by a step or two; more would show as a box
// around a label painted in the page colour.
constexpr int CyanTolerance = 2;
constexpr int YellowTolerance = 3;

QString doubled(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return name.left(dot) + QStringLiteral("@2x") + name.mid(dot);
}

QImage load(const QString& name)
{
    QImageReader reader(Dir + name);
    return reader.read();
}

int channelDistance(QRgb pixel, const QColor& colour)
{
    return std::max({std::abs(qRed(pixel) - colour.red()),
                     std::abs(qGreen(pixel) - colour.green()),
                     std::abs(qBlue(pixel) - colour.blue())});
}

// The worst pixel of `area` against `colour`; empty when all are within
// `tolerance`, else a description of the first worst one.
QString offField(const QImage& image, const QRect& area, const QColor& colour, int tolerance)
{
    int worst = 0;
    QPoint where;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const int distance = channelDistance(image.pixel(x, y), colour);
            if (distance > worst) {
                worst = distance;
                where = QPoint(x, y);
            }
        }
    }
    if (worst <= tolerance)
        return {};
    return QStringLiteral("pixel (%1,%2) is %3, %4 off the field colour %5")
        .arg(where.x())
        .arg(where.y())
        .arg(QColor(image.pixel(where)).name())
        .arg(worst)
        .arg(colour.name());
}

// Centred labels span the page, but their text is transparent and only
// as wide as its characters: `ems` full-width characters of `points` size
// (an em is `points` × 20 twips), centred in the label.
QRect centredText(int left, int top, int width, int height, double ems, double points)
{
    const int textWidth = static_cast<int>(ems * points * 20.0 + 0.5);
    return twipsRect(left + (width - textWidth) / 2, top, textWidth, height);
}

// A left-aligned transparent label that is wider than any text it gets:
// the first `ems` em of it.
QRect leftText(int left, int top, int height, double ems, double points)
{
    return twipsRect(left, top, static_cast<int>(ems * points * 20.0 + 0.5), height);
}

// Every file of :/pictures, with its format and pixel size.
struct Picture {
    const char* name;
    const char* format;
    int width;
    int height;
};

const Picture Pictures[] = {
    {"Picture1.jpg", "jpeg", 339, 187},
    {"Picture2.jpg", "jpeg", 259, 203},
    {"Picture3.jpg", "jpeg", 261, 209},
    {"Picture4.jpg", "jpeg", 250, 400},
    {"Picture5.gif", "gif", 473, 242},
    {"page-cyan.jpg", "jpeg", 663, 480},
    {"page-yellow.jpg", "jpeg", 663, 465},
    {"picIcon.gif", "gif", 64, 64},
    {"tellumo.ico", "ico", 32, 32},
    {"icon-64.png", "png", 64, 64},
    {"icon-128.png", "png", 128, 128},
    {"icon-256.png", "png", 256, 256},
};

// Pictures that also come at double resolution.
const char* const Doubled[] = {
    "Picture1.jpg", "Picture2.jpg", "Picture3.jpg", "Picture4.jpg", "Picture5.gif",
    "page-cyan.jpg", "page-yellow.jpg", "picIcon.gif",
};

} // namespace

class TestResources : public QObject {
    Q_OBJECT

private slots:
    void formatAndSize_data();
    void formatAndSize();
    void doubleResolution_data();
    void doubleResolution();
    void nothingElseIsBuiltIn();
    void splashGroundIsYellow_data();
    void splashGroundIsYellow();
    void iconIsSixteenColours();
    void iconHasTransparentCorners();
    void scalableIconIsSelfContained();
    void pageFieldUnderControls_data();
    void pageFieldUnderControls();
};

void TestResources::formatAndSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("size");
    for (const Picture& picture : Pictures) {
        QTest::newRow(picture.name) << QString::fromLatin1(picture.name)
                                    << QByteArray(picture.format)
                                    << QSize(picture.width, picture.height);
    }
}

void TestResources::formatAndSize()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    QFETCH(QSize, size);

    QImageReader reader(Dir + name);
    QVERIFY2(reader.canRead(), qPrintable(reader.errorString()));
    QCOMPARE(reader.format(), format);
    QCOMPARE(reader.size(), size);
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), size);
}

void TestResources::doubleResolution_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : Doubled)
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestResources::doubleResolution()
{
    QFETCH(QString, name);

    QImageReader single(Dir + name);
    QImageReader twice(Dir + doubled(name));
    QVERIFY2(twice.canRead(), qPrintable(doubled(name) + QStringLiteral(": ") + twice.errorString()));
    QCOMPARE(twice.format(), single.format());
    const QImage image = twice.read();
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), single.size() * 2);
}

void TestResources::nothingElseIsBuiltIn()
{
    QSet<QString> expected{QStringLiteral("tellumo.svg")};
    for (const Picture& picture : Pictures)
        expected.insert(QString::fromLatin1(picture.name));
    for (const char* name : Doubled)
        expected.insert(doubled(QString::fromLatin1(name)));

    QSet<QString> found;
    QDirIterator it(Dir, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        found.insert(it.filePath().mid(Dir.size()));
    }
    QCOMPARE(found - expected, QSet<QString>());
    QCOMPARE(expected - found, QSet<QString>());
}

void TestResources::splashGroundIsYellow_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"Picture1.jpg", "Picture2.jpg", "Picture3.jpg", "Picture4.jpg",
                             "Picture5.gif", "picIcon.gif"}) {
        QTest::newRow(name) << QString::fromLatin1(name);
        const QString twice = doubled(QString::fromLatin1(name));
        QTest::newRow(qPrintable(twice)) << twice;
    }
}

// The splash window is pure yellow; its pictures must meet it without a
// visible edge, so each one's corners are that yellow too.
void TestResources::splashGroundIsYellow()
{
    QFETCH(QString, name);

    const QImage image = load(name).convertToFormat(QImage::Format_RGB32);
    QVERIFY(!image.isNull());
    const QColor yellow(255, 255, 0);
    const int edge = image.width() / 30;
    const QRect corners[] = {
        {0, 0, edge, edge},
        {image.width() - edge, 0, edge, edge},
        {0, image.height() - edge, edge, edge},
        {image.width() - edge, image.height() - edge, edge, edge},
    };
    for (const QRect& corner : corners) {
        const QString problem = offField(image, corner, yellow, 3);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
}

// The ICO's directory entry and bitmap header: one 32 x 32 image with a
// 16-entry palette at 4 bits per pixel.
void TestResources::iconIsSixteenColours()
{
    QFile file(Dir + QStringLiteral("tellumo.ico"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    QVERIFY(data.size() >= 6 + 16 + 40);
    const auto byte = [&](int at) { return static_cast<unsigned char>(data.at(at)); };
    const auto word = [&](int at) { return byte(at) | byte(at + 1) << 8; };
    const auto dword = [&](int at) { return word(at) | word(at + 2) << 16; };

    QCOMPARE(word(0), 0); // reserved
    QCOMPARE(word(2), 1); // icon, not cursor
    QCOMPARE(word(4), 1); // one image
    QCOMPARE(byte(6), 32); // width
    QCOMPARE(byte(7), 32); // height
    QCOMPARE(byte(8), 16); // palette entries
    QCOMPARE(word(12), 4); // bits per pixel
    const int offset = dword(18);
    QVERIFY(offset + 40 <= data.size());
    QCOMPARE(dword(offset), 40); // BITMAPINFOHEADER, not an embedded PNG
    QCOMPARE(word(offset + 14), 4);

    const QImage image = load(QStringLiteral("tellumo.ico"));
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    QVERIFY2(colours.size() <= 16, qPrintable(QString::number(colours.size())));
}

// Both the 16-colour icon and the large ones have a transparent ground,
// so the head sits on the title bar rather than in a square.
void TestResources::iconHasTransparentCorners()
{
    for (const QString& name : {QStringLiteral("tellumo.ico"), QStringLiteral("icon-64.png"),
                               QStringLiteral("icon-256.png")}) {
        const QImage image = load(name);
        QVERIFY2(image.hasAlphaChannel(), qPrintable(name));
        const int last = image.width() - 1;
        for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
            QVERIFY2(qAlpha(image.pixel(corner)) == 0, qPrintable(name));
        const QPoint middle(image.width() / 2, image.height() / 2);
        QVERIFY2(qAlpha(image.pixel(middle)) == 255, qPrintable(name));
    }
}

// tellumo.svg is installed as it is (for desktop menus), so it must not
// lean on the shared drawing files that the other pictures include.
void TestResources::scalableIconIsSelfContained()
{
    QFile file(Dir + QStringLiteral("tellumo.svg"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray svg = file.readAll();
    QVERIFY(svg.contains("<svg"));
    QVERIFY(svg.contains("viewBox="));
    QVERIFY(!svg.contains("xi:include"));
    QVERIFY(!svg.contains(".svg#"));

    if (QImageReader::supportedImageFormats().contains("svg")) {
        QImageReader reader(Dir + QStringLiteral("tellumo.svg"));
        reader.setScaledSize(QSize(48, 48));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(qAlpha(image.pixel(24, 24)), 255);
    }
}

void TestResources::pageFieldUnderControls_data()
{
    QTest::addColumn<QString>("background");
    QTest::addColumn<QRect>("area");

    const QString cyan = QStringLiteral("page-cyan.jpg");
    const QString yellow = QStringLiteral("page-yellow.jpg");
    const auto row = [](const char* name, const QString& background, const QRect& area) {
        QTest::newRow(name) << background << area;
    };

    // Form1, personal data (14.25 pt; the option buttons lie in the frames)
    row("Form1 Label2 text", cyan, centredText(0, 800, 10000, 420, 5, 14.25));
    row("Form1 Label1", cyan, twipsRect(2500, 1300, 1500, 420));
    row("Form1 Text1", cyan, twipsRect(4000, 1250, 2000, 420));
    row("Form1 Label3", cyan, twipsRect(2500, 1800, 1500, 420));
    row("Form1 Frame1", cyan, twipsRect(4000, 1800, 2835, 300));
    row("Form1 Label4", cyan, twipsRect(2500, 2300, 1500, 420));
    row("Form1 Text2", cyan, twipsRect(5000, 2250, 500, 420));
    row("Form1 Label12", cyan, twipsRect(5600, 2300, 500, 420));
    row("Form1 Label5", cyan, twipsRect(2500, 2800, 1500, 420));
    row("Form1 Text3", cyan, twipsRect(4800, 2750, 700, 420));
    row("Form1 Label13", cyan, twipsRect(5600, 2800, 500, 420));
    row("Form1 Label6", cyan, twipsRect(2500, 3300, 1500, 420));
    row("Form1 Text4", cyan, twipsRect(4800, 3250, 700, 420));
    row("Form1 Label14", cyan, twipsRect(5600, 3300, 500, 420));
    row("Form1 Label7", cyan, twipsRect(2500, 3800, 1500, 420));
    row("Form1 Frame2", cyan, twipsRect(4000, 3800, 3800, 300));
    row("Form1 Label8", cyan, twipsRect(2500, 4300, 1500, 420));
    row("Form1 Text5", cyan, twipsRect(4700, 4250, 800, 420));
    row("Form1 Label15", cyan, twipsRect(5600, 4300, 2700, 420));
    row("Form1 Label9", cyan, twipsRect(2500, 4800, 1500, 420));
    row("Form1 Frame3", cyan, twipsRect(4000, 4800, 3400, 300));
    row("Form1 Command1", cyan, twipsRect(3300, 5500, 1200, 800));
    row("Form1 Command2", cyan, twipsRect(5500, 5500, 1200, 800));

    // Form2, Q1 to Q10 (12 pt); rows 400 twips apart from 1600
    row("Form2 LabelA1 text", cyan, centredText(0, 600, 10000, 450, 3, 12));
    row("Form2 LabelA2 text", cyan, centredText(0, 1100, 10000, 420, 27, 12));
    for (int q = 1; q <= 10; ++q) {
        const int top = 1600 + 400 * (q - 1);
        const QByteArray label = "Form2 LabelQ" + QByteArray::number(q);
        const QByteArray frame = "Form2 Frame" + QByteArray::number(q);
        row(label.constData(), cyan, twipsRect(680, top, 2900, q == 1 ? 350 : 420));
        row(frame.constData(), cyan, twipsRect(3500, top, 5950, 300));
    }
    row("Form2 Command1", cyan, twipsRect(3300, 5800, 1200, 800));
    row("Form2 Command2", cyan, twipsRect(5500, 5800, 1200, 800));

    // Form3, Q11 to Q19: labels reach furthest left, frames furthest right
    row("Form3 Label2 text", cyan, centredText(0, 600, 10000, 450, 3, 12));
    row("Form3 Label5 text", cyan, centredText(0, 1100, 10000, 420, 27, 12));
    for (int q = 11; q <= 19; ++q) {
        const int top = 1600 + 400 * (q - 11);
        const QByteArray label = "Form3 Q" + QByteArray::number(q) + " label";
        const QByteArray frame = "Form3 Q" + QByteArray::number(q) + " frame";
        row(label.constData(), cyan, twipsRect(500, top, 3300, 420));
        row(frame.constData(), cyan, twipsRect(3700, top, 5800, 300));
    }
    row("Form3 Command1", cyan, twipsRect(3300, 5800, 1200, 800));
    row("Form3 Command2", cyan, twipsRect(5500, 5800, 1200, 800));

    // Form4, susceptibility result; the class scale in all four states
    // (a highlighted label moves to Left 2500 and grows to 600 high, the
    // ones below it move down by 200)
    row("Form4 Label2 text", cyan, centredText(0, 700, 10000, 420, 4, 14.25));
    row("Form4 RichTextBox1", cyan, twipsRect(2000, 1200, 7500, 420));
    row("Form4 Label3", cyan, twipsRect(2000, 1700, 5000, 420));
    row("Form4 class scale", cyan, twipsRect(2500, 2300, 5500, 2100));
    row("Form4 Label4", cyan, twipsRect(1500, 4900, 7000, 600));
    row("Form4 Command2", cyan, twipsRect(1500, 5800, 2400, 800));
    row("Form4 Command3", cyan, twipsRect(4400, 5800, 2400, 800));
    row("Form4 Command1", cyan, twipsRect(7300, 5800, 1200, 800));

    // Form5, detailed result. Label4 to Label6 are 8000 wide, past the
    // field, but carry shorter text: Label4 the longest class word, a name
    // of five full-width characters and the type phrase (22 em + 5),
    // Label5 and Label6 a sentence with a number (under 17 em).
    row("Form5 Label2 text", cyan, centredText(0, 700, 10000, 450, 7, 14.25));
    row("Form5 Label4 text", cyan, leftText(1800, 1200, 420, 27, 14.25));
    row("Form5 Label7", cyan, twipsRect(2100, 1600, 6200, 1000));
    row("Form5 Label5 text", cyan, leftText(1800, 2750, 400, 17, 14.25));
    row("Form5 Label6 text", cyan, leftText(1800, 3300, 400, 17, 14.25));
    row("Form5 Label1", cyan, twipsRect(2100, 3700, 6200, 500));
    row("Form5 Label3", cyan, twipsRect(2400, 4200, 6200, 1200));
    row("Form5 Command2", cyan, twipsRect(2800, 5600, 2000, 800));
    row("Form5 Command1", cyan, twipsRect(5800, 5600, 1200, 800));

    // Form6, caution points
    row("Form6 Label2 text", yellow, centredText(0, 800, 10000, 450, 6, 14.25));
    row("Form6 Label1", yellow, twipsRect(1000, 1500, 8000, 300));
    row("Form6 Label3", yellow, twipsRect(1000, 2200, 8100, 600));
    row("Form6 Label4", yellow, twipsRect(1000, 3200, 8000, 600));
    row("Form6 Label5", yellow, twipsRect(1000, 4200, 8000, 600));
    row("Form6 Command2", yellow, twipsRect(2800, 5500, 2000, 800));
    row("Form6 Command1", yellow, twipsRect(5800, 5500, 1200, 800));

    // Form7, advice
    row("Form7 Label1 text", yellow, centredText(0, 700, 10000, 450, 5, 14.25));
    row("Form7 Label2", yellow, twipsRect(1000, 1200, 8000, 600));
    row("Form7 Label3", yellow, twipsRect(1000, 2050, 8000, 900));
    row("Form7 Label4", yellow, twipsRect(1000, 3180, 7995, 1200));
    row("Form7 Label5", yellow, twipsRect(1000, 4600, 8200, 900));
    row("Form7 Command1", yellow, twipsRect(4400, 5700, 1200, 800));
}

// Under each control the background is its plain field, at both sizes.
void TestResources::pageFieldUnderControls()
{
    QFETCH(QString, background);
    QFETCH(QRect, area);

    const bool cyan = background.startsWith(QStringLiteral("page-cyan"));
    const QColor field = cyan ? CyanField : YellowField;
    const int tolerance = cyan ? CyanTolerance : YellowTolerance;

    for (int scale : {1, 2}) {
        const QString name = scale == 1 ? background : doubled(background);
        const QImage image = load(name).convertToFormat(QImage::Format_RGB32);
        QVERIFY2(!image.isNull(), qPrintable(name));
        const QRect scaled(area.topLeft() * scale, area.size() * scale);
        QVERIFY2(image.rect().contains(scaled), qPrintable(name));
        const QString problem = offField(image, scaled, field, tolerance);
        QVERIFY2(problem.isEmpty(), qPrintable(name + QStringLiteral(": ") + problem));
    }
}

QTEST_GUILESS_MAIN(TestResources)
#include "test_resources.moc"
