#include "InfoDialog.h"

#include "AppInfo.h"
#include "Appearance.h"
#include "Controls.h"
#include "Fonts.h"
#include "Pictures.h"
#include "ScreenPlacement.h"
#include "Twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace tellumo {

namespace {
const QColor LabelBlue(0, 0, 255);
const QColor SeparatorGrey(128, 128, 128);

constexpr QRect OkButtonLarge{4560, 5071, 1380, 348};
constexpr InfoDialogTable::Separator SeparatorLarge{120, 120, 6000, 4926};
} // namespace

QFont dialogFont()
{
    return makeFont({.points = 8.25});
}

InfoDialog::InfoDialog(QWidget* owner, const InfoDialogTable& table)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                         | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      separator_(table.separator)
{
    setObjectName(QString::fromLatin1(table.objectName));
    setWindowTitle(table.caption);
    setWindowIcon(QIcon());
    setModal(true);
    setPalette(programPalette());
    setFont(dialogFont());
    setFixedSize(twipsSize(table.widthTwips, table.heightTwips));
    setSizeGripEnabled(false);

    const QRect ok = table.okButtonTwips;
    okButton_ = makeButton(this, {.text = QStringLiteral("OK"), .font = dialogFont(),
                                  .at = Place(ok.x(), ok.y(), ok.width(), ok.height())});
    okButton_->setObjectName(QStringLiteral("okButton"));
    // Enter closes the dialog as well as Space and Escape do.
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    // The labels follow the OK button in the tab order, in table order.
    if (table.withTitleAndPicture)
        addTitleAndPicture();
    for (const DialogLabel& row : table.labels)
        addLabel(row);
}

QLabel* InfoDialog::addLabel(const DialogLabel& row)
{
    QLabel* label = makeLabel(this, {.text = row.text, .font = dialogFont(),
                                     .at = Place(row.left, row.top, row.width, row.height), .colour = LabelBlue});
    label->setObjectName(QString::fromLatin1(row.name));
    return label;
}

void InfoDialog::addTitleAndPicture()
{
    auto* picture = new PictureBox(QStringLiteral(":/pictures/version-icon.gif"), this);
    picture->setObjectName(QStringLiteral("iconPicture"));
    picture->setGeometry(twipsRect(532, 435, 980, 985));

    QLabel* title = addLabel({"titleLabel", QStringLiteral("Tellumo"), 1597, 435, 3195, 435});
    title->setFont(makeFont({.points = 18}));
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

void InfoDialog::showEvent(QShowEvent* event)
{
    centreOnScreen(this);
    okButton_->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(event);
}

void InfoDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    // An engraved rule: a grey line with a white one right under it.
    QPainter painter(this);
    const int y = twips(separator_.y);
    painter.setPen(QPen(SeparatorGrey, 1));
    painter.drawLine(twips(separator_.x1), y, twips(separator_.x2), y);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawLine(twips(separator_.whiteX1), y + 1, twips(separator_.x2), y + 1);
}

const InfoDialogTable& InfoDialog::copyright()
{
    static const DialogLabel labels[] = {
        {"protectionText",
         QStringLiteral("本ソフトウェアは著作権法、国際著作権条約およびその他の無体財産権に関する法律ならびに条約によって保護されています。"),
         532, 435, 5378, 348},
        {"patentText", QStringLiteral("本ソフトウェアは特許出願中です。"), 532, 927, 5378, 174},
        {"ownerText", QStringLiteral("本ソフトウェアの著作権はOstrevanが保有しています。"), 532, 1246, 5378, 174},
    };
    static const InfoDialogTable table{"CopyrightDialog", QStringLiteral("著作権"), 6315, 5625,
                                       OkButtonLarge, SeparatorLarge, labels};
    return table;
}

const InfoDialogTable& InfoDialog::disclaimer()
{
    static const DialogLabel labels[] = {
        {"liabilityText",
         QStringLiteral("本ソフトウェアを使用したことにより発生したトラブルや商業的損害・損失等に対して一切の保証責任を負いません。"),
         532, 435, 5378, 348},
        {"supportText",
         QStringLiteral("正規登録者からのご意見ご質問に関しては可能な限りの対応を行いますが、完全に保証するものではありません。"),
         532, 927, 5378, 348},
    };
    static const InfoDialogTable table{"DisclaimerDialog", QStringLiteral("免責事項"), 6315, 5625,
                                       OkButtonLarge, SeparatorLarge, labels};
    return table;
}

const InfoDialogTable& InfoDialog::redistribution()
{
    static const DialogLabel labels[] = {
        {"redistributionText",
         QStringLiteral("内容を改変しない限り本ソフトウェアの転載/再配布は自由ですが、バージョンアップに際しアップデートや旧バージョンの削除をお願いする場合がありますので、必ず連絡をお願いします。"),
         532, 435, 5378, 565},
    };
    static const InfoDialogTable table{"RedistributionDialog", QStringLiteral("転載/再配布"), 6315, 5625,
                                       OkButtonLarge, SeparatorLarge, labels};
    return table;
}

const InfoDialogTable& InfoDialog::medicalBasis()
{
    static const DialogLabel labels[] = {
        {"basisText",
         QStringLiteral("この蚊に刺され易さを判定するプログラムは、数十人について、医科大学にて詳細に実験した結果をもとにして作成したものであり、根拠はございます。"),
         532, 435, 5378, 522},
        {"variationText",
         QStringLiteral("ただし、同じ人でも、その時その時の周囲の状況や自分の状況、体調その他で刺され易さは変わります。"),
         532, 1101, 5378, 348},
        {"tendencyText",
         QStringLiteral("この「刺され易さ度」はあくまでも「傾向」や「めやす」を示すものであり、絶対に当てはまるものではございません。\r\n\r\n"),
         532, 1594, 5378, 348},
    };
    static const InfoDialogTable table{"MedicalBasisDialog", QStringLiteral("医学的根拠"), 6315, 5625,
                                       OkButtonLarge, SeparatorLarge, labels};
    return table;
}

const InfoDialogTable& InfoDialog::version()
{
    static const DialogLabel labels[] = {
        {"versionLabel", QStringLiteral("Ver.") + AppInfo::version(), 4260, 1014, 1065, 195},
        {"providerLabel", QStringLiteral("提供 ： Ostrevan"), 2982, 1594, 2662, 188},
        {"representativeLabel", QStringLiteral("代表 ： ") + AppInfo::representative(), 3195, 1883, 2343, 188},
        {"homePageLabel", QStringLiteral("HP ： ") + AppInfo::makerUrl(), 3195, 2173, 2343, 188},
        {"makerEmailLabel", QStringLiteral("Email ： ") + AppInfo::makerEmail(), 3195, 2463, 2449, 188},
        {"programmingLabel", QStringLiteral("プログラム ： ") + AppInfo::programmingCredit(), 2982, 2753, 2662, 195},
        {"programmerEmailLabel", QStringLiteral("Email ： ") + AppInfo::programmerEmail(), 3195, 3043, 2130, 188},
        {"illustrationLabel", QStringLiteral("イラスト ： ") + AppInfo::illustrationCredit() + QStringLiteral("\r\n"),
         2982, 3332, 2662, 195},
    };
    static const InfoDialogTable table{"VersionDialog", QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"), 5730, 4230,
                                       QRect(4245, 3767, 1380, 345), {90, 105, 5654, 3622}, labels, true};
    return table;
}

} // namespace tellumo
