// The program at its edges with the desktop: a dark desktop palette does not
// reach its windows, Qt's own texts are Japanese, and the personal data
// page's text boxes take (or refuse) the input method field by field.
#include "Appearance.h"
#include "AssessmentRecord.h"
#include "InfoDialog.h"
#include "Messages.h"
#include "PageFactories.h"
#include "TestSupport.h"

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace tellumo;
using namespace tellumo::testing;

namespace {

// What a dark desktop theme gives the application: light text on dark grey.
QPalette darkDesktop()
{
    QPalette dark(QColor(0x32, 0x32, 0x32), QColor(0x32, 0x32, 0x32));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(0xf0, 0xf0, 0xf0));
    dark.setColor(QPalette::Base, QColor(0x24, 0x24, 0x24));
    return dark;
}

// A window of the program as it draws: a page, a message box or a dialog.
QImage drawn(const QString& surface)
{
    if (surface == QLatin1String("MessageBox")) {
        QImage image;
        whenModal([&image](QWidget* box) { image = box->grab().toImage(); });
        Messages::show(nullptr, QStringLiteral("氏名が入力されていません"));
        return image;
    }
    if (surface == QLatin1String("InfoDialog")) {
        InfoDialog dialog(nullptr, InfoDialog::version());
        return dialog.grab().toImage();
    }
    RecordingHost host;
    return host.startScored(pageFactory(surface), "山田花子", 55)->grab().toImage();
}

} // namespace

class TestDesktop : public WidgetTest {
    Q_OBJECT

private slots:
    void ownColoursOnADarkDesktop_data();
    void ownColoursOnADarkDesktop();
    void contextMenuAndSaveDialogInJapanese();
    void compositionStaysInTheFieldBeingLeft_data();
    void compositionStaysInTheFieldBeingLeft();
    void numberFieldsRefuseTheInputMethod();
};

void TestDesktop::ownColoursOnADarkDesktop_data()
{
    QTest::addColumn<QString>("surface");
    for (const char* surface : {"PersonalDataPage", "QuestionsQ1toQ10Page", "ScorePage", "DetailsPage",
                                "CautionPage", "AdvicePage", "MessageBox", "InfoDialog"})
        QTest::newRow(surface) << QString::fromLatin1(surface);
}

void TestDesktop::ownColoursOnADarkDesktop()
{
    QFETCH(QString, surface);
    const QPalette desktop = QApplication::palette();
    const QImage light = drawn(surface);
    QApplication::setPalette(darkDesktop());
    const QImage dark = drawn(surface);
    QApplication::setPalette(desktop);
    QVERIFY(!light.isNull());
    QCOMPARE(dark, light);
}

void TestDesktop::contextMenuAndSaveDialogInJapanese()
{
    QVERIFY(installJapaneseQtTexts());
    QLineEdit field;
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QStringList actions;
    for (const QAction* action : menu->actions())
        actions << action->text().section(u'\t', 0, 0);
    QCOMPARE(actions, (QStringList{"元に戻す(&U)", "やり直す(&R)", "", "切り取り(&T)", "コピー(&C)", "貼り付け(&P)",
                                    "削除", "", "すべてを選択"}));

    QFileDialog dialog(nullptr, QStringLiteral("結果をPDFで保存"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QStringList texts;
    for (const QPushButton* button : dialog.findChildren<QPushButton*>())
        texts << button->text();
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
    for (const char* expected : {"保存(&S)", "キャンセル", "ファイル名(&N):", "ファイルの種類:"})
        QVERIFY2(texts.contains(QString::fromUtf8(expected)), qPrintable(texts.join(u'|')));
    // The file list's type column, from the program's own translation.
    QTemporaryDir folder;
    QCOMPARE(QAbstractFileIconProvider().type(QFileInfo(folder.path())), QStringLiteral("フォルダー"));
}

void TestDesktop::compositionStaysInTheFieldBeingLeft_data()
{
    QTest::addColumn<QString>("leaveBy");
    QTest::newRow("tab to the next field") << "tab";
    QTest::newRow("click on 次へ") << "next";
    QTest::newRow("another window") << "window";
}

void TestDesktop::compositionStaysInTheFieldBeingLeft()
{
    QFETCH(QString, leaveBy);
    RecordingHost host(record_);
    MessageRecorder messages;
    QWidget* page = host.start(createPersonalDataPage);
    QVERIFY(activate(page));
    auto* name = control<QLineEdit>(page, QStringLiteral("nameField"));
    QTRY_COMPARE(QApplication::focusWidget(), name);

    QInputMethodEvent composing(QStringLiteral("やまだ"), {});
    QApplication::sendEvent(name, &composing);
    QWidget other;
    if (leaveBy == QLatin1String("tab"))
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    else if (leaveBy == QLatin1String("next"))
        click(page, QStringLiteral("nextButton"));
    else {
        other.show();
        QVERIFY(activate(&other));
    }

    QCOMPARE(name->text(), QStringLiteral("やまだ"));
    if (leaveBy == QLatin1String("next"))
        QCOMPARE(storedPersonalData(record_).first(), QStringLiteral("やまだ"));
}

void TestDesktop::numberFieldsRefuseTheInputMethod()
{
    RecordingHost host;
    QWidget* page = host.start(createPersonalDataPage);
    for (const char* name : {"nameField", "ageField", "heightField", "weightField", "bodyFatField"}) {
        auto* field = control<QLineEdit>(page, QString::fromLatin1(name));
        const bool takesIt = field->objectName() == QLatin1String("nameField");
        QCOMPARE(field->inputMethodQuery(Qt::ImEnabled).toBool(), takesIt);
        // A late commit from a composition begun elsewhere does not land.
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("１７０"));
        QApplication::sendEvent(field, &commit);
        QCOMPARE(field->text(), takesIt ? QStringLiteral("１７０") : QString());
    }
}

QTEST_MAIN(TestDesktop)
#include "test_desktop.moc"
