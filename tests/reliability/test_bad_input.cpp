// Bad input on the personal data page, driven through the real pages: each
// row puts one unusual text into one field of an otherwise valid page and
// presses "次へ". The outcome is either the field's own message with the
// focus in that field and every entry left as it was, or a complete walk to
// the two result pages whose score, BMI and obesity lines are checked to the
// character: no stray number, no "nan" or "inf", no exponent, no part of the
// name lost and no fixed text disturbed by it.
#include "AssessmentRecord.h"
#include "Fonts.h"
#include "PageFactories.h"
#include "questionnaire/QuestionnaireControls.h"
#include "TestSupport.h"
#include "Twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextEdit>
#include <QtTest>

#include <tuple>

using namespace tellumo;
using namespace tellumo::testing;

namespace {

// How the row's text gets into its field: typed (key clicks for printable
// ASCII, input-method commits for everything else) or set in one piece, as a
// paste would.
enum class Entry { Typed, Set };

// What an accepted row must show on the result pages.
struct Result {
    QString shownName;    // the name inside the two sentences; null: the name field's text
    int score = 44;
    QString obesity;      // pattern for the obesity degree; empty: the line stays empty
    QString bmi;          // pattern for the BMI; empty: the line stays empty
};

} // namespace

Q_DECLARE_METATYPE(Entry)
Q_DECLARE_METATYPE(Result)

namespace {

const QStringList Fields = {"nameField", "ageField", "heightField", "weightField", "bodyFatField"};

// A valid page: female (0), age over 24 (5), blood type A (4), no body fat
// (0), normal skin (5): 14 points. The first choice of every question adds
// 28 on the first question page and 2 on the second: score 44, class 3,
// constitution "虚実中間型". 170 cm and 65 kg give BMI 22.5 and degree 10.4.
const QStringList BaseTexts = {QStringLiteral("蚊野 花子"), "30", "170", "65", ""};
const QStringList BaseOptions = {"femaleOption", "bloodTypeA", "normalSkinOption"};

const QString NoName = QStringLiteral("氏名が入力されていません");
const QString NoAge = QStringLiteral("年齢が入力されていません");
const QString BadAge = QStringLiteral("年齢を正しく入力してください");
const QString NoHeight = QStringLiteral("身長が入力されていません");
const QString BadHeight = QStringLiteral("身長を正しく入力してください");
const QString NoWeight = QStringLiteral("体重が入力されていません");
const QString BadWeight = QStringLiteral("体重を正しく入力してください");
const QString BadBodyFat = QStringLiteral("体脂肪率を正しく入力してください");

const QString Sentence = QStringLiteral(" さんの総合点数は100点満点で%1点です。");

// How much each field takes: the name, and the numbers.
int fieldLimit(const QString& fieldName)
{
    return fieldName == QLatin1String("nameField") ? questionnaire::TextMaxLength
                                                   : questionnaire::NumberMaxLength;
}

// Whether `shown` is the name as a one-line sentence may show it: whole, or
// a start of it followed by "…" (inside the isolates of a directional name).
bool shownWholeOrShortened(const QString& shown, const QString& name)
{
    if (shown == name)
        return true;
    const QChar isolate(0x2068), popIsolate(0x2069), ellipsis(0x2026);
    const bool isolated = name.startsWith(isolate);
    const QString inner = isolated ? name.mid(1, name.size() - 2) : name;
    QString cut = shown;
    if (isolated) {
        if (!cut.startsWith(isolate) || !cut.endsWith(popIsolate))
            return false;
        cut = cut.mid(1, cut.size() - 2);
    }
    return cut.endsWith(ellipsis) && inner.startsWith(cut.chopped(1));
}

QLineEdit* field(QWidget* page, const QString& name)
{
    auto* box = page->findChild<QLineEdit*>(name);
    if (!box)
        qFatal("no field %s", qPrintable(name));
    return box;
}

QAbstractButton* button(QWidget* page, const QString& name)
{
    auto* found = page->findChild<QAbstractButton*>(name);
    if (!found)
        qFatal("no button %s", qPrintable(name));
    return found;
}

QString labelText(QWidget* page, const char* name)
{
    auto* label = page->findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
}

QStringList fieldTexts(QWidget* page)
{
    QStringList texts;
    for (const QString& name : Fields)
        texts << field(page, name)->text();
    return texts;
}

QStringList checkedOptions(QWidget* page)
{
    QStringList checked;
    for (QAbstractButton* option : page->findChildren<QAbstractButton*>())
        if (option->isChecked())
            checked << option->objectName();
    checked.sort();
    return checked;
}

// The rows of one field share its name and the messages it may give.
struct FieldRows {
    const char* field;

