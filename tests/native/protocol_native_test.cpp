// The protocol's text work on its own, one table: the exact command texts the
// tool puts on the wire, and that no buffer is written past its end (the
// sanitizers abort on that). How it reads the pad's replies is the fuzzer's
// (tests/fuzz): every input of its corpus against strtol.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "port_names.h"
#include "protocol.h"

namespace {

// Formatting: what a buffer of `size` bytes holds afterwards ("" when nothing fits).
enum Kind { GROUP, COUNT };
struct FormatCase {
    Kind kind;
    int arg, extra;  // GROUP: group, mask; COUNT: count
    size_t size;
    const char* expected;
};

const FormatCase formatCases[] = {
    {GROUP, GROUP_B, 0, 32, "buttom_b=000"},     {GROUP, GROUP_C, 5, 32, "buttom_c=005"},
    {GROUP, GROUP_E, 128, 32, "buttom_e=128"},   {GROUP, GROUP_F, 255, 32, "buttom_f=255"},
    {GROUP, GROUP_D, 255, 13, "buttom_d=255"},   {GROUP, GROUP_D, 255, 12, ""},
    {GROUP, GROUP_B, 1, 0, ""},                  {COUNT, 0, 0, 32, "buttom_0=255"},
    {COUNT, 1, 0, 32, "buttom_0=001"},           {COUNT, 32, 0, 32, "buttom_0=032"},
    {COUNT, 0, 0, 12, ""},                       {COUNT, 33, 0, 32, ""},
    {COUNT, -1, 0, 32, ""},                      {COUNT, 255, 0, 32, ""},
};

TEST(Protocol, CommandTextsFitOrAreNotWritten) {
    for (const FormatCase& c : formatCases) {
        char area[40];
        memset(area, '#', sizeof area);
        int length = c.kind == GROUP ? FormatGroupCommand(area, c.size, (ButtonGroup)c.arg, c.extra)
                                     : FormatCountCommand(area, c.size, c.arg);
        // Nothing to send leaves no start of a command behind either.
        std::string got = length ? std::string(area) : (c.size && area[0] == 'b') ? "a partial command" : "";
        EXPECT_EQ(got, c.expected) << c.kind << " " << c.arg << " size " << c.size;
        EXPECT_EQ(length, (int)strlen(c.expected)) << c.kind << " " << c.arg << " size " << c.size;
        for (size_t i = c.size; i < sizeof area; i++) ASSERT_EQ(area[i], '#') << "wrote past byte " << c.size;
    }
}

TEST(Protocol, TypedPortNames) {
    const struct { const char* text; int number; } cases[] = {
        {"COM1", 1},  {" com12 ", 12}, {"\tCoM10 ", 10}, {"COM256", 256}, {"COM257", 0}, {"COM0", 0},
        {"COM01", 0}, {"COM1x", 0},    {"COM", 0},       {"COM 1", 0},    {"LPT1", 0},   {"COM-1", 0},
        {"", 0},      {"COM4294967297", 0},
    };
    for (auto& c : cases) EXPECT_EQ(PortNumberOfText(c.text, strlen(c.text)), c.number) << '"' << c.text << '"';
}

TEST(Protocol, ButtonsMasksAndDirections) {
    std::string seen;
    for (int button : {-1, 0, 7, 8, 31, 32})
        seen += std::to_string(GroupOfButton(button)) + ":" + std::to_string(ButtonBit(button)) + " ";
    EXPECT_EQ(seen, "5:0 0:1 0:128 1:1 3:128 5:1 ");
    std::string codes;
    for (int code = -1; code <= 12; code++) codes += std::to_string(DirectionIndexOfCode(code)) + " ";
    EXPECT_EQ(codes, "-1 0 3 7 -1 5 4 6 -1 1 2 -1 8 -1 ");
}

}  // namespace
