#include "Form3.h"

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

constexpr int CataloguePage = 2;

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

// Question labels of Q11..Q19, in question order.
constexpr const char* QuestionLabels[] = {
    "Label3", "Label1", "Label4", "Label6", "Label7", "Label8", "Label9", "Label12", "Label13",
};

constexpr double TextPoints = 12;

} // namespace

Form3::Form3(PageHost& host, QWidget* parent)
    : Page(host, QStringLiteral("Form3"), 10005, 7200, CyanBackground, parent)
{
    createControls();
    placeControls();
    orderFocus();
    connectSignals();
}

void Form3::createControls()
{
    createLabel(this, "Label2", QStringLiteral("問診２"), pageFont(TextPoints), Qt::AlignHCenter);
    createLabel(this, "Label5", QStringLiteral("次のうち、当てはまるか、より近い方をクリックして下さい。"),
                pageFont(TextPoints), Qt::AlignHCenter);
    answers_.create(this, CataloguePage, QuestionLabels, pageFont(TextPoints));
    Command1_ = createCommandButton(this, "Command1", QStringLiteral("判定"), pageFont());
    Command2_ = createCommandButton(this, "Command2", QStringLiteral("訂正"), pageFont());
}

void Form3::placeControls()
{
    applyPlacements(this, Form3Layout);
    answers_.placeSlots(Form3Slots);
}

void Form3::orderFocus()
{
    QList<QWidget*> order = answers_.focusOrder();
    order << Command1_ << Command2_;
    chainFocus(order);
    order.first()->setFocus(Qt::OtherFocusReason);
}

void Form3::connectSignals()
{
    connect(Command1_, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(Command2_, &QPushButton::clicked, this, &Form3::Command2_Click);
}

void Form3::Command1_Click()
{
    const std::optional<int> unanswered = StorePageAnswers(
        Module1::Record, CataloguePage, [this](int index) { return answers_.isSelected(index); });
    if (unanswered) {
        Messages::show(this, QString::fromStdString(QuestionCatalogue::notAnsweredMessage(*unanswered)));
        return;
    }
    host().replacePage(this, createForm4);
}

void Form3::Command2_Click()
{
    answers_.clearAll();
}

QWidget* createForm3(PageHost& host)
{
    return new Form3(host);
}

} // namespace tellumo
