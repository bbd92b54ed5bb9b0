// Bad input on the personal data page, driven through the real pages: each
// row puts one unusual text into one field of an otherwise valid page and
// presses "次へ". The outcome is either the field's own message with the
// focus in that field and every entry left as it was, or a complete walk to
// the two result pages whose score, BMI and obesity lines are checked to the
// character: no stray number, no "nan" or "inf", no exponent, no part of the
// name lost and no fixed text disturbed by it.
#include "AssessmentRecord.h"
#include "PageFactories.h"
#include "questionnaire/QuestionnaireControls.h"
#include "TestSupport.h"

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

// The page's fields, and where the driver's entries keep the text of each.
const std::pair<const char*, QString driving::PersonalEntries::*> Fields[] = {
    {"nameField", &driving::PersonalEntries::name},     {"ageField", &driving::PersonalEntries::age},
    {"heightField", &driving::PersonalEntries::height}, {"weightField", &driving::PersonalEntries::weight},
    {"bodyFatField", &driving::PersonalEntries::bodyFat},
};

const QString NoName = QStringLiteral("氏名が入力されていません");

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

class TestBadInput : public WidgetTest {
    Q_OBJECT

private slots:
    void cleanup();

    void personalDataField_data();
    void personalDataField();

private:
    // Drives the pages of host_.
    driving::PageDriver pages_{[this] { return host_ ? host_->page() : nullptr; }};

    RecordingHost* host_ = nullptr;
};

void TestBadInput::cleanup()
{
    delete host_;
    host_ = nullptr;
    WidgetTest::cleanup();
}

