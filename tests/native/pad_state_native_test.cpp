// The stand-in's firmware logic: each command changes exactly what it should,
// queries change nothing, and anything the pad does not know is refused
// without touching the state. The tool's own command texts are fed through
// it, so the two sides are checked against each other.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "pad_state.h"
#include "protocol.h"

namespace {

PadState KnownState() {
    PadState state;
    state.buttonCount = 20;
    state.direction = 9;
    state.masks[0] = 1;
    state.masks[1] = 2;
    state.masks[2] = 4;
    state.masks[3] = 255;
    return state;
}

std::string Describe(const PadState& s) {
    std::ostringstream text;
    text << "{count " << s.buttonCount << ", direction " << s.direction << ", masks " << s.masks[0] << "/"
         << s.masks[1] << "/" << s.masks[2] << "/" << s.masks[3] << ", pending " << s.pendingCount << "}";
    return text.str();
}

bool SameState(const PadState& a, const PadState& b) { return Describe(a) == Describe(b); }

std::string Shown(const std::string& line) {
    std::string shown;
    for (unsigned char c : line) {
        char escaped[8];
        if (c >= 0x20 && c < 0x7F) shown += (char)c;
        else snprintf(escaped, sizeof escaped, "\\x%02X", c), shown += escaped;
    }
    return "\"" + shown + "\"";
}

struct QueryCase {
    const char* line;
    int expected;
};

TEST(PadState, QueriesAnswerTheStateAndChangeNothing) {
    const QueryCase cases[] = {
        {CMD_PROBE, PROBE_READY}, {CMD_COUNT, 20}, {CMD_DIRECTION, 9},
        {"b_num?", 1},            {"c_num?", 2},   {"d_num?", 4},
        {"e_num?", 255},
    };
    for (const QueryCase& c : cases) {
        PadState state = KnownState();
        Answer answer = ApplyCommand(state, c.line);
        EXPECT_EQ(ANSWER_VALUE, answer.kind) << c.line;
        EXPECT_EQ(c.expected, answer.value) << c.line;
        EXPECT_TRUE(SameState(KnownState(), state)) << c.line << " left " << Describe(state);
    }
}

// Each command against the known state and the whole state it must leave.
struct CommandCase {
    const char* line;
    PadState after;
};

std::vector<CommandCase> CommandCases() {
    std::vector<CommandCase> cases;
    auto add = [&](const char* line, void (*change)(PadState&)) {
        PadState after = KnownState();
        change(after);
        cases.push_back({line, after});
    };
    add("buttom_a=011", [](PadState& s) { s.direction = 11; });
    add("buttom_a=000", [](PadState& s) { s.direction = 0; });
    add("buttom_b=255", [](PadState& s) { s.masks[0] = 255; });
    add("buttom_c=000", [](PadState& s) { s.masks[1] = 0; });
    add("buttom_d=128", [](PadState& s) { s.masks[2] = 128; });
    add("buttom_e=007", [](PadState& s) { s.masks[3] = 7; });
    add("buttom_f=123", [](PadState&) {});
    add("buttom_0=255", [](PadState& s) { s.pendingCount = 0; });
    add("buttom_0=032", [](PadState& s) { s.pendingCount = 32; });
    add("buttom_0=001", [](PadState& s) { s.pendingCount = 1; });
    add(CMD_RELEASE_ALL, [](PadState& s) { memset(s.masks, 0, sizeof s.masks); });
    add(CMD_INI_DISP, [](PadState&) {});
    return cases;
}

TEST(PadState, CommandsChangeExactlyTheirPart) {
    for (const CommandCase& c : CommandCases()) {
        PadState state = KnownState();
        Answer answer = ApplyCommand(state, c.line);
        EXPECT_EQ(ANSWER_ACK, answer.kind) << c.line;
        EXPECT_TRUE(SameState(c.after, state))
            << c.line << ": expected " << Describe(c.after) << ", got " << Describe(state);
    }
}

// A restart takes the last count sent before it, once.
struct RebootCase {
    std::vector<const char*> lines;  // the last one is a "reboot"
    int reported;
};

TEST(PadState, RebootTakesThePendingCount) {
    const RebootCase cases[] = {
        {{"buttom_0=255", "reboot"}, 0},
        {{"buttom_0=016", "reboot"}, 16},
        {{"buttom_0=032", "reboot"}, 32},
        {{"reboot"}, 20},
        {{"buttom_0=016", "reboot", "reboot"}, 16},
        {{"buttom_0=016", "buttom_0=008", "reboot"}, 8},
        {{"buttom_0=255", "reboot", "buttom_0=004", "reboot"}, 4},
        {{"buttom_0=016", "buttom_0=99x", "reboot"}, 16},
    };
    for (const RebootCase& c : cases) {
        PadState state = KnownState();
        Answer answer = {ANSWER_UNKNOWN, 0};
        std::string sequence;
        for (const char* line : c.lines) answer = ApplyCommand(state, line), sequence += std::string(line) + " ";
        EXPECT_EQ(ANSWER_REBOOT, answer.kind) << sequence;
        EXPECT_EQ(c.reported, answer.value) << sequence;
        EXPECT_EQ(-1, state.pendingCount) << sequence;
        Answer count = ApplyCommand(state, CMD_COUNT);
        EXPECT_EQ(c.reported, count.value) << sequence << "then " << CMD_COUNT;
    }
}

// The tool's own count commands, through the stand-in, give back the count chosen.
TEST(PadState, EveryCountCommandOfTheToolRestartsWithThatCount) {
    for (int count = 0; count <= 32; count++) {
        char command[32];
        ASSERT_EQ(ARGUMENT_COMMAND_LENGTH, FormatCountCommand(command, sizeof command, count)) << count;
        PadState state = KnownState();
        EXPECT_EQ(ANSWER_ACK, ApplyCommand(state, command).kind) << command;
        Answer answer = ApplyCommand(state, CMD_REBOOT);
        EXPECT_EQ(count, answer.value) << command;
    }
}

// The tool's group and direction commands land in the right place.
TEST(PadState, ToolCommandsSetTheirGroupAndDirection) {
    for (int group = 0; group < SHOWN_GROUPS; group++) {
        char command[32];
        FormatGroupCommand(command, sizeof command, (ButtonGroup)group, 0x5A);
        PadState state = KnownState();
        EXPECT_EQ(ANSWER_ACK, ApplyCommand(state, command).kind) << command;
        EXPECT_EQ(0x5A, ApplyCommand(state, groupQueries[group]).value) << command;
    }
    for (int i = 0; i < DIRECTION_COUNT; i++) {
        PadState state = KnownState();
        EXPECT_EQ(ANSWER_ACK, ApplyCommand(state, directionCodes[i].command).kind) << directionCodes[i].command;
        Answer answer = ApplyCommand(state, CMD_DIRECTION);
        EXPECT_EQ(i, DirectionIndexOfCode(answer.value)) << directionCodes[i].command << " read back "
                                                          << answer.value;
    }
}

TEST(PadState, MalformedCommandsAreUnknownAndChangeNothing) {
    const std::string cases[] = {
        "",
        "1_num",
        "1_num?\r",
        "btn_num? ",
        " btn_num?",
        "B_num?",
        "a_num",
        "f_num?",
        "g_num?",
        std::string("b_num?\0", 7),
        "bb_num?",
        "buttom_a=1",
        "buttom_a=01",
        "buttom_a=0001",
        "buttom_a=256",
        "buttom_a=999",
        "buttom_b=-01",
        "buttom_b= 01",
        "buttom_b=+01",
        "buttom_b=0x1",
        "buttom_c=00a",
        std::string("buttom_d=01\0", 12),
        "buttom_g=001",
        "buttom_1=001",
        "buttom_A=001",
        "buttom_a:001",
        "buttom_a==01",
        "Buttom_a=001",
        "button_a=001",
        "buttom_0=256",
        "buttom_",
        "reboot!",
        "REBOOT",
        "reboo",
        "btn_off ",
        "ini_disp",
        "Ini_Disp\n",
    };
    for (const std::string& line : cases) {
        PadState state = KnownState();
        state.pendingCount = 5;
        PadState before = state;
        Answer answer = ApplyCommand(state, line);
        EXPECT_EQ(ANSWER_UNKNOWN, answer.kind) << Shown(line);
        EXPECT_TRUE(SameState(before, state)) << Shown(line) << " left " << Describe(state);
    }
}

}  // namespace
