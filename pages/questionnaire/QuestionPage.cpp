#include "QuestionPage.h"

#include "AssessmentRecord.h"
#include "Controls.h"
#include "Fonts.h"
#include "Messages.h"
#include "PageFactories.h"
#include "QuestionCatalogue.h"

#include <QPushButton>

namespace tellumo {

namespace {

using namespace questionnaire;

// Where the controls stand (twips): titles, one label and one group per
// question row, the two buttons; below it, where each slot's button stands
// inside its group.
constexpr Placement QuestionsQ1toQ10Places[] = {
    {"titleLabel", 0, 600, 10000, 450},
    {"introLabel", 0, 1100, 10000, 420},
    {"question1Label", 680, 1600, 2900, 350},
    {"question2Label", 680, 2000, 2900, 420},
    {"question3Label", 680, 2400, 2900, 420},
    {"question4Label", 680, 2800, 2900, 420},
    {"question5Label", 680, 3200, 2900, 420},
    {"question6Label", 680, 3600, 2900, 420},
    {"question7Label", 680, 4000, 2900, 420},
    {"question8Label", 680, 4400, 2900, 420},
    {"question9Label", 680, 4800, 2900, 420},
    {"question10Label", 680, 5200, 2900, 420},
    {"question1Group", 3500, 1600, 5950, 300},
    {"question2Group", 3500, 2000, 5950, 300},
    {"question3Group", 3500, 2400, 5950, 300},
    {"question4Group", 3500, 2800, 5950, 300},
    {"question5Group", 3500, 3200, 5950, 300},
    {"question6Group", 3500, 3600, 5950, 300},
    {"question7Group", 3500, 4000, 5950, 300},
    {"question8Group", 3500, 4400, 5950, 300},
    {"question9Group", 3500, 4800, 5950, 300},
    {"question10Group", 3500, 5200, 5950, 300},
    {"nextButton", 3300, 5800, 1200, 800},
    {"clearButton", 5500, 5800, 1200, 800},
};

constexpr SlotPlace QuestionsQ1toQ10Slots[] = {
    {1, 0, 0, 1900, 300},
    {2, 2000, 0, 1900, 300},
    {3, 4000, 0, 1900, 300},
};

// Where the controls stand (twips): titles, one label and one group per
// question row, the two buttons; below it, where each slot's button stands
// inside its group (two-choice questions leave the middle empty).
constexpr Placement QuestionsQ11toQ19Places[] = {
    {"titleLabel", 0, 600, 10000, 450},
    {"introLabel", 0, 1100, 10000, 420},
    {"question11Label", 500, 1600, 3300, 420},
    {"question12Label", 500, 2000, 3300, 420},
    {"question13Label", 500, 2400, 3300, 420},
    {"question14Label", 500, 2800, 3300, 420},
    {"question15Label", 500, 3200, 3300, 420},
    {"question16Label", 500, 3600, 3300, 420},
    {"question17Label", 500, 4000, 3300, 420},
    {"question18Label", 500, 4400, 3300, 420},
    {"question19Label", 500, 4800, 3300, 420},
    {"question11Group", 3700, 1600, 5800, 300},
    {"question12Group", 3700, 2000, 5800, 300},
    {"question13Group", 3700, 2400, 5800, 300},
    {"question14Group", 3700, 2800, 5800, 300},
    {"question15Group", 3700, 3200, 5800, 300},
    {"question16Group", 3700, 3600, 5800, 300},
    {"question17Group", 3700, 4000, 5800, 300},
    {"question18Group", 3700, 4400, 5800, 300},
    {"question19Group", 3700, 4800, 5800, 300},
    {"nextButton", 3300, 5800, 1200, 800},
    {"clearButton", 5500, 5800, 1200, 800},
};

constexpr SlotPlace QuestionsQ11toQ19Slots[] = {
    {1, 0, 0, 1900, 300},
    {2, 2000, 0, 1800, 300},
    {3, 3900, 0, 1900, 300},
};

constexpr QuestionPageLayout QuestionsQ1toQ10{
    "QuestionsQ1toQ10Page", 1, "問診１", "次へ",
    QuestionsQ1toQ10Places, QuestionsQ1toQ10Slots, createQuestionsQ11toQ19Page,
};

constexpr QuestionPageLayout QuestionsQ11toQ19{
    "QuestionsQ11toQ19Page", 2, "問診２", "判定",
    QuestionsQ11toQ19Places, QuestionsQ11toQ19Slots, createScorePage,
};

constexpr double TextPoints = 12;
const QString Intro = QStringLiteral("次のうち、当てはまるか、より近い方をクリックして下さい。");

} // namespace

QuestionPage::QuestionPage(PageHost& host, const QuestionPageLayout& layout, QWidget* parent)
    : Page(host, QString::fromLatin1(layout.objectName), 10005, 7200, CyanBackground, parent),
      cataloguePage_(layout.cataloguePage), next_(layout.next)
{
    createControls(layout);
    placeControls(layout);
    orderFocus();
    connectSignals();
}

void QuestionPage::createControls(const QuestionPageLayout& layout)
{
    createLabel(this, "titleLabel", QString::fromUtf8(layout.title), pageFont(TextPoints), Qt::AlignHCenter);
    createLabel(this, "introLabel", Intro, pageFont(TextPoints), Qt::AlignHCenter);
    answers_.create(this, layout.cataloguePage, pageFont(TextPoints));
    nextButton_ = createButton(this, QStringLiteral("nextButton"), QString::fromUtf8(layout.nextCaption),
                               pageFont());
    clearButton_ = createButton(this, QStringLiteral("clearButton"), QStringLiteral("訂正"), pageFont());
}

void QuestionPage::placeControls(const QuestionPageLayout& layout)
{
    applyPlacements(this, layout.places);
    answers_.placeSlots(layout.slotPlaces);
}

void QuestionPage::orderFocus()
{
    QList<QWidget*> order = answers_.focusOrder();
    order << nextButton_ << clearButton_;
    chainFocus(order);
    order.first()->setFocus(Qt::OtherFocusReason);
}

void QuestionPage::connectSignals()
{
    connect(nextButton_, &QPushButton::clicked, this, &QuestionPage::onNext);
    connect(clearButton_, &QPushButton::clicked, this, &QuestionPage::onClear);
}

void QuestionPage::onNext()
{
    const std::optional<int> unanswered = StorePageAnswers(
        record(), cataloguePage_, [this](int index) { return answers_.isSelected(index); });
    if (unanswered) {
        Messages::show(this, QString::fromStdString(QuestionCatalogue::notAnsweredMessage(*unanswered)));
        return;
    }
    host().replacePage(this, next_);
}

void QuestionPage::onClear()
{
    answers_.clearAll();
}

QWidget* createQuestionsQ1toQ10Page(PageHost& host)
{
    return new QuestionPage(host, QuestionsQ1toQ10);
}

QWidget* createQuestionsQ11toQ19Page(PageHost& host)
{
    return new QuestionPage(host, QuestionsQ11toQ19);
}

} // namespace tellumo
