// The protocol's text work on its own: the exact command texts the tool puts
// on the wire, how it reads the pad's replies, and that no buffer is ever
// read or written past its end (the sanitizers abort on that).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "pad_state.h"
#include "protocol.h"

namespace {

// Printable form of a text with control characters, for failure messages.
std::string Shown(const char* text, size_t length) {
    std::string shown;
    for (size_t i = 0; i < length; i++) {
        unsigned char c = (unsigned char)text[i];
        char escaped[8];
        if (c >= 0x20 && c < 0x7F) shown += (char)c;
        else snprintf(escaped, sizeof escaped, "\\x%02X", c), shown += escaped;
    }
    return "\"" + shown + "\"";
}

std::string Shown(const char* text) { return Shown(text, strlen(text)); }

// A heap copy of exactly n bytes with no terminator, so that a read past
// maxChars is a heap overflow.
std::unique_ptr<char[]> ExactCopy(const char* text, size_t n) {
    std::unique_ptr<char[]> copy(new char[n]);
    memcpy(copy.get(), text, n);
    return copy;
}

// ---- Commands carrying a number ----

struct GroupCase {
    ButtonGroup group;
    int mask;
    const char* expected;
};

TEST(FormatCommands, GroupCommandIsPrefixLetterAndThreeDigits) {
    const GroupCase cases[] = {
        {GROUP_B, 0, "buttom_b=000"},   {GROUP_C, 5, "buttom_c=005"},
        {GROUP_D, 255, "buttom_d=255"}, {GROUP_E, 128, "buttom_e=128"},
        {GROUP_E, 42, "buttom_e=042"},  {GROUP_F, 17, "buttom_f=017"},
    };
    for (const GroupCase& c : cases) {
        char out[32];
        memset(out, '#', sizeof out);
        int length = FormatGroupCommand(out, sizeof out, c.group, c.mask);
        EXPECT_STREQ(c.expected, out) << "group " << c.group << " mask " << c.mask;
        EXPECT_EQ(ARGUMENT_COMMAND_LENGTH, length) << "group " << c.group << " mask " << c.mask;
    }
}

TEST(FormatCommands, EveryMaskGivesTwelveCharacters) {
    for (int group = GROUP_B; group < GROUP_COUNT; group++)
        for (int mask = 0; mask <= MASK_ALL; mask++) {
            char out[32];
            int length = FormatGroupCommand(out, sizeof out, (ButtonGroup)group, mask);
            ASSERT_EQ(ARGUMENT_COMMAND_LENGTH, length) << Shown(out);
            ASSERT_EQ((size_t)ARGUMENT_COMMAND_LENGTH, strlen(out)) << Shown(out);
            ASSERT_EQ(mask, atoi(out + 9)) << Shown(out);
        }
}

struct CountCase {
    int count;
    const char* expected;  // nullptr: nothing to send
};

TEST(FormatCommands, CountCommandForEachCount) {
    const CountCase cases[] = {
        {0, "buttom_0=255"},  {1, "buttom_0=001"}, {9, "buttom_0=009"}, {10, "buttom_0=010"},
        {12, "buttom_0=012"}, {31, "buttom_0=031"}, {32, "buttom_0=032"},
        {33, nullptr},        {-1, nullptr},       {255, nullptr},      {100, nullptr},
        {NO_VALUE, nullptr},  {INT_MAX, nullptr},
    };
    for (const CountCase& c : cases) {
        char out[32] = "stale";
        int length = FormatCountCommand(out, sizeof out, c.count);
        if (c.expected) {
            EXPECT_STREQ(c.expected, out) << "count " << c.count;
            EXPECT_EQ(ARGUMENT_COMMAND_LENGTH, length) << "count " << c.count;
        } else {
            EXPECT_EQ(0, length) << "count " << c.count << " gave " << Shown(out);
            EXPECT_EQ(nullptr, strstr(out, "buttom")) << "count " << c.count << " gave " << Shown(out);
        }
    }
}

TEST(FormatCommands, EveryCountTheToolOffersGivesTwelveCharacters) {
    for (int count = 0; count <= 32; count++) {
        char out[32];
        int length = FormatCountCommand(out, sizeof out, count);
        EXPECT_EQ(ARGUMENT_COMMAND_LENGTH, length) << "count " << count;
        EXPECT_EQ((size_t)ARGUMENT_COMMAND_LENGTH, strlen(out)) << "count " << count << ": " << Shown(out);
    }
}

struct ArgumentCase {
    const char* prefix;
    int value;
    const char* expected;
};

// Values below 100 are padded to three digits; nothing is cut off.
TEST(FormatCommands, ArgumentPadsToThreeDigits) {
    const ArgumentCase cases[] = {
        {"buttom_a=", 0, "buttom_a=000"}, {"buttom_a=", 11, "buttom_a=011"},
        {"x", 7, "x007"},                 {"", 99, "099"},
        {"", 1234, "1234"},               {"", -5, "-05"},
    };
    for (const ArgumentCase& c : cases) {
        char out[32];
        int length = FormatArgument(out, sizeof out, c.prefix, c.value);
        EXPECT_STREQ(c.expected, out) << Shown(c.prefix) << " " << c.value;
        EXPECT_EQ((int)strlen(c.expected), length) << Shown(c.prefix) << " " << c.value;
    }
}

// Each formatter writes into a buffer of every size from 0 up; the bytes past
// the given size must stay untouched, and a command that does not fit must
// leave no partial command behind.
enum Formatter { COUNT_ZERO, COUNT_32, GROUP_ALL, DIRECTION_UP_LEFT };

int RunFormatter(Formatter formatter, char* out, size_t size) {
    switch (formatter) {
    case COUNT_ZERO: return FormatCountCommand(out, size, 0);
    case COUNT_32: return FormatCountCommand(out, size, 32);
    case GROUP_ALL: return FormatGroupCommand(out, size, GROUP_E, MASK_ALL);
    case DIRECTION_UP_LEFT: return FormatArgument(out, size, "buttom_a=", 11);
    }
    return -1;
}

TEST(FormatCommands, SmallBuffersAreNeverOverrun) {
    const Formatter formatters[] = {COUNT_ZERO, COUNT_32, GROUP_ALL, DIRECTION_UP_LEFT};
    for (Formatter formatter : formatters)
        for (size_t size = 0; size <= ARGUMENT_COMMAND_LENGTH + 2; size++) {
            char area[32];
            memset(area, '#', sizeof area);
            int length = RunFormatter(formatter, area, size);
            for (size_t i = size; i < sizeof area; i++)
                ASSERT_EQ('#', area[i]) << "formatter " << formatter << " size " << size << " wrote byte " << i;
            if (size > (size_t)ARGUMENT_COMMAND_LENGTH) {
                EXPECT_EQ(ARGUMENT_COMMAND_LENGTH, length) << "formatter " << formatter << " size " << size;
                continue;
            }
            EXPECT_EQ(0, length) << "formatter " << formatter << " size " << size;
            if (size > 0)
                EXPECT_EQ(0, area[0]) << "formatter " << formatter << " size " << size << " left "
                                      << Shown(area, size);
        }
}

// ---- Replies ----

struct ParseCase {
    const char* text;
    size_t maxChars;
    int expected;
};

// The same case on the text as given and, when it is at least maxChars long,
// on an unterminated copy of exactly maxChars bytes.
void ExpectParse(int (*parse)(const char*, size_t), const ParseCase& c) {
    EXPECT_EQ(c.expected, parse(c.text, c.maxChars)) << Shown(c.text) << " max " << c.maxChars;
    if (strlen(c.text) < c.maxChars) return;
    std::unique_ptr<char[]> exact = ExactCopy(c.text, c.maxChars);
    EXPECT_EQ(c.expected, parse(exact.get(), c.maxChars))
        << Shown(c.text) << " unterminated, max " << c.maxChars;
}

TEST(ParseReplies, HexValueReadsAtMostFourCharacters) {
    const ParseCase cases[] = {
        {"FF", 4, 255},          {"ff", 4, 255},         {"0xFF", 4, 255},       {"0XFF", 4, 255},
        {"00FF\r\n", 4, 255},    {"000C\r\n", 4, 12},    {"FFFF", 4, 0xFFFF},    {"1FFFFF", 4, 0x1FFF},
        {"0x1FFF", 4, 0x1F},     {"-FFF", 4, -0xFFF},    {" -1", 4, -1},         {"+a", 4, 10},
        {"-0xF", 4, -15},        {"\t\v\f7", 4, 7},      {"1G", 4, 1},           {"12\0" "34", 4, 0x12},
        {"0x", 4, 0},            {"0xZ", 4, 0},          {"0x1", 3, 1},          {"0x1", 2, 0},
        {"FFFF", 2, 0xFF},       {"FFFF", 1, 0xF},       {"", 4, NO_VALUE},      {"\r\n", 4, NO_VALUE},
        {"ZZZZ", 4, NO_VALUE},   {"OK\r\n", 4, NO_VALUE}, {"-", 4, NO_VALUE},    {"+", 4, NO_VALUE},
        {"--1", 4, NO_VALUE},    {"- 1", 4, NO_VALUE},   {"    1", 4, NO_VALUE}, {"x1", 4, NO_VALUE},
        {"\x80\x81", 4, NO_VALUE}, {"abc", 0, NO_VALUE},
    };
    for (const ParseCase& c : cases) ExpectParse(ParseHexValue, c);
}

TEST(ParseReplies, DecimalValueReadsAtMostTwoCharacters) {
    const ParseCase cases[] = {
        {"123", 2, 12},       {"40", 2, 40},        {"32", 2, 32},         {"7", 2, 7},
        {"07", 2, 7},         {" 7", 2, 7},         {"-1", 2, -1},         {"+5", 2, 5},
        {"9a", 2, 9},         {"0x", 2, 0},         {"", 2, NO_VALUE},     {"ab", 2, NO_VALUE},
        {"-", 2, NO_VALUE},   {"  7", 2, NO_VALUE}, {"\x82\x50", 2, NO_VALUE}, {"1", 0, NO_VALUE},
    };
    for (const ParseCase& c : cases) ExpectParse(ParseDecimalValue, c);
}

// Whatever the stand-in answers, the tool reads back as the same value.
TEST(ParseReplies, EveryValueReplyReadsBackExactly) {
    EXPECT_EQ("000C\r\n", ValueReply(12));
    EXPECT_EQ("00FF\r\n", ValueReply(255));
    for (int value = 0; value <= 0xFFFF; value++) {
        std::string reply = ValueReply(value);
        ASSERT_EQ(6u, reply.size()) << value;
        ASSERT_EQ(value, ParseHexValue(reply.c_str(), REPLY_DIGITS)) << Shown(reply.c_str());
    }
}

// ---- Directions and buttons ----

TEST(Directions, OnlyTheNinePositionsHaveAnIndex) {
    const int positions[DIRECTION_COUNT] = {0, 8, 9, 1, 5, 4, 6, 2, 11};
    for (int code = -20; code <= 300; code++) {
        int expected = -1;
        for (int i = 0; i < DIRECTION_COUNT; i++)
            if (positions[i] == code) expected = i;
        EXPECT_EQ(expected, DirectionIndexOfCode(code)) << "code " << code;
    }
    EXPECT_EQ(-1, DirectionIndexOfCode(NO_VALUE));
}

TEST(Directions, EachCommandCarriesItsCode) {
    for (int i = 0; i < DIRECTION_COUNT; i++) {
        char expected[32];
        snprintf(expected, sizeof expected, "buttom_a=%03d", directionCodes[i].code);
        EXPECT_STREQ(expected, directionCodes[i].command) << "index " << i;
    }
    EXPECT_STREQ(CMD_CENTRE, directionCodes[0].command);
}

TEST(Buttons, EachButtonHasItsOwnGroupAndBit) {
    int seen[SHOWN_GROUPS] = {0, 0, 0, 0};
    for (int button = 0; button < SHOWN_GROUPS * BUTTONS_PER_GROUP; button++) {
        ButtonGroup group = GroupOfButton(button);
        int bit = ButtonBit(button);
        ASSERT_EQ(button / BUTTONS_PER_GROUP, (int)group) << "button " << button;
        ASSERT_EQ(1 << (button % BUTTONS_PER_GROUP), bit) << "button " << button;
        EXPECT_EQ(0, seen[group] & bit) << "button " << button << " shares a bit";
        seen[group] |= bit;
    }
    for (int group = 0; group < SHOWN_GROUPS; group++) EXPECT_EQ(MASK_ALL, seen[group]) << "group " << group;
}

TEST(Buttons, NumbersOutsideThePadHaveNoGroup) {
    const int outside[] = {-1000, -9, -8, -1, 32, 33, 40, 255, INT_MAX, INT_MIN};
    for (int button : outside) EXPECT_EQ(GROUP_COUNT, GroupOfButton(button)) << "button " << button;
}

TEST(Buttons, GroupLettersRunFromB) {
    const char letters[GROUP_COUNT] = {'b', 'c', 'd', 'e', 'f'};
    for (int group = 0; group < GROUP_COUNT; group++)
        EXPECT_EQ(letters[group], GroupLetter((ButtonGroup)group)) << "group " << group;
    for (int group = 0; group < SHOWN_GROUPS; group++)
        EXPECT_EQ(letters[group], groupQueries[group][0]) << Shown(groupQueries[group]);
}

}  // namespace
