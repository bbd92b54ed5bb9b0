#include "TestSupport.h"

#include "AssessmentRecord.h"
#include "Fonts.h"
#include "Messages.h"
#include "PageDriver.h"
#include "PageFactories.h"
#include "QuestionCatalogue.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QtTest>
#include <QMetaObject>
#include <QTimer>

#include <algorithm>

namespace tellumo::testing {

void WidgetTest::initTestCase()
{
    installFontSubstitutions();
}

void WidgetTest::init()
{
    record_ = freshRecord();
}

void WidgetTest::cleanup()
{
    Messages::setHook({});
    QTRY_VERIFY2_WITH_TIMEOUT(visibleTopLevels().isEmpty(), qPrintable(visibleTopLevels().join(u',')), 2000);
}

RecordingHost::RecordingHost()
    : ownRecord_(std::make_unique<AssessmentRecord>(freshRecord())), record_(ownRecord_.get())
{
}

RecordingHost::RecordingHost(AssessmentRecord& record) : record_(&record) {}

RecordingHost::~RecordingHost()
{
    delete page_.data();
}

QWidget* RecordingHost::start(const PageFactory& makeFirst)
{
    show(makeFirst(*this));
    return page_;
}

QWidget* RecordingHost::startScored(const PageFactory& makeFirst, const std::string& name, int score)
{
    fillRecordForScore(*record_, name, score);
    return start(makeFirst);
}

void RecordingHost::show(QWidget* page)
{
    page_ = page;
    page->move(0, 0);
    page->show();
}

void RecordingHost::leave(QWidget* current, std::function<void()> then)
{
    // Only so much of the main window's guard as keeps this host sound; what
    // a second request does to the program is tested on the main window.
    if (leaving_ || !current || current != page_)
        return;
    leaving_ = true;
    current->setEnabled(false);
    QMetaObject::invokeMethod(
        this,
        [this, then = std::move(then)] {
            delete page_.data();
            leaving_ = false;
            then();
        },
        Qt::QueuedConnection);
}

void RecordingHost::replacePage(QWidget* current, PageFactory makeNext)
{
    leave(current, [this, makeNext = std::move(makeNext)] { show(makeNext(*this)); });
}

void RecordingHost::endProgram(QWidget* current)
{
    leave(current, [] {});
}

MessageRecorder::MessageRecorder()
{
    Messages::setHook([this](QWidget*, const QString& text) { messages_ << text; });
}

MessageRecorder::~MessageRecorder()
{
    Messages::setHook({});
}

void typeText(QWidget* field, const QString& text)
{
    driving::typeText(field, text);
}

AssessmentRecord freshRecord()
{
    AssessmentRecord record;
    FillStandardWeightTable(record);
    return record;
}

void fillRecordForScore(AssessmentRecord& record, const std::string& name, int score)
{
    record.PersonalData[Name] = PersonalEntry(name);
    const bool high = score > 80;
    record.PersonalData[SexPointsEntry] = PersonalEntry(std::int16_t(high ? 2 : 0));
    record.PersonalData[AgePointsEntry] = PersonalEntry(std::int16_t(high ? 5 : 3));
    record.PersonalData[BloodTypePointsEntry] = PersonalEntry(std::int16_t(high ? 8 : 4));
    record.PersonalData[BodyFatPointsEntry] = PersonalEntry(std::int16_t(high ? 5 : 0));
    record.PersonalData[SkinTonePointsEntry] = PersonalEntry(std::int16_t(high ? 10 : 3));
    int rest = score - (high ? 30 : 10);
    for (int q = 1; q <= 19; ++q) {
        int highest = 0;
        for (int slot = 1; slot <= 3; ++slot)
            if (QuestionCatalogue::question(q).hasSlot(slot))
                highest = std::max(highest, int(QuestionCatalogue::encode(q, slot)));
        const int code = std::min(rest, highest);
        record.AnswerCodes[q] = static_cast<std::uint8_t>(code);
        rest -= code;
    }
    record.PersonalData[HeightText] = PersonalEntry(std::string("170"));
    record.PersonalData[WeightText] = PersonalEntry(std::string("65"));
}

QStringList storedPersonalData(const AssessmentRecord& record)
{
    QStringList entries;
    for (int i = 0; i <= 7; ++i) {
        const PersonalEntry& entry = record.PersonalData[i];
        entries << (entry.isEmpty() ? QStringLiteral("-")
                    : entry.isNumber() ? QStringLiteral("#%1").arg(entry.number())
                                       : QString::fromStdString(entry.text()));
    }
    return entries;
}

QList<int> storedCodes(const AssessmentRecord& record, int first, int last)
{
    QList<int> codes;
    for (int q = first; q <= last; ++q)
        codes << record.AnswerCodes[q];
    return codes;
}

QStringList visibleTopLevels()
{
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            names << (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                : w->objectName());
    return names;
}

PageHost::PageFactory pageFactory(const QString& pageName)
{
    const std::pair<const char*, PageHost::PageFactory> pages[] = {
        {"PersonalDataPage", createPersonalDataPage}, {"QuestionsQ1toQ10Page", createQuestionsQ1toQ10Page},
        {"QuestionsQ11toQ19Page", createQuestionsQ11toQ19Page}, {"ScorePage", createScorePage},
        {"DetailsPage", createDetailsPage}, {"CautionPage", createCautionPage}, {"AdvicePage", createAdvicePage},
    };
    for (const auto& [name, create] : pages)
        if (pageName == QLatin1String(name))
            return create;
    qFatal("no page %s", qPrintable(pageName));
}

bool activate(QWidget* window)
{
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

QStringList checkedButtons(QWidget* page)
{
    QStringList names;
    for (QAbstractButton* button : page->findChildren<QAbstractButton*>())
        if (button->isChecked())
            names << button->objectName();
    return names;
}

PageState pageState(QWidget* page)
{
    PageState state;
    for (auto* field : page->findChildren<QLineEdit*>())
        state.texts << field->text();
    state.checked = checkedButtons(page);
    QWidget* focus = page->window()->focusWidget();
    state.focus = focus ? focus->objectName() : QStringLiteral("<none>");
    state.enabled = page->isEnabled();
    return state;
}

char* toString(const PageState& state)
{
    return QTest::toString(QStringLiteral("texts [%1] checked [%2] focus %3 %4")
                               .arg(state.texts.join(u','), state.checked.join(u','), state.focus,
                                    state.enabled ? QStringLiteral("enabled") : QStringLiteral("disabled")));
}

QImage drawnOnWhite(QWidget* widget, qreal ratio)
{
    QImage image((QSizeF(widget->size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

QList<int> inkedColumns(const QImage& image, int top, int bottom, int darkerThan)
{
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x)
        for (int y = std::max(top, 0); y < std::min(bottom, image.height()); ++y)
            if (qGray(image.pixel(x, y)) < darkerThan) {
                columns << x;
                break;
            }
    return columns;
}

QString doubled(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    return path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
}

void click(QWidget* page, const QString& name)
{
    driving::clickWidget(control<QAbstractButton>(page, name));
}

ModalWatch::ModalWatch(std::function<void(QWidget* modal)> seen)
{
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this, seen = std::move(seen)] {
        QWidget* open = QApplication::activeModalWidget();
        if (!open || open == last_)
            return;
        last_ = open;
        seen(open);
    });
    timer_.start();
}

void whenModal(std::function<void(QWidget* modal)> check)
{
    QTimer::singleShot(0, [check = std::move(check)] {
        QPointer<QWidget> modal = QApplication::activeModalWidget();
        if (modal)
            check(modal);
        else
            qWarning("no modal window to check");
        if (modal && modal->isVisible())
            modal->close();
    });
}

} // namespace tellumo::testing
