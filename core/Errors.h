#pragma once

#include <stdexcept>
#include <string>

// The one error type of the program: it carries the message text that the
// application's top-level handler shows to the user.
class EZentrixError : public std::runtime_error
{
public:
    explicit EZentrixError(const std::string& message) : std::runtime_error(message) {}
};
