#pragma once

#include <QFocusEvent>

// Whether a focus event moves the focus from one control of the window to
// another: only then is a field entered or left. The window losing or
// regaining the activation, a pop-up menu opening and the menu bar taking
// the keys (Alt, or a menu's accelerator) leave the field where it was; it
// gets the focus back when they are done.
inline bool isFocusMove(const QFocusEvent* event)
{
    const Qt::FocusReason reason = event->reason();
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
           reason != Qt::MenuBarFocusReason;
}
