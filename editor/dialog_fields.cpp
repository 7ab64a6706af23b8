#include "editor/dialog_fields.h"

#include <cfloat>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace
{

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

// The leading number of the text in ASCII ("" when there is none): sign, digits and, for a
// float, a decimal point and an exponent that has digits of its own.
std::string LeadingNumber(const std::wstring& text, bool withFraction)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    std::string number;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        number += static_cast<char>(text[i++]);
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i]))
    {
        number += static_cast<char>(text[i++]);
        ++digits;
    }
    if (withFraction && i < text.size() && text[i] == L'.')
    {
        number += '.';
        ++i;
        while (i < text.size() && IsDigit(text[i]))
        {
            number += static_cast<char>(text[i++]);
            ++digits;
        }
    }
    if (digits == 0)
        return std::string();
    if (withFraction && i < text.size() && (text[i] == L'e' || text[i] == L'E'))
    {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == L'+' || text[j] == L'-'))
            exponent += static_cast<char>(text[j++]);
        std::size_t exponentDigits = 0;
        while (j < text.size() && IsDigit(text[j]))
        {
            exponent += static_cast<char>(text[j++]);
            ++exponentDigits;
        }
        if (exponentDigits > 0)
            number += exponent;
    }
    return number;
}

locale_t CLocale()
{
    static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

} // namespace

std::string FormatFloatField(float value)
{
    char text[64];
    std::to_chars_result result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
    if (result.ec != std::errc())
        return "0.00";
    return std::string(text, result.ptr);
}

std::string FormatIntField(std::int32_t value)
{
    return std::to_string(value);
}

bool ParseFloatField(const std::wstring& text, float& value)
{
    const std::string number = LeadingNumber(text, true);
    if (number.empty())
    {
        value = 0.0f;
        return true;
    }
    const double parsed = strtod_l(number.c_str(), nullptr, CLocale());
    if (!std::isfinite(parsed) || std::fabs(parsed) > FLT_MAX)
        return false;
    value = static_cast<float>(parsed);
    return true;
}

std::int32_t ParseIntField(const std::wstring& text)
{
    const std::string number = LeadingNumber(text, false);
    if (number.empty())
        return 0;
    const bool negative = number[0] == '-';
    const std::int64_t limit =
        negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                 : std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (char c : number)
    {
        if (c < '0' || c > '9')
            continue;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude >= limit)
        {
            magnitude = limit;
            break;
        }
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

void StoreTextField(const std::wstring& text, char* field, std::size_t size)
{
    if (size == 0)
        return;
    std::size_t n = 0;
    for (; n < size - 1 && n < text.size(); ++n)
    {
        const wchar_t c = text[n];
        field[n] = (c >= 0x20 && c <= 0x7e) ? static_cast<char>(c) : '?';
    }
    for (; n < size; ++n)
        field[n] = '\0';
}