void TestBadInput::personalDataField_data()
{
    // message: empty when the page is accepted
    addColumns<QString, QString, Entry, QString, Result>({"fieldName", "input", "entry", "message", "result"});

    // Every kind of number text is read through the model in its own table
    // test (PersonalDataEntryTest); these rows go through the real pages to
    // the result pages, for what only the pages do: the field's length
    // limit, how a name shows inside the sentences, messages and focus.
    const QString longNines = QStringLiteral("9").repeated(100000); // the field keeps twelve

    // The name: only the exactly empty text is refused; everything else is a
    // name and reaches both result pages.
    const FieldRows name{"nameField"};
    name.refused("empty", QString(), NoName);
    name.accepted("300 kanji", QStringLiteral("長").repeated(300), named({}));
    name.accepted("RTF braces and colour word", QStringLiteral("a}b{\\CF5 x"), named({}));
    name.accepted("RTF words and escapes", QStringLiteral("\\par\\'41\\u1234?\\b0"), named({}));
    name.accepted("markup", QStringLiteral("<b>太郎</b>&amp;"), named({}));
    name.accepted("pasted line break", QStringLiteral("山田\n花子"), named(QStringLiteral("山田 花子")), Entry::Set);
    name.accepted("C0 controls and DEL", QStringLiteral("a\x01" "b\x1b[31mc\x7f"),
                  named(QStringLiteral("a b [31mc ")));
    name.accepted("NUL", QStringLiteral("a") + QChar(0) + QStringLiteral("b"), named(QStringLiteral("a b")),
                  Entry::Set);
    name.accepted("emoji sequences", QStringLiteral("👨‍👩‍👧🇯🇵👍🏽"), named({}));
    name.accepted("right-to-left override", QStringLiteral("\u202E山田 abc"),
                  named(isolated(QStringLiteral("\u202E山田 abc"))));
    name.accepted("stray isolate marks", QStringLiteral("\u2069\u202Eabc\u2066"),
                  named(isolated(QStringLiteral("\u202Eabc"))));

    // The number fields: a full-width text typed through the input method,
    // and one longer than the field takes, set in one piece.
    const FieldRows height{"heightField"};
    height.accepted("half a centimetre, rounded to even", QStringLiteral("１７０．５"),
                    measures(QStringLiteral("10\\.4"), QStringLiteral("22\\.4")));
    // Twelve nines: every digit of the result, without exponent.
    const FieldRows weight{"weightField"};
    weight.accepted("100000 nines, set", longNines,
                    measures(QStringLiteral("1698946635356\\.1"), QStringLiteral("346020761245\\.3")), Entry::Set);
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
    QVERIFY(activate(page));

    // The driver's valid page: female (0), age over 24 (5), blood type A
    // (4), no body fat (0), normal skin (5): 14 points. The first choice of
    // every question adds 28 on the first question page and 2 on the second:
    // score 44, class 3, constitution "虚実中間型". 170 cm and 65 kg give BMI
    // 22.5 and degree 10.4. The row's text is typed with the rest, or set
    // afterwards.
    driving::PersonalEntries entries;
    for (const auto& [name, text] : Fields)
        if (fieldName == QLatin1String(name))
            entries.*text = entry == Entry::Typed ? input : QString();
    pages_.fillPersonalData(entries);
    auto* tested = control<QLineEdit>(page, fieldName);
    if (entry == Entry::Set)
        tested->setText(input);

    // The field holds what was entered, up to its length limit.
    QCOMPARE(tested->text(), input.left(fieldLimit(fieldName)));
    const PageState entered = pageState(page);
    const auto textOf = [page](const char* field) {
        return control<QLineEdit>(page, QString::fromLatin1(field))->text();
    };
    const QString name = textOf("nameField"), height = textOf("heightField"), weight = textOf("weightField");

    MessageRecorder messages;
    pages_.click(QStringLiteral("nextButton"));

    if (!message.isEmpty()) {
        QCOMPARE(messages.messages(), QStringList{message});
        QCOMPARE(QApplication::focusWidget(), tested);
        QTest::qWait(20); // a page change would be under way by now
        QCOMPARE(host_->page(), page);
        QVERIFY(page->isEnabled());
        QCOMPARE(pageState(page).texts, entered.texts);
        QCOMPARE(pageState(page).checked, entered.checked);
        return;
    }

    QCOMPARE(messages.messages(), QStringList());
    // What the user typed is stored as the field holds it.
    const AssessmentRecord& record = host_->record();
    QCOMPARE(QString::fromStdString(record.PersonalData[Name].text()), name);
    QCOMPARE(QString::fromStdString(record.PersonalData[HeightText].text()), height);
    QCOMPARE(QString::fromStdString(record.PersonalData[WeightText].text()), weight);

    for (const auto& [pageName, first, last] : {std::tuple("QuestionsQ1toQ10Page", 1, 10),
                                                 std::tuple("QuestionsQ11toQ19Page", 11, 19)}) {
        QVERIFY2(pages_.waitFor(QString::fromLatin1(pageName)), pageName);
        pages_.answer(first, last);
        pages_.click(QStringLiteral("nextButton"));
    }
    QWidget* scorePage = pages_.waitFor(QStringLiteral("ScorePage"));
    QVERIFY(scorePage);
    QCOMPARE(messages.messages(), QStringList());

    const QString shown = result.shownName.isNull() ? name : result.shownName;
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
    pages_.click(QStringLiteral("detailsButton"));

    QWidget* detailsPage = pages_.waitFor(QStringLiteral("DetailsPage"));
    QVERIFY(detailsPage);
    auto* typeLine = detailsPage->findChild<QLabel*>(QStringLiteral("typeSentenceLabel"));
    QVERIFY(typeLine);
    const QString lead = QStringLiteral("刺されやすい "), phrase = QStringLiteral(" さんは 虚実中間型 です。");
    QVERIFY(typeLine->text().startsWith(lead) && typeLine->text().endsWith(phrase));
    QVERIFY(shownWholeOrShortened(typeLine->text().mid(lead.size()).chopped(phrase.size()), shown));
    // However long the name, the sentence keeps to its one line and to the
    // place it has for a short name.
    RecordingHost shortName;
    QCOMPARE(typeLine->geometry(),
             control(shortName.startScored(createDetailsPage, "N", 44), QStringLiteral("typeSentenceLabel"))->geometry());
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
