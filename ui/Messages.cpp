#include "Messages.h"

#include "Appearance.h"

#include <QIcon>
#include <QMessageBox>
#include <QPushButton>

namespace tellumo::Messages {

namespace {
Hook& currentHook()
{
    static Hook hook;
    return hook;
}
} // namespace

void show(QWidget* parent, const QString& text)
{
    if (const Hook& hook = currentHook()) {
        hook(parent, text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, Caption, text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setPalette(programPalette());
    // Desktop themes put an icon on the OK button; the box shows text only.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.exec();
}

void setHook(Hook hook) { currentHook() = std::move(hook); }

} // namespace tellumo::Messages
