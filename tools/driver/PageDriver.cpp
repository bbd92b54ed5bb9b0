#include "PageDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace tellumo::driving {

PersonalEntries PersonalEntries::walker(const QString& name)
{
    PersonalEntries entries;
    entries.name = name;
    entries.bodyFat = QStringLiteral("20");
    entries.sex = QStringLiteral("maleOption");
    entries.bloodType = QStringLiteral("bloodTypeO");
    return entries;
}

QString choiceName(int question, int slot)
{
    return QStringLiteral("q%1Choice%2").arg(question).arg(slot);
}

void typeText(QWidget* field, const QString& text)
{
    // A field that refuses the input method gets such text the only way a
    // user can give it: pasted.
    const bool takesInputMethod = field->inputMethodQuery(Qt::ImEnabled).toBool();
    QString pending;
    const auto commitPending = [&] {
        if (pending.isEmpty())
            return;
        if (takesInputMethod) {
            QInputMethodEvent commit;
            commit.setCommitString(pending);
            QApplication::sendEvent(field, &commit);
        } else {
            QGuiApplication::clipboard()->setText(pending);
            QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
            QApplication::sendEvent(field, &paste);
        }
        pending.clear();
    };
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() >= 0x7f) {
            pending += c;
            continue;
        }
        commitPending();
        const auto key = static_cast<Qt::Key>(c.toUpper().unicode());
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &release);
    }
    commitPending();
}

void clickWidget(QWidget* widget)
{
    // A mouse press moves the focus to what takes it by click, as the
    // window system's press would.
    if (widget->isEnabled() && (widget->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus)
        widget->setFocus(Qt::MouseFocusReason);
    const QPointF at = QRectF(widget->rect()).center();
    const QPointF global = widget->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

PageDriver::PageDriver(PageSource currentPage) : currentPage_(std::move(currentPage)) {}

QWidget* PageDriver::page() const
{
    return currentPage_();
}

void PageDriver::missing(const QString& name)
{
    qFatal("no control %s on the page", qPrintable(name));
}

void PageDriver::click(const QString& name)
{
    clickWidget(control<QAbstractButton>(name));
}

void PageDriver::type(const QString& field, const QString& text)
{
    auto* box = control<QLineEdit>(field);
    box->setFocus(Qt::MouseFocusReason);
    typeText(box, text);
}

void PageDriver::fillPersonalData(const PersonalEntries& entries)
{
    const std::pair<const char*, const QString*> steps[] = {
        {"nameField", &entries.name},     {nullptr, &entries.sex},      {"ageField", &entries.age},
        {"heightField", &entries.height}, {"weightField", &entries.weight}, {nullptr, &entries.bloodType},
        {"bodyFatField", &entries.bodyFat}, {nullptr, &entries.skinTone},
    };
    for (const auto& [field, text] : steps) {
        if (text->isEmpty())
            continue;
        if (field)
            type(QString::fromLatin1(field), *text);
        else
            click(*text);
    }
}

void PageDriver::answer(int firstQuestion, int lastQuestion, int slot)
{
    for (int q = firstQuestion; q <= lastQuestion; ++q) {
        const bool hasSlot = page() && page()->findChild<QAbstractButton*>(choiceName(q, slot));
        click(choiceName(q, hasSlot ? slot : 1));
    }
}

QWidget* PageDriver::waitFor(const QString& name) const
{
    constexpr int timeoutMs = 5000;
    QElapsedTimer timer;
    timer.start();
    const auto shown = [&] { return page() && page()->objectName() == name; };
    while (!shown() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents, 10);
    return shown() ? page() : nullptr;
}

} // namespace tellumo::driving
