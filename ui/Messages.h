// Every modal message of the program goes through Messages::show: a box with
// the text, one OK button, no icon and the caption "Tellumo". Tests may set a
// hook that receives the messages instead of a box appearing.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace tellumo::Messages {

inline const QString Caption = QStringLiteral("Tellumo");

using Hook = std::function<void(QWidget* parent, const QString& text)>;

// Shows the message modally and returns when the user has dismissed it.
void show(QWidget* parent, const QString& text);

// Replaces the box with hook (an empty hook restores the box).
void setHook(Hook hook);

} // namespace tellumo::Messages
