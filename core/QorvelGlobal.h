#pragma once

// Character classes that decide which typed characters the number fields
// accept. Characters are single bytes; codes from 128 up belong to no class.

bool IsBinDigit(char c);
bool IsDecDigit(char c);
// Upper and lower case letters alike.
bool IsHexDigit(char c);
// The value of a hexadecimal digit of either case, or -1 for any other character.
int HexDigitValue(char c);
// Codes 0 to 31: backspace, carriage return, line feed and the control codes
// of the clipboard shortcuts.
bool IsControlChar(char c);
