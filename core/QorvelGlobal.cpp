#include "core/QorvelGlobal.h"

bool IsBinDigit(char c)
{
    return c == '0' || c == '1';
}

bool IsDecDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c)
{
    return IsDecDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexDigitValue(char c)
{
    if (IsDecDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsControlChar(char c)
{
    return static_cast<unsigned char>(c) < 32;
}
