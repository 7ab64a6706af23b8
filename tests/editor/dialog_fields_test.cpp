#include "editor/dialog_fields.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{

TEST(DialogFields, FloatsParseTheirLeadingNumber)
{
    struct Case
    {
        const wchar_t* text;
        bool stored;
        float value;
    } cases[] = {
        {L"abc", true, 0.0f},     {L"2.5x", true, 2.5f},    {L"", true, 0.0f},
        {L"  -1.5", true, -1.5f}, {L"+3", true, 3.0f},      {L"1.24", true, 1.24f},
        {L"1e2", true, 100.0f},   {L"1e", true, 1.0f},      {L".5", true, 0.5f},
        {L"2,5", true, 2.0f},     {L"inf", true, 0.0f},     {L"nan", true, 0.0f},
        {L"1e39", false, 7.0f},   {L"-1e400", false, 7.0f},
    };
    for (const Case& c : cases)
    {
        float value = 7.0f;
        EXPECT_EQ(ParseFloatField(c.text, value), c.stored) << c.text;
        EXPECT_FLOAT_EQ(value, c.value);
    }
}

TEST(DialogFields, WholeNumbersParseBaseTenWithinInt32)
{
    struct Case
    {
        const wchar_t* text;
        std::int32_t value;
    } cases[] = {
        {L"3.7", 3},
        {L"abc", 0},
        {L"", 0},
        {L" -42x", -42},
        {L"0x10", 0},
        {L"30", 30},
        {L"2147483647", 2147483647},
        {L"3000000000", 2147483647},
        {L"-2147483648", -2147483647 - 1},
        {L"-99999999999999999999", -2147483647 - 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseIntField(c.text), c.value) << c.text;
}

TEST(DialogFields, NumbersShowAsTheDialogsFormatThem)
{
    EXPECT_EQ(FormatFloatField(1.237f), "1.24");
    EXPECT_EQ(FormatFloatField(3.0f), "3.00");
    EXPECT_EQ(FormatFloatField(-0.5f), "-0.50");
    EXPECT_EQ(FormatIntField(-2147483647 - 1), "-2147483648");
}

TEST(DialogFields, TextsAreCutToTheFieldAndNulFilled)
{
    struct Case
    {
        const wchar_t* text;
        std::size_t size;
        const char* stored;
    } cases[] = {
        {L"twentycharacters1234", 16, "twentycharacter"},
        {L"fifteencharacte", 16, "fifteencharacte"},
        {L"a title of thirty-two characters", 32, "a title of thirty-two character"},
        {L"SEVENPW", 6, "SEVEN"},
        {L"", 6, ""},
        {L"caf\u00e9\t", 16, "caf??"},
    };
    for (const Case& c : cases)
    {
        char field[40];
        std::memset(field, 'X', sizeof field);
        StoreTextField(c.text, field, c.size);
        EXPECT_STREQ(field, c.stored);
        for (std::size_t i = std::strlen(c.stored); i < c.size; ++i)
            EXPECT_EQ(field[i], '\0') << i;
        EXPECT_EQ(field[c.size], 'X'); // nothing past the field
    }
}

} // namespace
