#pragma once

#include <QString>

#include <utility>

// Errors that the user is shown travel as exceptions (EZentrixError) through
// our own code, so that whatever follows the failing step does not run. They
// stop where Qt called us: a slot of a signal that Qt emits, an event handler,
// a timer or a queued call. Qt's own frames are built without exception
// support, and an error that crossed them would leave Qt's state half undone.
namespace errorreport {

// Shows a message the way every error is shown: in a message box over the
// active window. The program goes on.
void show(const QString& message);

// The message of the error being handled; for use inside a catch block.
QString currentMessage();

// Shows the error being handled; for use inside a catch block.
void showCurrent();

} // namespace errorreport

// Runs what Qt called us for. An error it raises ends it there and is shown;
// it never travels back into Qt. Returns whether the action ran to its end.
template <typename Action> bool reportErrors(Action&& action) noexcept
{
    try {
        std::forward<Action>(action)();
        return true;
    } catch (...) {
        errorreport::showCurrent();
        return false;
    }
}

// A slot for a signal that Qt emits, which runs `handler` of `receiver` and
// shows its errors: connect(button, &QAbstractButton::clicked, this,
// reporting(this, &TForm::ButtonClick)). The receiver is the connection's
// context, so the connection goes with it.
template <typename Receiver, typename... Args>
auto reporting(Receiver* receiver, void (Receiver::*handler)(Args...))
{
    return [receiver, handler](Args... args) {
        reportErrors([&] { (receiver->*handler)(std::forward<Args>(args)...); });
    };
}

template <typename Receiver, typename... Args>
auto reporting(const Receiver* receiver, void (Receiver::*handler)(Args...) const)
{
    return [receiver, handler](Args... args) {
        reportErrors([&] { (receiver->*handler)(std::forward<Args>(args)...); });
    };
}

// The same for a handler that is a lambda or other function object.
template <typename Handler> auto reporting(Handler handler)
{
    // The return type lets Qt find how many of the signal's arguments the
    // handler takes.
    return [handler](auto&&... args) -> decltype(handler(std::forward<decltype(args)>(args)...),
                                                 void()) {
        reportErrors([&] { handler(std::forward<decltype(args)>(args)...); });
    };
}
