#pragma once

#include "core/Errors.h"

#include <string>

// The inputs of a path-performance calculation, so that a fault can name the
// field it is about: the window marks that field, the command line names its
// option.
enum class TPathField
{
    Bandwidth,
    RoundTrip,
    Mtu,
    Stack,
    Window,
    Loss,
    Size,
};

// The field's name as the window labels it and messages begin with it.
const char* pathFieldName(TPathField field);

// Input that cannot be used. The message begins with the field's name:
// "Loss rate: '1.5' is outside 0 to 1".
class EPathInputError : public EZentrixError
{
public:
    EPathInputError(TPathField field, const std::string& problem)
        : EZentrixError(std::string(pathFieldName(field)) + ": " + problem), FField(field)
    {
    }
    TPathField field() const { return FField; }

private:
    TPathField FField;
};
