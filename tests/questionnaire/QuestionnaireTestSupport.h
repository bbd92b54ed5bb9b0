// Small helpers for driving the questionnaire pages in tests: finding
// controls by object name, clicking and typing like a user, and reading
// PersonalData entries in a form that QCOMPARE prints readably.
#pragma once

#include "AssessmentRecord.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QStringList>
#include <QtTest>

namespace tellumo::testing {

template <typename T = QWidget>
T* control(QWidget* page, const QString& name)
{
    T* widget = page ? page->findChild<T*>(name) : nullptr;
    if (!widget)
        qFatal("no control %s", qPrintable(name));
    return widget;
}

inline void click(QWidget* page, const QString& name)
{
    QTest::mouseClick(control<QAbstractButton>(page, name), Qt::LeftButton);
}

// Types text into the field key by key; characters outside Latin-1 (kana,
// full-width digits) arrive as key events that carry only their text.
inline void type(QWidget* page, const QString& name, const QString& text)
{
    auto* field = control<QLineEdit>(page, name);
    for (QChar ch : text) {
        if (ch.unicode() < 0x80)
            QTest::keyClick(field, ch.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

// "-" for an entry never stored, "#n" for a number, the text itself otherwise.
inline QString describe(const PersonalEntry& entry)
{
    if (entry.isEmpty())
        return QStringLiteral("-");
    if (entry.isNumber())
        return QStringLiteral("#%1").arg(entry.number());
    return QString::fromStdString(entry.text());
}

inline QStringList storedPersonalData()
{
    QStringList entries;
    for (int i = 0; i <= 7; ++i)
        entries << describe(Module1::Record.PersonalData[i]);
    return entries;
}

// The page's focus chain: every control that can take focus, in chain order,
// starting with the first one after the page itself.
inline QStringList focusChain(QWidget* page)
{
    QStringList names;
    for (QWidget* w = page->nextInFocusChain(); w && w != page; w = w->nextInFocusChain())
        if (w->focusPolicy() != Qt::NoFocus && page->isAncestorOf(w))
            names << w->objectName();
    return names;
}

// Names of the focused widgets met while pressing Tab `count` times,
// starting with the one focused now.
inline QStringList tabWalk(QWidget* page, int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i) {
        QWidget* focus = QApplication::focusWidget();
        names << (focus ? focus->objectName() : QStringLiteral("<none>"));
        QTest::keyClick(focus ? focus : page, Qt::Key_Tab);
    }
    return names;
}

} // namespace tellumo::testing
