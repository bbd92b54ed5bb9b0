#include "AnswerArray.h"

#include "QuestionCatalogue.h"
#include "QuestionnaireControls.h"
#include "Twips.h"

#include <QButtonGroup>
#include <QFrame>
#include <QLabel>

#include <array>
#include <string_view>

namespace tellumo::questionnaire {

namespace {
QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
} // namespace

void AnswerArray::create(QWidget* page, int cataloguePage, const QFont& font)
{
    const std::span<const Question> questions = QuestionCatalogue::page(cataloguePage);

    // Labels first: a group created later lies above the end of its label.
    std::vector<QLabel*> labels;
    for (const Question& question : questions) {
        QLabel* label = makeLabel(page, lineLabel(fromUtf8(question.text), font));
        label->setObjectName(QStringLiteral("question%1Label").arg(question.number));
        labels.push_back(label);
    }

    for (const Question& question : questions) {
        QFrame* frame = makeGroup(page);
        frame->setObjectName(QStringLiteral("question%1Group").arg(question.number));
        auto* group = new QButtonGroup(frame);
        group->setExclusive(true);
        for (int slot = 1; slot <= 3; ++slot) {
            if (!question.hasSlot(slot))
                continue;
            const int index = QuestionCatalogue::answerIndex(question.number, slot);
            auto* button = new ChoiceButton(fromUtf8(question.choice(slot).caption), font, frame);
            button->setObjectName(QStringLiteral("q%1Choice%2").arg(question.number).arg(slot));
            group->addButton(button, index);
            buttons_.emplace(index, button);
        }
        nameGroup(frame, fromUtf8(question.text));
        rows_.push_back({question.number, labels[rows_.size()], frame, group});
    }
}

void AnswerArray::placeRows(const QuestionRows& rows, const std::optional<Place>& firstLabel)
{
    int top = rows.firstTop;
    for (const Row& row : rows_) {
        if (&row == &rows_.front() && firstLabel)
            place(row.label, *firstLabel);
        else
            row.label->setGeometry(twipsRect(rows.labelLeft, top, rows.labelWidth, rows.labelHeight));
        row.frame->setGeometry(twipsRect(rows.groupLeft, top, rows.groupWidth, rows.groupHeight));
        top += rows.pitch;
    }
}

void AnswerArray::placeSlots(const ChoiceSlots& choices)
{
    const std::array<const Place*, 3> bySlot = {&choices.first, &choices.middle, &choices.last};
    for (const auto& [index, button] : buttons_)
        place(button, *bySlot[std::size_t(index % 10 - 1)]);
}

QAbstractButton* AnswerArray::answer(int index) const
{
    const auto found = buttons_.find(index);
    return found == buttons_.end() ? nullptr : found->second;
}

bool AnswerArray::isSelected(int index) const
{
    const QAbstractButton* button = answer(index);
    return button && button->isChecked();
}

void AnswerArray::clearAll()
{
    // An exclusive group keeps one button checked; lift that while clearing.
    for (const Row& row : rows_)
        row.group->setExclusive(false);
    for (const auto& [index, button] : buttons_)
        button->setChecked(false);
    for (const Row& row : rows_)
        row.group->setExclusive(true);
}

QList<QWidget*> AnswerArray::focusOrder() const
{
    static constexpr int ThreeChoices[] = {2, 3, 1};
    static constexpr int TwoChoices[] = {1, 3};
    QList<QWidget*> order;
    for (const Row& row : rows_) {
        const bool hasMiddle = answer(QuestionCatalogue::answerIndex(row.question, 2)) != nullptr;
        for (int slot : hasMiddle ? std::span<const int>(ThreeChoices) : std::span<const int>(TwoChoices))
            if (QAbstractButton* button = answer(QuestionCatalogue::answerIndex(row.question, slot)))
                order << button;
    }
    return order;
}

} // namespace tellumo::questionnaire
