#include "Form2.h"

#include "AssessmentRecord.h"
#include "Fonts.h"
#include "Messages.h"
#include "PageFactories.h"
#include "QuestionCatalogue.h"
#include "QuestionnaireControls.h"

#include <QPushButton>

namespace tellumo {

namespace {

using namespace questionnaire;

constexpr int CataloguePage = 1;

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

// Question labels of Q1..Q10, in question order.
constexpr const char* QuestionLabels[] = {
    "LabelQ1", "LabelQ2", "LabelQ3", "LabelQ4", "LabelQ5",
    "LabelQ6", "LabelQ7", "LabelQ8", "LabelQ9", "LabelQ10",
};

constexpr double TextPoints = 12;

} // namespace

Form2::Form2(PageHost& host, QWidget* parent)
    : Page(host, QStringLiteral("Form2"), 10005, 7200, CyanBackground, parent)
{
    createControls();
    placeControls();
    orderFocus();
    connectSignals();
}

void Form2::createControls()
{
    createLabel(this, "LabelA1", QStringLiteral("問診１"), pageFont(TextPoints), Qt::AlignHCenter);
    createLabel(this, "LabelA2", QStringLiteral("次のうち、当てはまるか、より近い方をクリックして下さい。"),
                pageFont(TextPoints), Qt::AlignHCenter);
    answers_.create(this, CataloguePage, QuestionLabels, pageFont(TextPoints));
    Command1_ = createCommandButton(this, "Command1", QStringLiteral("次へ"), pageFont());
    Command2_ = createCommandButton(this, "Command2", QStringLiteral("訂正"), pageFont());
}

void Form2::placeControls()
{
    applyPlacements(this, Form2Layout);
    answers_.placeSlots(Form2Slots);
}

void Form2::orderFocus()
{
    QList<QWidget*> order = answers_.focusOrder();
    order << Command1_ << Command2_;
    chainFocus(order);
    order.first()->setFocus(Qt::OtherFocusReason);
}

void Form2::connectSignals()
{
    connect(Command1_, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Command2_, &QPushButton::clicked, this, &Form2::Command2_Click);
}

void Form2::Command1_Click()
{
    const std::optional<int> unanswered = StorePageAnswers(
        Module1::Record, CataloguePage, [this](int index) { return answers_.isSelected(index); });
    if (unanswered) {
        Messages::show(this, QString::fromStdString(QuestionCatalogue::notAnsweredMessage(*unanswered)));
        return;
    }
    host().replacePage(this, createForm3);
}

void Form2::Command2_Click()
{
    answers_.clearAll();
}

QWidget* createForm2(PageHost& host)
{
    return new Form2(host);
}

} // namespace tellumo
