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

const QuestionPageContent QuestionsQ1toQ10{
    "QuestionsQ1toQ10Page", 1, "問診１", "次へ", PageLayouts::QuestionsQ1toQ10, createQuestionsQ11toQ19Page,
};

const QuestionPageContent QuestionsQ11toQ19{
    "QuestionsQ11toQ19Page", 2, "問診２", "判定", PageLayouts::QuestionsQ11toQ19, createScorePage,
};

constexpr double TextPoints = 12;
const QString Intro = QStringLiteral("次のうち、当てはまるか、より近い方をクリックして下さい。");

} // namespace

QuestionPage::QuestionPage(PageHost& host, const QuestionPageContent& content, QWidget* parent)
    : Page(host, QString::fromLatin1(content.objectName), content.layout.size, CyanBackground, parent),
      cataloguePage_(content.cataloguePage), next_(content.next)
{
    makeControls(content);
    placeRows(content.layout);
    orderFocus();
    connectSignals();
}

void QuestionPage::makeControls(const QuestionPageContent& content)
{
    const QuestionPageLayout& at = content.layout;
    TELLUMO_PLACED(ui_, at, titleLabel,
                   makeLabel(this, lineLabel(QString::fromUtf8(content.title), pageFont(TextPoints), Qt::AlignHCenter)));
    TELLUMO_PLACED(ui_, at, introLabel, makeLabel(this, lineLabel(Intro, pageFont(TextPoints), Qt::AlignHCenter)));
    answers_.create(this, content.cataloguePage, pageFont(TextPoints));
    TELLUMO_PLACED(ui_, at, nextButton,
                   makeButton(this, {.text = QString::fromUtf8(content.nextCaption), .font = pageFont()}));
    TELLUMO_PLACED(ui_, at, clearButton, makeButton(this, {.text = QStringLiteral("訂正"), .font = pageFont()}));
}

void QuestionPage::placeRows(const QuestionPageLayout& layout)
{
    answers_.placeRows(layout.rows, layout.firstLabel);
    answers_.placeSlots(layout.choices);
}

void QuestionPage::orderFocus()
{
    QList<QWidget*> order = answers_.focusOrder();
    order << ui_.nextButton << ui_.clearButton;
    chainFocus(order);
    order.first()->setFocus(Qt::OtherFocusReason);
}

void QuestionPage::connectSignals()
{
    connect(ui_.nextButton, &QPushButton::clicked, this, &QuestionPage::onNext);
    connect(ui_.clearButton, &QPushButton::clicked, this, &QuestionPage::onClear);
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
