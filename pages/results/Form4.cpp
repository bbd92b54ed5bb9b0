#include "Form4.h"

#include "AssessmentRecord.h"
#include "Fonts.h"
#include "Judgement.h"
#include "MakeRtf.h"
#include "PageLabel.h"
#include "Messages.h"
#include "PageFactories.h"
#include "Placement.h"
#include "RichTextView.h"
#include "ShownName.h"
#include "Twips.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <optional>
#include <stdexcept>
#include <string>

namespace tellumo {

namespace {

constexpr Placement Layout[] = {
    {"Label2", 0, 700, 10000, 420},
    {"RichTextBox1", 2000, 1200, 7500, 420},
    {"Label3", 2000, 1700, 5000, 420},
    {"Label5", 3000, 2300, 5000, 400},
    {"Label6", 3000, 2800, 5000, 400},
    {"Label7", 3000, 3300, 5000, 400},
    {"Label8", 3000, 3800, 5000, 400},
    {"Label4", 1500, 4900, 7000, 600},
    {"Command2", 1500, 5800, 2400, 800},
    {"Command3", 4400, 5800, 2400, 800},
    {"Command1", 7300, 5800, 1200, 800},
};

const Placement& at(const char* name) { return placementOf(Layout, name); }

// The scale's labels from top to bottom, and the class each one stands for.
constexpr const char* ScaleNames[] = {"Label5", "Label6", "Label7", "Label8"};
constexpr int scaleIndexOf(int susceptibilityClass) { return 4 - susceptibilityClass; }

// The highlighted class: moved left, taller, larger and in its colour; every
// label under it moves down to make room.
constexpr int HighlightLeft = 2500;
constexpr int HighlightHeight = 600;
constexpr double HighlightPoints = 24;
constexpr int MoveDown = 200;

QColor highlightColour(int susceptibilityClass)
{
    switch (susceptibilityClass) {
    case 1: return QColor(0, 255, 0);
    case 2: return QColor(0, 0, 0);
    case 3: return QColor(255, 0, 255);
    default: return QColor(255, 0, 0);
    }
}

void setTextColour(QLabel* label, const QColor& colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

QString caption(int susceptibilityClass)
{
    const std::string_view text = SusceptibilityCaption(susceptibilityClass);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The words in front of the scale; with the class they make the sentence
// that assistive technology reads for the judgement.
const QString DegreeLead = QStringLiteral("あなたの蚊に刺されやすさ度は");

// Shown instead of a score when the record cannot give one.
const QString NoJudgement = QStringLiteral("判定できませんでした");

// The score, or nullopt when the record holds codes or points that no
// page can store (a sum beyond 255, or points never stored): such a record
// is corrupted, and a wrapped or partial sum must not pass for a result.
std::optional<std::uint8_t> computedScore()
{
    try {
        return ComputeSusceptibilityScore();
    } catch (const ScoreOverflow&) {
        return std::nullopt;
    } catch (const std::logic_error&) {
        return std::nullopt;
    }
}

// " さんの総合点数は100点満点で57点です。" for 57; the name goes in front.
std::string scoreSentence(std::uint8_t score)
{
    return " さんの総合点数は100点満点で" + std::to_string(score) + "点です。";
}

} // namespace

Form4::Form4(PageHost& host, QWidget* parent)
    : Page(host, QStringLiteral("Form4"), 10005, 7200, CyanBackground, parent)
{
    createLabels();
    createScoreLine();
    createButtons();
    orderButtons();
    connectHandlers();
    Form_Load();
}

void Form4::createLabels()
{
    placeLabel(this, at("Label2"), QStringLiteral("判定結果"), pageFont(), true);
    placeLabel(this, at("Label3"), DegreeLead, pageFont());
    for (std::size_t i = 0; i < scale_.size(); ++i) {
        const int susceptibilityClass = 4 - static_cast<int>(i);
        scale_[i] = placeLabel(this, at(ScaleNames[i]), caption(susceptibilityClass), pageFont());
    }
    setTextColour(scale_[0], QColor(0, 0, 0));
    placeLabel(this, at("Label4"),
               QStringLiteral("非常に刺されやすい、刺されやすいの人は、是非注意すべき点を読んで、"
                              "蚊に刺されないよう努めてください。"),
               pageFont());
}

void Form4::createScoreLine()
{
    const Placement& place = at("RichTextBox1");
    richTextBox1_ = new RichTextView(this);
    richTextBox1_->setObjectName(QString::fromLatin1(place.name));
    richTextBox1_->setGeometry(twipsRect(place.left, place.top, place.width, place.height));
}

void Form4::createButtons()
{
    command1_ = placeButton(this, at("Command1"), QStringLiteral("終了"), pageFont());
    command2_ = placeButton(this, at("Command2"), QStringLiteral("判定結果の詳細"), pageFont());
    command3_ = placeButton(this, at("Command3"), QStringLiteral("注意すべき点"), pageFont());
}

void Form4::orderButtons()
{
    setTabOrder(command1_, command2_);
    setTabOrder(command2_, command3_);
    command1_->setFocus(Qt::OtherFocusReason);
}

void Form4::connectHandlers()
{
    connect(command1_, &QPushButton::clicked, this, &Form4::Command1_Click);
    connect(command2_, &QPushButton::clicked, this, &Form4::Command2_Click);
    connect(command3_, &QPushButton::clicked, this, &Form4::Command3_Click);
}

void Form4::Form_Load()
{
    move(0, 0);
    const std::optional<std::uint8_t> score = computedScore();
    if (!score) {
        // No score line and no class; the details would only repeat an
        // earlier judgement, so that way is closed. Told once the page shows.
        command2_->setEnabled(false);
        QTimer::singleShot(0, this, [this] { Messages::show(this, NoJudgement); });
        return;
    }
    showScoreLine(shownName(Module1::Record.PersonalData[Name].text()), scoreSentence(*score));
    showClass(ClassifySusceptibility(*score));
}

void Form4::showScoreLine(const QString& name, const std::string& sentence)
{
    // The name is the user's text: escaped, so that braces and backslashes in
    // it show as typed instead of changing the document.
    const auto show = [&](const QString& shownName) {
        richTextBox1_->setRtf(MakeRtf(EscapeRtfText(shownName.toStdString()), -1, 0, 0, 2, 0, 0)
                              + MakeRtf(sentence, 0, 0, -1, 0, 0, 0));
    };
    // The score is what the user came for: a long name gives way to it.
    const QString fitted = fittedName(name, [&](const QString& candidate) {
        show(candidate);
        return richTextBox1_->fitsOneLine();
    });
    show(fitted);
    if (fitted != name) {
        richTextBox1_->setToolTip(name);
        richTextBox1_->setAccessibleName(name + QString::fromStdString(sentence));
    }
}

void Form4::showClass(int susceptibilityClass)
{
    const int highlighted = scaleIndexOf(susceptibilityClass);
    for (int i = 0; i < static_cast<int>(scale_.size()); ++i) {
        QLabel* label = scale_[static_cast<std::size_t>(i)];
        const Placement& place = at(ScaleNames[i]);
        if (i == highlighted) {
            label->setGeometry(twipsRect(HighlightLeft, place.top, place.width, HighlightHeight));
            label->setFont(pageFont(HighlightPoints));
            setTextColour(label, highlightColour(susceptibilityClass));
            // Size and colour say which class is the person's; in words too.
            const QString judgement = DegreeLead + label->text();
            label->setAccessibleDescription(judgement);
            richTextBox1_->setAccessibleDescription(judgement);
        } else if (i > highlighted) {
            label->setGeometry(twipsRect(place.left, place.top + MoveDown, place.width, place.height));
        }
    }
}

void Form4::Command1_Click()
{
    host().endProgram(this);
}

void Form4::Command2_Click()
{
    host().replacePage(this, createDetailsPage);
}

void Form4::Command3_Click()
{
    host().replacePage(this, createCautionPage);
}

QWidget* createScorePage(PageHost& host)
{
    return new Form4(host);
}

} // namespace tellumo
