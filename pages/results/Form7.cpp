#include "Form7.h"

#include "Fonts.h"
#include "PageFactories.h"
#include "Placement.h"

#include <QPushButton>

namespace tellumo {

namespace {

constexpr Placement Layout[] = {
    {"Label1", 0, 700, 10000, 450},
    {"Label2", 1000, 1200, 8000, 600},
    {"Label3", 1000, 2050, 8000, 900},
    {"Label4", 1000, 3180, 7995, 1200},
    {"Label5", 1000, 4600, 8200, 900},
    {"Command1", 4400, 5700, 1200, 800},
};

const Placement& at(const char* name) { return placementOf(Layout, name); }

} // namespace

QString Form7::contactEmail()
{
    return QStringLiteral(TELLUMO_CONTACT_EMAIL);
}

Form7::Form7(PageHost& host, QWidget* parent)
    : Page(host, QStringLiteral("Form7"), 9945, 6975, YellowBackground, parent)
{
    createLabels();
    createButton();
    connectHandlers();
    Form_Load();
}

void Form7::createLabels()
{
    placeLabel(this, at("Label1"), QStringLiteral("蚊の対策法"), pageFont(), true);
    placeLabel(this, at("Label2"),
               QStringLiteral("ドアや窓は網戸なしで開放したままにしないようにし、また出入りはすばやく行い、"
                              "蚊を家の中に入れないよう心がけましょう。\r\n\r\n"),
               pageFont());
    placeLabel(this, at("Label3"),
               QStringLiteral("寝ている間の蚊に悩まされる場合、寝る前に閉めきって蚊取り線香、マット、"
                              "液体蚊取りのいずれかをつけて１時間ほど置き、さっと換気してから寝るようにしましょう。"),
               pageFont());
    placeLabel(this, at("Label4"),
               QStringLiteral("蚊の幼虫は、雨水などが溜まっている容器に発生しますから、"
                              "使わない容器は中の水を捨てて裏返しにしておきましょう。\r\n"
                              "蚊は10日ほどの水溜まりでも卵から成虫になってしまいますから、"
                              "こまめに水がたまっていないかチェックしましょう。"),
               pageFont());
    placeLabel(this, at("Label5"),
               QStringLiteral("ヤブカによく刺され、蚊の発生源がどこにあるか分からない場合、"
                              "蚊の専門家が発生源を調べ、発生を抑える処理を致します。\r\n"
                              "有限会社Quenmar：")
                   + contactEmail() + QStringLiteral("までご連絡下さい。\r\n"),
               pageFont());
}

void Form7::createButton()
{
    command1_ = placeButton(this, at("Command1"), QStringLiteral("終了"), pageFont());
    command1_->setFocus(Qt::OtherFocusReason);
}

void Form7::connectHandlers()
{
    connect(command1_, &QPushButton::clicked, this, &Form7::Command1_Click);
}

void Form7::Form_Load()
{
    move(0, 0);
}

void Form7::Command1_Click()
{
    host().endProgram(this);
}

QWidget* createAdvicePage(PageHost& host)
{
    return new Form7(host);
}

} // namespace tellumo