    void refused(const char* tag, const QString& input, const QString& message,
                 Entry entry = Entry::Typed) const
    {
        QTest::addRow("%s: %s", field, tag) << QString::fromLatin1(field) << input << entry << message
                                            << Result{};
    }
    void accepted(const char* tag, const QString& input, const Result& result,
                  Entry entry = Entry::Typed) const
    {
        QTest::addRow("%s: %s", field, tag) << QString::fromLatin1(field) << input << entry << QString()
                                            << result;
    }
};

Result plain(int score = 44) { return Result{{}, score, QStringLiteral("10\\.4"), QStringLiteral("22\\.5")}; }

Result measures(const QString& obesity, const QString& bmi)
{
    return Result{{}, 44, obesity, bmi};
}

Result named(const QString& shown) { return Result{shown, 44, QStringLiteral("10\\.4"), QStringLiteral("22\\.5")}; }

// The isolating marks around a name that carries its own writing direction.
QString isolated(const QString& name)
{
    return QChar(0x2068) + name + QChar(0x2069);
}

} // namespace

class TestBadInput : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void personalDataField_data();
    void personalDataField();

private:
    // Drives the pages of host_.
    driving::PageDriver pages_{[this] { return host_ ? host_->page() : nullptr; }};

    RecordingHost* host_ = nullptr;
};

void TestBadInput::initTestCase()
{
    installFontSubstitutions();
}

void TestBadInput::cleanup()
{
    delete host_;
    host_ = nullptr;
    QTRY_VERIFY2(visibleTopLevels().isEmpty(), qPrintable(visibleTopLevels().join(u',')));
}

