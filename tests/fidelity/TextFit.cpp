#include "TextFit.h"

#include "PageLabel.h"

#include <QAbstractTextDocumentLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTextDocument>
#include <QTextEdit>

namespace tellumo::testing {

namespace {

QRect labelText(const QLabel* label)
{
    const QRect room = label->contentsRect();
    if (auto* pageLabel = qobject_cast<const PageLabel*>(label)) {
        // Its own layout: lines one em high, one em apart.
        return pageLabel->textBounds().toAlignedRect().translated(room.topLeft());
    }
    int flags = int(label->alignment());
    if (label->wordWrap())
        flags |= Qt::TextWordWrap;
    return label->fontMetrics().boundingRect(room, flags,
                                             withoutTrailingBreaks(label->text()));
}

// A button's caption stands in its contents rectangle: centred on a push
// button, left-aligned after the indicator on a choice.
TextFit buttonFit(const QAbstractButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const bool choice = qobject_cast<const QRadioButton*>(button) != nullptr;
    const QRect room = button->style()->subElementRect(
        choice ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents, &option, button);
    const QSize size = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    const Qt::Alignment alignment = choice ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter;
    return {button->objectName(), QStyle::alignedRect(button->layoutDirection(), alignment, size, room), room};
}

// A text box shows one line, vertically centred, inside its frame and
// margins; QLineEdit keeps one pixel free above and below it.
TextFit lineEditFit(const QLineEdit* box)
{
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    const QRect room = box->style()
                           ->subElementRect(QStyle::SE_LineEditContents, &option, box)
                           .marginsRemoved(box->textMargins())
                           .adjusted(0, 1, 0, -1);
    const QString shown = box->text().isEmpty() ? QStringLiteral("0") : box->text();
    const QSize size = box->fontMetrics().size(0, shown);
    return {box->objectName(), QStyle::alignedRect(box->layoutDirection(), box->alignment(), size, room), room};
}

TextFit textViewFit(const QTextEdit* view)
{
    const QSizeF size = view->document()->documentLayout()->documentSize();
    return {view->objectName(), QRect(QPoint(0, 0), size.toSize()), view->viewport()->rect()};
}

} // namespace

QString withoutTrailingBreaks(QString text)
{
    while (text.endsWith(u'\n') || text.endsWith(u'\r'))
        text.chop(1);
    return text;
}

QList<TextFit> measureTexts(QWidget* window)
{
    QList<TextFit> fits;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(window))
            continue;
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (!label->text().isEmpty())
                fits.append({label->objectName(), labelText(label), label->contentsRect()});
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            if (!button->text().isEmpty() && (qobject_cast<QPushButton*>(button) || qobject_cast<QRadioButton*>(button)))
                fits.append(buttonFit(button));
        } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            fits.append(lineEditFit(box));
        } else if (auto* view = qobject_cast<QTextEdit*>(widget)) {
            fits.append(textViewFit(view));
        }
    }
    return fits;
}

QStringList clippedTexts(QWidget* window)
{
    const auto describe = [](const QRect& r) {
        return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    };
    QStringList clipped;
    for (const TextFit& fit : measureTexts(window))
        if (!fit.room.contains(fit.text))
            clipped << QStringLiteral("%1: text %2 in %3").arg(fit.control, describe(fit.text), describe(fit.room));
    return clipped;
}

} // namespace tellumo::testing
