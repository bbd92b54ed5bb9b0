#include "FidelityScenes.h"

#include "AssessmentRecord.h"
#include "PageDriver.h"
#include "MainWindow.h"
#include "InfoDialog.h"
#include "SplashWindow.h"
#include "Program.h"
#include "PageFactories.h"
#include "ResultTestSupport.h"
#include "TestSupport.h"

#include <QAbstractButton>
#include <QtTest>

#include "ShellSupport.h"

namespace tellumo::testing {

namespace {

using Check = std::function<void(QWidget*)>;

Scene splashState(int wanted)
{
    return {QStringLiteral("splash state %1").arg(wanted), [wanted](const Check& check) {
                FakeClock clock(1.0);
                AssessmentRecord record;
                const auto main = Program::startUp(clock, record, [&](SplashWindow& splash, int state) {
                    if (state == wanted)
                        check(&splash);
                });
            }};
}

Scene mainWindow()
{
    return {QStringLiteral("main window"), [](const Check& check) {
                AssessmentRecord record = freshRecord();
                MainWindow main(record);
                main.showCentred();
                check(&main);
            }};
}

// A page as the host shows it, after `prepare` has filled the record and
// before `act` works on the page.
Scene page(const QString& name, PageHost::PageFactory create, std::function<void(AssessmentRecord&)> prepare = {},
           std::function<void(QWidget*)> act = {})
{
    return {name, [=](const Check& check) {
                RecordingHost host;
                if (prepare)
                    prepare(host.record());
                QWidget* shown = host.start(create);
                if (act)
                    act(shown);
                check(shown);
            }};
}

Scene dialog(const InfoDialogTable& table)
{
    return {QString::fromLatin1(table.objectName), [&table](const Check& check) {
                InfoDialog shown(nullptr, table);
                shown.show();
                check(&shown);
            }};
}

void fillPersonalData(QWidget* page)
{
    driving::PageDriver([page] { return page; })
        .fillPersonalData({.height = QStringLiteral("158"), .weight = QStringLiteral("52"),
                           .bodyFat = QStringLiteral("24"), .bloodType = QStringLiteral("bloodTypeAB"),
                           .skinTone = QStringLiteral("fairSkinOption")});
}

void answerMiddle(QWidget* page)
{
    for (QAbstractButton* choice : page->findChildren<QAbstractButton*>())
        if (choice->objectName().contains(QLatin1String("Choice")))
            choice->setChecked(choice->objectName().endsWith(u'2'));
}

std::function<void(AssessmentRecord&)> scored(int score)
{
    return [score](AssessmentRecord& record) { fillRecordForScore(record, "蚊野 花子", score); };
}

} // namespace

const std::vector<Scene>& allScenes()
{
    static const std::vector<Scene> scenes = [] {
        std::vector<Scene> all;
        for (int state = 1; state <= 5; ++state)
            all.push_back(splashState(state));
        all.push_back(mainWindow());
        all.push_back(page(QStringLiteral("personal data empty"), createPersonalDataPage));
        all.push_back(page(QStringLiteral("personal data filled"), createPersonalDataPage, {}, fillPersonalData));
        all.push_back(page(QStringLiteral("questions Q1 to Q10"), createQuestionsQ1toQ10Page, {}, answerMiddle));
        all.push_back(page(QStringLiteral("questions Q11 to Q19"), createQuestionsQ11toQ19Page, {}, answerMiddle));
        all.push_back(page(QStringLiteral("score hardly bitten"), createScorePage, scored(15)));
        all.push_back(page(QStringLiteral("score average"), createScorePage, scored(30)));
        all.push_back(page(QStringLiteral("score easily bitten"), createScorePage, scored(50)));
        all.push_back(page(QStringLiteral("score very easily bitten"), createScorePage, scored(100)));
        all.push_back(page(QStringLiteral("details"), createDetailsPage, scored(57)));
        all.push_back(page(QStringLiteral("caution"), createCautionPage));
        all.push_back(page(QStringLiteral("advice"), createAdvicePage));
        all.push_back(dialog(InfoDialog::copyright()));
        all.push_back(dialog(InfoDialog::disclaimer()));
        all.push_back(dialog(InfoDialog::redistribution()));
        all.push_back(dialog(InfoDialog::medicalBasis()));
        all.push_back(dialog(InfoDialog::version()));
        return all;
    }();
    return scenes;
}

} // namespace tellumo::testing