void TestBadInput::personalDataField_data()
{
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<QString>("input");
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<QString>("message"); // empty: the page is accepted
    QTest::addColumn<Result>("result");

    const QString longKanji = QStringLiteral("蚊").repeated(100000);
    const QString longAscii = QStringLiteral("a").repeated(100000);
    const QString longNines = QStringLiteral("9").repeated(100000);
    const QString longFullWidth = QStringLiteral("１").repeated(100000);
    // Longer than any field takes: what is left is the field's first characters.
    const QString tinyHeight = QStringLiteral("0.") + QStringLiteral("0").repeated(199) + QStringLiteral("1");

    // The name: only the exactly empty text is refused; everything else is a
    // name and reaches both result pages unchanged.
    const FieldRows name{"nameField"};
    name.refused("empty", QString(), NoName);
    name.accepted("ASCII blanks", QStringLiteral("   "), named({}));
    name.accepted("full-width blanks", QStringLiteral("　　"), named({}));
    name.accepted("ASCII digits", QStringLiteral("12345"), named({}));
    name.accepted("full-width digits", QStringLiteral("１２３４５"), named({}));
    name.accepted("signs", QStringLiteral("+-−＋－"), named({}));
    name.accepted("decimal points", QStringLiteral(".．"), named({}));
    name.accepted("1e309", QStringLiteral("1e309"), named({}));
    name.accepted("inf", QStringLiteral("inf"), named({}));
    name.accepted("nan", QStringLiteral("nan"), named({}));
    name.accepted("zero", QStringLiteral("0"), named({}));
    name.accepted("minus zero", QStringLiteral("-0"), named({}));
    name.accepted("negative", QStringLiteral("-12.5"), named({}));
    name.accepted("100000 kanji, typed", longKanji, named({}));
    name.accepted("100000 letters, set", longAscii, named({}), Entry::Set);
    name.accepted("300 kanji", QStringLiteral("長").repeated(300), named({}));
    name.accepted("RTF braces and colour word", QStringLiteral("a}b{\\CF5 x"), named({}));
    name.accepted("two backslashes", QStringLiteral("\\\\"), named({}));
    name.accepted("RTF header", QStringLiteral("{\\rtf1}"), named({}));
    name.accepted("closing groups early", QStringLiteral("}}}} {{{{"), named({}));
    name.accepted("RTF words and escapes", QStringLiteral("\\par\\'41\\u1234?\\b0"), named({}));
    name.accepted("markup", QStringLiteral("<b>太郎</b>&amp;"), named({}));
    name.accepted("tab", QStringLiteral("山田\t花子"), named({}));
    name.accepted("pasted line break", QStringLiteral("山田\n花子"), named(QStringLiteral("山田 花子")), Entry::Set);
    name.accepted("CR LF", QStringLiteral("山田\r\n花子"), named(QStringLiteral("山田  花子")));
    name.accepted("C0 controls and DEL", QStringLiteral("a\x01" "b\x1b[31mc\x7f"),
                  named(QStringLiteral("a b [31mc ")));
    name.accepted("NUL", QStringLiteral("a") + QChar(0) + QStringLiteral("b"), named(QStringLiteral("a b")),
                  Entry::Set);
    name.accepted("line and paragraph separators", QStringLiteral("a\u2028b\u2029c"), named(QStringLiteral("a b c")));
    name.accepted("non-BMP kanji", QStringLiteral("𠮷野家"), named({}));
    name.accepted("emoji", QStringLiteral("🦟 蚊 😀"), named({}));
    name.accepted("emoji sequences", QStringLiteral("👨‍👩‍👧🇯🇵👍🏽"), named({}));
    name.accepted("combining mark first", QStringLiteral("\u0301あ"), named({}));
    name.accepted("variation selector", QStringLiteral("葛\U000E0100城"), named({}));
    name.accepted("right-to-left letters", QStringLiteral("שרה כהן"), named(isolated(QStringLiteral("שרה כהן"))));
    name.accepted("right-to-left override", QStringLiteral("\u202E山田 abc"),
                  named(isolated(QStringLiteral("\u202E山田 abc"))));
    name.accepted("stray isolate marks", QStringLiteral("\u2069\u202Eabc\u2066"),
                  named(isolated(QStringLiteral("\u202Eabc"))));

    // Age: a whole or decimal number of zero or more; over 24 gives 5
    // points, otherwise 3.
    const FieldRows age{"ageField"};
    age.refused("empty", QString(), NoAge);
    age.refused("ASCII blanks", QStringLiteral("  "), BadAge);
    age.refused("full-width blanks", QStringLiteral("　"), BadAge);
    age.accepted("ASCII digits", QStringLiteral("30"), plain());
    age.accepted("full-width digits", QStringLiteral("３０"), plain());
    age.accepted("plus sign", QStringLiteral("+30"), plain());
    age.accepted("full-width plus sign", QStringLiteral("＋３０"), plain());
    age.refused("negative", QStringLiteral("-30"), BadAge);
    age.refused("negative with minus sign", QStringLiteral("−30"), BadAge);
    age.accepted("trailing point", QStringLiteral("30."), plain());
    age.accepted("full-width decimal", QStringLiteral("２４．１"), plain());
    age.accepted("leading point", QStringLiteral(".5"), plain(42));
    age.refused("point alone", QStringLiteral("."), BadAge);
    age.refused("two points", QStringLiteral("2.4.1"), BadAge);
    age.accepted("24 is not over 24", QStringLiteral("24"), plain(42));
    age.refused("1e309", QStringLiteral("1e309"), BadAge);
    age.refused("inf", QStringLiteral("inf"), BadAge);
    age.refused("nan", QStringLiteral("nan"), BadAge);
    age.accepted("zero", QStringLiteral("0"), plain(42));
    age.accepted("minus zero", QStringLiteral("-0"), plain(42));
    age.accepted("blanks and tabs around", QStringLiteral("\t 30　"), plain());
    age.accepted("100000 nines, set", longNines, plain(), Entry::Set);
    age.accepted("100000 full-width ones", longFullWidth, plain());
    age.refused("control character", QStringLiteral("3\x01" "0"), BadAge);
    age.refused("tab inside", QStringLiteral("3\t0"), BadAge);
    age.refused("grouping", QStringLiteral("1,000"), BadAge);
    age.refused("hexadecimal", QStringLiteral("0x1E"), BadAge);
    age.refused("with its unit", QStringLiteral("30歳"), BadAge);
    age.refused("Arabic-Indic digits", QStringLiteral("٣٠"), BadAge);
    age.refused("mathematical digits", QStringLiteral("𝟑𝟎"), BadAge);
    age.refused("emoji", QStringLiteral("🦟"), BadAge);

    // Height: a number above zero; outside 51..190 cm there is no obesity
    // degree, and a height so small that the BMI leaves the doubles shows an
    // empty BMI line rather than a wrong number.
    const FieldRows height{"heightField"};
    height.refused("empty", QString(), NoHeight);
    height.refused("ASCII blanks", QStringLiteral(" "), BadHeight);
    height.refused("full-width blanks", QStringLiteral("　　"), BadHeight);
    height.accepted("ASCII digits", QStringLiteral("170"), plain());
    height.accepted("full-width digits", QStringLiteral("１７０"), plain());
    height.accepted("plus sign", QStringLiteral("+170"), plain());
    height.refused("negative", QStringLiteral("-170"), BadHeight);
    height.accepted("half a centimetre, rounded to even", QStringLiteral("１７０．５"),
                    measures(QStringLiteral("10\\.4"), QStringLiteral("22\\.4")));
    height.refused("point alone", QStringLiteral("．"), BadHeight);
    height.refused("1e309", QStringLiteral("1e309"), BadHeight);
    height.refused("inf", QStringLiteral("inf"), BadHeight);
    height.refused("nan", QStringLiteral("nan"), BadHeight);
    height.refused("zero", QStringLiteral("0"), BadHeight);
    height.refused("minus zero", QStringLiteral("-0"), BadHeight);
    height.refused("zero with decimals", QStringLiteral("0.000"), BadHeight);
    height.accepted("1000 cm", QStringLiteral("1000"), measures({}, QStringLiteral("0\\.7")));
    height.accepted("just below the table", QStringLiteral("50.9"), measures({}, QStringLiteral("250\\.9")));
    height.accepted("a hundredth of a millimetre", QStringLiteral("0.001"),
                    measures({}, QStringLiteral("650000000000")));
    height.refused("so small that what fits is zero", tinyHeight, BadHeight, Entry::Set);
    height.accepted("100000 nines, set", longNines, measures({}, QStringLiteral("0")), Entry::Set);
    height.refused("control character", QStringLiteral("170\x02"), BadHeight);
    height.refused("with its unit", QStringLiteral("170cm"), BadHeight);
    height.refused("emoji", QStringLiteral("📏"), BadHeight);

    // Weight: a number of zero or more.
    const FieldRows weight{"weightField"};
    weight.refused("empty", QString(), NoWeight);
    weight.refused("ASCII blanks", QStringLiteral("   "), BadWeight);
    weight.refused("full-width blanks", QStringLiteral("　"), BadWeight);
    weight.accepted("ASCII digits", QStringLiteral("65"), plain());
    weight.accepted("full-width digits", QStringLiteral("６５"), plain());
    weight.accepted("decimal", QStringLiteral("65.5"), measures(QStringLiteral("11\\.3"), QStringLiteral("22\\.7")));
    weight.refused("negative", QStringLiteral("-65"), BadWeight);
    weight.refused("full-width negative", QStringLiteral("－６５"), BadWeight);
    weight.refused("1e309", QStringLiteral("1e309"), BadWeight);
    weight.refused("inf", QStringLiteral("inf"), BadWeight);
    weight.refused("nan", QStringLiteral("nan"), BadWeight);
    weight.accepted("zero", QStringLiteral("0"), measures(QStringLiteral("-100"), QStringLiteral("0")));
    weight.accepted("minus zero", QStringLiteral("-0"), measures(QStringLiteral("-100"), QStringLiteral("0")));
    // Every digit of the result, without exponent: more than the line can show.
    weight.refused("exponent", QStringLiteral("1e308"), BadWeight);
    // Twelve nines: every digit of the result, without exponent.
    weight.accepted("100000 nines, set", longNines,
                    measures(QStringLiteral("1698946635356\\.1"), QStringLiteral("346020761245\\.3")), Entry::Set);
    weight.refused("control character", QStringLiteral("\x1b" "65"), BadWeight);
    weight.refused("with its unit", QStringLiteral("65kg"), BadWeight);
    weight.refused("emoji", QStringLiteral("⚖️"), BadWeight);

    // Body fat: empty is no percentage; otherwise 0..100. 20 % of 65 kg is
    // 13 kg: 5 points.
    const FieldRows bodyFat{"bodyFatField"};
    bodyFat.accepted("empty", QString(), plain());
    bodyFat.refused("ASCII blanks", QStringLiteral("  "), BadBodyFat);
    bodyFat.refused("full-width blanks", QStringLiteral("　"), BadBodyFat);
    bodyFat.accepted("ASCII digits", QStringLiteral("20"), plain(49));
    bodyFat.accepted("full-width digits", QStringLiteral("２０"), plain(49));
    bodyFat.accepted("just under 13 kg", QStringLiteral("19.9"), plain());
    bodyFat.accepted("plus sign", QStringLiteral("+20"), plain(49));
    bodyFat.refused("negative", QStringLiteral("-1"), BadBodyFat);
    bodyFat.accepted("zero", QStringLiteral("0"), plain());
    bodyFat.accepted("minus zero", QStringLiteral("-0"), plain());
    bodyFat.accepted("100 per cent", QStringLiteral("100"), plain(49));
    bodyFat.refused("over 100 per cent", QStringLiteral("100.1"), BadBodyFat);
    bodyFat.refused("point alone", QStringLiteral("."), BadBodyFat);
    bodyFat.refused("1e309", QStringLiteral("1e309"), BadBodyFat);
    bodyFat.refused("inf", QStringLiteral("inf"), BadBodyFat);
    bodyFat.refused("nan", QStringLiteral("nan"), BadBodyFat);
    bodyFat.refused("100000 nines, set", longNines, BadBodyFat, Entry::Set);
    bodyFat.refused("control character", QStringLiteral("2\x7f" "0"), BadBodyFat);
    bodyFat.refused("with its unit", QStringLiteral("20%"), BadBodyFat);
    bodyFat.refused("emoji", QStringLiteral("💯"), BadBodyFat);
}

