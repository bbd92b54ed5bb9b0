#include "AdvicePage.h"

#include "Fonts.h"
#include "PageFactories.h"
#include "Placement.h"

#include <QPushButton>

namespace tellumo {

namespace {

constexpr Placement Layout[] = {
    {"titleLabel", 0, 700, 10000, 450},
    {"doorsAndWindowsLabel", 1000, 1200, 8000, 600},
    {"bedroomLabel", 1000, 2050, 8000, 900},
    {"standingWaterLabel", 1000, 3180, 7995, 1200},
    {"contactLabel", 1000, 4600, 8200, 900},
    {"quitButton", 4400, 5700, 1200, 800},
};

const Placement& at(const char* name) { return placementOf(Layout, name); }

} // namespace

QString AdvicePage::contactEmail()
{
    return QStringLiteral(TELLUMO_CONTACT_EMAIL);
}

AdvicePage::AdvicePage(PageHost& host, QWidget* parent)
    : Page(host, QStringLiteral("AdvicePage"), 9945, 6975, YellowBackground, parent)
{
    createLabels();
    createButton();
    connectHandlers();
    move(0, 0);
}

void AdvicePage::createLabels()
{
    placeLabel(this, at("titleLabel"), QStringLiteral("蚊の対策法"), pageFont(), true);
    placeLabel(this, at("doorsAndWindowsLabel"),
               QStringLiteral("ドアや窓は網戸なしで開放したままにしないようにし、また出入りはすばやく行い、"
                              "蚊を家の中に入れないよう心がけましょう。\r\n\r\n"),
               pageFont());
    placeLabel(this, at("bedroomLabel"),
               QStringLiteral("寝ている間の蚊に悩まされる場合、寝る前に閉めきって蚊取り線香、マット、"
                              "液体蚊取りのいずれかをつけて１時間ほど置き、さっと換気してから寝るようにしましょう。"),
               pageFont());
    placeLabel(this, at("standingWaterLabel"),
               QStringLiteral("蚊の幼虫は、雨水などが溜まっている容器に発生しますから、"
                              "使わない容器は中の水を捨てて裏返しにしておきましょう。\r\n"
                              "蚊は10日ほどの水溜まりでも卵から成虫になってしまいますから、"
                              "こまめに水がたまっていないかチェックしましょう。"),
               pageFont());
    placeLabel(this, at("contactLabel"),
               QStringLiteral("ヤブカによく刺され、蚊の発生源がどこにあるか分からない場合、"
                              "蚊の専門家が発生源を調べ、発生を抑える処理を致します。\r\n"
                              "有限会社Quenmar：")
                   + contactEmail() + QStringLiteral("までご連絡下さい。\r\n"),
               pageFont());
}

void AdvicePage::createButton()
{
    quitButton_ = placeButton(this, at("quitButton"), QStringLiteral("終了"), pageFont());
    quitButton_->setFocus(Qt::OtherFocusReason);
}

void AdvicePage::connectHandlers()
{
    connect(quitButton_, &QPushButton::clicked, this, &AdvicePage::onQuit);
}

void AdvicePage::onQuit()
{
    host().endProgram(this);
}

QWidget* createAdvicePage(PageHost& host)
{
    return new AdvicePage(host);
}

} // namespace tellumo
