#pragma once

#include <QApplication>

// Shows the hourglass over the whole application while the guard lives, and
// restores the previous cursor however the scope is left (an exception
// included), so a failed long operation never leaves the busy cursor behind.
class WaitCursorGuard
{
public:
    WaitCursorGuard() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursorGuard() { QApplication::restoreOverrideCursor(); }

    WaitCursorGuard(const WaitCursorGuard&) = delete;
    WaitCursorGuard& operator=(const WaitCursorGuard&) = delete;
};