void TestBadInput::personalDataField()
{
    QFETCH(QString, fieldName);
    QFETCH(QString, input);
    QFETCH(Entry, entry);
    QFETCH(QString, message);
    QFETCH(Result, result);

    host_ = new RecordingHost;
    QWidget* page = host_->start(createPersonalDataPage);
    page->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(page));

    for (int i = 0; i < Fields.size(); ++i) {
        QLineEdit* box = field(page, Fields[i]);
        if (Fields[i] != fieldName)
            typeText(box, BaseTexts[i]);
        else if (entry == Entry::Set)
            box->setText(input);
        else
            typeText(box, input);
    }
    for (const QString& option : BaseOptions)
        QTest::mouseClick(button(page, option), Qt::LeftButton);

    // The field holds what was entered, up to its length limit.
    QLineEdit* tested = field(page, fieldName);
    QCOMPARE(tested->text(), input.left(fieldLimit(fieldName)));
    const QStringList texts = fieldTexts(page);
    const QStringList options = checkedOptions(page);

    MessageRecorder messages;
    QTest::mouseClick(button(page, QStringLiteral("nextButton")), Qt::LeftButton);

    if (!message.isEmpty()) {
        QCOMPARE(messages.messages(), QStringList{message});
        QCOMPARE(QApplication::focusWidget(), tested);
        QTest::qWait(20); // a page change would be under way by now
        QCOMPARE(host_->page(), page);
        QVERIFY(page->isEnabled());
        QCOMPARE(fieldTexts(page), texts);
        QCOMPARE(checkedOptions(page), options);
        return;
    }

    QCOMPARE(messages.messages(), QStringList());
    // What the user typed is stored as the field holds it.
    const AssessmentRecord& record = host_->record();
    QCOMPARE(QString::fromStdString(record.PersonalData[Name].text()), texts[0]);
    QCOMPARE(QString::fromStdString(record.PersonalData[HeightText].text()), texts[2]);
    QCOMPARE(QString::fromStdString(record.PersonalData[WeightText].text()), texts[3]);

    for (const auto& [pageName, first, last] : {std::tuple("QuestionsQ1toQ10Page", 1, 10),
                                                 std::tuple("QuestionsQ11toQ19Page", 11, 19)}) {
        QVERIFY2(pages_.waitFor(QString::fromLatin1(pageName)), pageName);
        pages_.answer(first, last);
        pages_.click(QStringLiteral("nextButton"));
    }
    QWidget* scorePage = pages_.waitFor(QStringLiteral("ScorePage"));
    QVERIFY(scorePage);
    QCOMPARE(messages.messages(), QStringList());

    const QString shown = result.shownName.isNull() ? texts[0] : result.shownName;
    auto* line = scorePage->findChild<QTextEdit*>(QStringLiteral("scoreLine"));
    QVERIFY(line);
    // A name too long for the line gives way to the score.
    const QString sentence = Sentence.arg(result.score);
    QVERIFY(line->toPlainText().endsWith(sentence));
    const QString shownOnLine = line->toPlainText().chopped(sentence.size());
    QVERIFY2(shownWholeOrShortened(shownOnLine, shown), qPrintable(shownOnLine));
    // The line reads left to right from the name on, whatever the name's
    // own writing direction: the sentence stands after it, not before it.
    const auto xAt = [line](int position) {
        QTextCursor cursor(line->document());
        cursor.setPosition(position);
        return line->cursorRect(cursor).left();
    };
    const int sentenceStart = static_cast<int>(shownOnLine.size());
    QCOMPARE(xAt(0), 0);
    QVERIFY(xAt(sentenceStart + 1) < xAt(sentenceStart + 5));
    QCOMPARE(labelText(scorePage, "degreeLabel"), QStringLiteral("あなたの蚊に刺されやすさ度は"));
    QCOMPARE(labelText(scorePage, "classEasilyLabel"), QStringLiteral("刺されやすい"));
    QTest::mouseClick(button(scorePage, QStringLiteral("detailsButton")), Qt::LeftButton);

    QWidget* detailsPage = pages_.waitFor(QStringLiteral("DetailsPage"));
    QVERIFY(detailsPage);
    auto* typeLine = detailsPage->findChild<QLabel*>(QStringLiteral("typeSentenceLabel"));
    QVERIFY(typeLine);
    const QString lead = QStringLiteral("刺されやすい "), phrase = QStringLiteral(" さんは 虚実中間型 です。");
    QVERIFY(typeLine->text().startsWith(lead) && typeLine->text().endsWith(phrase));
    QVERIFY(shownWholeOrShortened(typeLine->text().mid(lead.size()).chopped(phrase.size()), shown));
    // However long the name, the sentence keeps to its one line and its place.
    QCOMPARE(typeLine->geometry(), twipsRect(1800, 1200, 8000, 420));
    static const QRegularExpression lineBreak(QStringLiteral("[\\r\\n\\x{2028}\\x{2029}]"));
    QVERIFY(!typeLine->text().contains(lineBreak));

    const auto checkMeasure = [&](const char* labelName, const QString& before, const QString& pattern,
                                  const QString& after) {
        const QString text = labelText(detailsPage, labelName);
        if (pattern.isEmpty()) {
            QCOMPARE(text, QString());
            return;
        }
        const QRegularExpression shape(QRegularExpression::anchoredPattern(
            QRegularExpression::escape(before) + pattern + QRegularExpression::escape(after)));
        QVERIFY2(shape.match(text).hasMatch(), qPrintable(text.left(200)));
    };
    checkMeasure("obesityLabel", QStringLiteral("あなたの肥満度は　"), result.obesity, QStringLiteral("%　です。"));
    checkMeasure("bmiLabel", QStringLiteral("あなたのBMIは　"), result.bmi, QStringLiteral("　です。"));
    QCOMPARE(messages.messages(), QStringList());
}

QTEST_MAIN(TestBadInput)
#include "test_bad_input.moc"
