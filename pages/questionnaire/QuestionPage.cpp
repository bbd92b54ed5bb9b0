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
// question row, the two commands; below it, where each slot's button stands
// inside its group.
constexpr ControlPlace Form2Layout[] = {
    {"LabelA1", 0, 600, 10000, 450},
    {"LabelA2", 0, 1100, 10000, 420},
    {"LabelQ1", 680, 1600, 2900, 350},
    {"LabelQ2", 680, 2000, 2900, 420},
    {"LabelQ3", 680, 2400, 2900, 420},
    {"LabelQ4", 680, 2800, 2900, 420},
    {"LabelQ5", 680, 3200, 2900, 420},
    {"LabelQ6", 680, 3600, 2900, 420},
    {"LabelQ7", 680, 4000, 2900, 420},
    {"LabelQ8", 680, 4400, 2900, 420},
    {"LabelQ9", 680, 4800, 2900, 420},
    {"LabelQ10", 680, 5200, 2900, 420},
    {"Frame1", 3500, 1600, 5950, 300},
    {"Frame2", 3500, 2000, 5950, 300},
    {"Frame3", 3500, 2400, 5950, 300},
    {"Frame4", 3500, 2800, 5950, 300},
    {"Frame5", 3500, 3200, 5950, 300},
    {"Frame6", 3500, 3600, 5950, 300},
    {"Frame7", 3500, 4000, 5950, 300},
    {"Frame8", 3500, 4400, 5950, 300},
    {"Frame9", 3500, 4800, 5950, 300},
    {"Frame10", 3500, 5200, 5950, 300},
    {"Command1", 3300, 5800, 1200, 800},
    {"Command2", 5500, 5800, 1200, 800},
};

constexpr SlotPlace Form2Slots[] = {
    {1, 0, 0, 1900, 300},
    {2, 2000, 0, 1900, 300},
    {3, 4000, 0, 1900, 300},
};

constexpr const char* Form2Labels[] = {
    "LabelQ1", "LabelQ2", "LabelQ3", "LabelQ4", "LabelQ5",
    "LabelQ6", "LabelQ7", "LabelQ8", "LabelQ9", "LabelQ10",
};

// Where the controls stand (twips): titles, one label and one group per
// question row, the two commands; below it, where each slot's button stands
// inside its group (two-choice questions leave the middle empty).
constexpr ControlPlace Form3Layout[] = {
    {"Label2", 0, 600, 10000, 450},
    {"Label5", 0, 1100, 10000, 420},
    {"Label3", 500, 1600, 3300, 420},
    {"Label1", 500, 2000, 3300, 420},
    {"Label4", 500, 2400, 3300, 420},
    {"Label6", 500, 2800, 3300, 420},
    {"Label7", 500, 3200, 3300, 420},
    {"Label8", 500, 3600, 3300, 420},
    {"Label9", 500, 4000, 3300, 420},
    {"Label12", 500, 4400, 3300, 420},
    {"Label13", 500, 4800, 3300, 420},
    {"Frame1", 3700, 1600, 5800, 300},
    {"Frame2", 3700, 2000, 5800, 300},
    {"Frame3", 3700, 2400, 5800, 300},
    {"Frame4", 3700, 2800, 5800, 300},
    {"Frame5", 3700, 3200, 5800, 300},
    {"Frame6", 3700, 3600, 5800, 300},
    {"Frame7", 3700, 4000, 5800, 300},
    {"Frame8", 3700, 4400, 5800, 300},
    {"Frame9", 3700, 4800, 5800, 300},
    {"Command1", 3300, 5800, 1200, 800},
    {"Command2", 5500, 5800, 1200, 800},
};

constexpr SlotPlace Form3Slots[] = {
    {1, 0, 0, 1900, 300},
    {2, 2000, 0, 1800, 300},
    {3, 3900, 0, 1900, 300},
};

constexpr const char* Form3Labels[] = {
    "Label3", "Label1", "Label4", "Label6", "Label7", "Label8", "Label9", "Label12", "Label13",
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
    createLabel(this, layout.titleName, layout.title, pageFont(TextPoints), Qt::AlignHCenter);
    createLabel(this, layout.introName, Intro, pageFont(TextPoints), Qt::AlignHCenter);
    answers_.create(this, layout.cataloguePage, layout.questionLabels, pageFont(TextPoints));
    Command1_ = createButton(this, QStringLiteral("Command1"), layout.forwardCaption, pageFont());
    Command2_ = createButton(this, QStringLiteral("Command2"), QStringLiteral("訂正"), pageFont());
}

void QuestionPage::placeControls(const QuestionPageLayout& layout)
{
    applyPlacements(this, layout.places);
    answers_.placeSlots(layout.slotPlaces);
}

void QuestionPage::orderFocus()
{
    QList<QWidget*> order = answers_.focusOrder();
    order << Command1_ << Command2_;
    chainFocus(order);
    order.first()->setFocus(Qt::OtherFocusReason);
}

void QuestionPage::connectSignals()
{
    connect(Command1_, &QPushButton::clicked, this, &QuestionPage::Command1_Click);
    connect(Command2_, &QPushButton::clicked, this, &QuestionPage::Command2_Click);
}

void QuestionPage::Command1_Click()
{
    const std::optional<int> unanswered = StorePageAnswers(
        Module1::Record, cataloguePage_, [this](int index) { return answers_.isSelected(index); });
    if (unanswered) {
        Messages::show(this, QString::fromStdString(QuestionCatalogue::notAnsweredMessage(*unanswered)));
        return;
    }
    host().replacePage(this, next_);
}

void QuestionPage::Command2_Click()
{
    answers_.clearAll();
}

Form2::Form2(PageHost& host, QWidget* parent)
    : QuestionPage(host,
                   {"Form2", 1, "LabelA1", QStringLiteral("問診１"), "LabelA2", QStringLiteral("次へ"),
                    Form2Layout, Form2Slots, Form2Labels, createQuestionsQ11toQ19Page},
                   parent)
{
}

Form3::Form3(PageHost& host, QWidget* parent)
    : QuestionPage(host,
                   {"Form3", 2, "Label2", QStringLiteral("問診２"), "Label5", QStringLiteral("判定"),
                    Form3Layout, Form3Slots, Form3Labels, createScorePage},
                   parent)
{
}

QWidget* createQuestionsQ1toQ10Page(PageHost& host)
{
    return new Form2(host);
}

QWidget* createQuestionsQ11toQ19Page(PageHost& host)
{
    return new Form3(host);
}

} // namespace tellumo
