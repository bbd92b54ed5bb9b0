#include "Form6.h"

#include "Fonts.h"
#include "PageFactories.h"
#include "Placement.h"

#include <QPushButton>

namespace tellumo {

namespace {

constexpr Placement Layout[] = {
    {"Label2", 0, 800, 10000, 450},
    {"Label1", 1000, 1500, 8000, 300},
    {"Label3", 1000, 2200, 8100, 600},
    {"Label4", 1000, 3200, 8000, 600},
    {"Label5", 1000, 4200, 8000, 600},
    {"Command2", 2800, 5500, 2000, 800},
    {"Command1", 5800, 5500, 1200, 800},
};

const Placement& at(const char* name) { return placementOf(Layout, name); }

} // namespace

Form6::Form6(PageHost& host, QWidget* parent)
    : Page(host, QStringLiteral("Form6"), 9945, 6975, YellowBackground, parent)
{
    createLabels();
    createButtons();
    orderButtons();
    connectHandlers();
    Form_Load();
}

void Form6::createLabels()
{
    placeLabel(this, at("Label2"), QStringLiteral("注意すべき点"), pageFont(), true);
    placeLabel(this, at("Label1"),
               QStringLiteral("１．蚊がいそうな所では、肌の露出をできるだけ避けましょう。"), pageFont());
    // Each run of spaces starts the point's indented second line.
    placeContinuationLabel(
        this, at("Label3"),
        QStringLiteral("２．足元が特に狙われやすいので、サンダルなどの素足を避け、     靴下と靴を履きましょう。"),
        pageFont());
    placeContinuationLabel(
        this, at("Label4"),
        QStringLiteral("３．野外では虫よけスプレーの使用、屋内では殺虫剤や蚊取り      器も必要に応じ使用しましょう。"),
        pageFont());
    placeContinuationLabel(
        this, at("Label5"),
        QStringLiteral("４．体脂肪量が多いと蚊に刺されやすい傾向があるという報告      もあります。"),
        pageFont());
}

void Form6::createButtons()
{
    command1_ = placeButton(this, at("Command1"), QStringLiteral("終了"), pageFont());
    command2_ = placeButton(this, at("Command2"), QStringLiteral("蚊の対策法"), pageFont());
}

void Form6::orderButtons()
{
    setTabOrder(command1_, command2_);
    command1_->setFocus(Qt::OtherFocusReason);
}

void Form6::connectHandlers()
{
    connect(command1_, &QPushButton::clicked, this, &Form6::Command1_Click);
    connect(command2_, &QPushButton::clicked, this, &Form6::Command2_Click);
}

void Form6::Form_Load()
{
    move(0, 0);
}

void Form6::Command1_Click()
{
    host().endProgram(this);
}

void Form6::Command2_Click()
{
    host().replacePage(this, createAdvicePage);
}

QWidget* createCautionPage(PageHost& host)
{
    return new Form6(host);
}

} // namespace tellumo
