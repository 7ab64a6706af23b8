// The text conversions of the property dialogs, as pure functions: how a record's or the
// world's value is shown in an edit field, and how the field's text is stored back.
//
// Numbers are read the same way on every machine, whatever the user's locale: the number at
// the start of the text (leading white space, an optional sign, digits; for a float also a
// decimal point and an exponent), or 0 when the text does not begin with one. Whole numbers
// beyond the 32-bit range store the nearest limit. A float that would not be finite is refused
// and the field keeps its value. Texts are stored as printable ASCII bytes within the field's
// width, the rest of the field NUL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// "%.2f" of the value, with a decimal point.
std::string FormatFloatField(float value);
// "%i" of the value.
std::string FormatIntField(std::int32_t value);

// False, leaving `value` unchanged, when the text's number is not a finite float.
bool ParseFloatField(const std::wstring& text, float& value);
std::int32_t ParseIntField(const std::wstring& text);

// Copies at most size - 1 characters of the text into field[size] and fills every remaining
// byte with NUL; a character outside printable ASCII is stored as '?'.
void StoreTextField(const std::wstring& text, char* field, std::size_t size);

template <std::size_t N>
void StoreTextField(const std::wstring& text, char (&field)[N])
{
    StoreTextField(text, field, N);
}
