// Button check boxes (1027-1058) and direction radio buttons (1059-1067)
// clicked in the real dialog: the command each click sends the stand-in pad,
// and what the dialog shows afterwards.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "config_dialog.h"
#include "dialog_harness.h"
#include "message_boxes.h"
#include "pad_harness.h"
#include "screen_state.h"
#include "serial_link.h"

namespace {

// Thirty-two buttons: every box can be clicked.
PadState MakeState(int direction, int b, int c, int d, int e) { return MakePadState(32, direction, b, c, d, e); }

void Configure(PadSim& sim, const PadState& state, Misbehaviour misbehaviour) {
    std::lock_guard<std::mutex> guard(sim.lock);
    sim.config.state = state;
    sim.config.misbehaviour = misbehaviour;
}

class EditButtons : public ::testing::Test {
protected:
    void SetUp() override { StartRecordingBoxes(); }
    void TearDown() override {
        StopDialogAndPad(sim, dialog);
        if (relayDown) RelayUp(1);
    }
    // A fresh dialog and stand-in, and a first read, which enables the controls.
    void Start(const PadState& state) {
        PadSimConfig config;
        config.state = state;
        ASSERT_NO_FATAL_FAILURE(StartDialogAndPad(sim, dialog, config));
        Click(dialog, 1005);
        ASSERT_TRUE(IsEnabled(dialog, 1059)) << "the first read failed";
    }
    // What the stand-in received during these clicks.
    std::vector<WireByte> Clicks(const std::vector<int>& ids) {
        ClearWire(*sim);
        ShownBoxes().clear();
        for (int id : ids) UserClick(dialog, id);
        Sleep(30);  // the stand-in records what the tool's last write brought
        return WireSnapshot(*sim);
    }
    std::unique_ptr<PadSim> sim;
    HWND dialog = NULL;
    bool relayDown = false;
};

int Box(int button) { return 1026 + button; }

struct BoxCase {
    const char* name;
    PadState pad;
    Misbehaviour answers;  // how the pad answers the clicks
    std::vector<int> buttons;
    std::vector<std::string> lines;
    const char* checkedAfter;
};

const BoxCase boxCases[] = {
    {"box 12 while 9 and 10 are checked", MakeState(0, 0x01, 0x03, 0, 0x80), BEHAVE_WELL, {12}, {"buttom_c=011"},
     "10000000 11010000 00000000 00000001"},
    {"last checked box of group d", MakeState(0, 0x01, 0, 0x10, 0x80), BEHAVE_WELL, {21}, {"buttom_d=000"},
     "10000000 00000000 00000000 00000001"},
    {"all eight of group e in turn",
     MakeState(0, 0, 0, 0, 0),
     BEHAVE_WELL,
     {25, 26, 27, 28, 29, 30, 31, 32},
     {"buttom_e=001", "buttom_e=003", "buttom_e=007", "buttom_e=015", "buttom_e=031", "buttom_e=063", "buttom_e=127",
      "buttom_e=255"},
     "00000000 00000000 00000000 11111111"},
    {"highest box of group b", MakeState(0, 0x01, 0, 0, 0), BEHAVE_WELL, {8}, {"buttom_b=129"},
     "10000001 00000000 00000000 00000000"},
    {"a box unchecked in a full group", MakeState(0, 0, 0xFF, 0, 0), BEHAVE_WELL, {9}, {"buttom_c=254"},
     "00000000 01111111 00000000 00000000"},
    {"pad answering NG", MakeState(0, 0, 0, 0, 0), BEHAVE_NAK, {17, 18}, {"buttom_d=001", "buttom_d=003"},
     "00000000 00000000 11000000 00000000"},
};

TEST_F(EditButtons, BoxClickSendsItsWholeGroupAndTheNextReadShowsIt) {
    Start(MakeState(0, 0, 0, 0, 0));
    for (const BoxCase& c : boxCases) {
        SCOPED_TRACE(c.name);
        Configure(*sim, c.pad, BEHAVE_WELL);
        Click(dialog, 1005);
        Configure(*sim, c.pad, c.answers);
        SetDlgItemTextA(dialog, 1000, "-");
        std::vector<int> ids;
        for (int button : c.buttons) ids.push_back(Box(button));

        std::vector<WireByte> wire = Clicks(ids);
        EXPECT_EQ(ToolTexts(wire), c.lines) << "nothing for the other groups";
        EXPECT_EQ(ToolBytes(wire), WireOf(c.lines));
        ExpectPausesAfterAnswers(wire);
        EXPECT_EQ(Checked(dialog), c.checkedAfter);
        EXPECT_EQ(ControlText(dialog, 1000), Cp932("接続")) << "whatever the pad answered";

        Configure(*sim, StateSnapshot(*sim), BEHAVE_WELL);
        Click(dialog, 1005);
        EXPECT_EQ(Checked(dialog), c.checkedAfter) << "read back from the pad";
    }
}

struct RadioCase {
    int radio;
    const char* line;
    int code;  // what the pad stores
};

// In identifier order, so that up-left, read back, ends the run.
const RadioCase radioCases[] = {
    {1059, "buttom_a=000", 0}, {1060, "buttom_a=008", 8}, {1061, "buttom_a=009", 9},
    {1062, "buttom_a=001", 1}, {1063, "buttom_a=005", 5}, {1064, "buttom_a=004", 4},
    {1065, "buttom_a=006", 6}, {1066, "buttom_a=002", 2}, {1067, "buttom_a=011", 11},
};

TEST_F(EditButtons, RadioClickSendsItsOwnDirectionAndUnchecksTheOthers) {
    Start(MakeState(5, 0, 0, 0, 0));
    ASSERT_EQ(CheckedRadios(dialog), "1063");
    for (const RadioCase& c : radioCases) {
        SCOPED_TRACE(c.radio);
        SetDlgItemTextA(dialog, 1000, "-");
        std::vector<WireByte> wire = Clicks({c.radio});
        EXPECT_EQ(ToolBytes(wire), WireOf({c.line}));
        EXPECT_EQ(CheckedRadios(dialog), std::to_string(c.radio));
        EXPECT_EQ(StateSnapshot(*sim).direction, c.code);
        EXPECT_EQ(ControlText(dialog, 1000), Cp932("接続"));
    }

    std::vector<WireByte> wire = Clicks({1067, 1067});
    EXPECT_EQ(ToolTexts(wire), (std::vector<std::string>{"buttom_a=011", "buttom_a=011"}))
        << "the selected position clicked again is sent again";
    ExpectPausesAfterAnswers(wire);
    EXPECT_EQ(CheckedRadios(dialog), "1067");

    ClearWire(*sim);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1062, BN_DOUBLECLICKED), (LPARAM)GetDlgItem(dialog, 1062));
    Sleep(30);
    EXPECT_EQ(ToolTexts(WireSnapshot(*sim)), (std::vector<std::string>{"buttom_a=001"}))
        << "any notification of a radio button sends";

    UserClick(dialog, 1067);
    Click(dialog, 1005);
    EXPECT_EQ(CheckedRadios(dialog), "1067") << "up-left read back from the pad";
}

struct UnlinkedCase {
    const char* name;
    LinkFault fault;
    int id;
    std::vector<std::string> lines;  // what the failed attempt sent to the pad
    const char* checkedAfter;
    const char* radioAfter;
};

// A port typed into the list's field that is none of its rows cannot be
// opened. With the relay of COM1 ended, Wine may still hand out a handle for
// COM1 on which every write fails: a failed open or a failed handshake, the
// link is unusable either way.
const UnlinkedCase unlinkedCases[] = {
    {"box, pad silent", PAD_SILENT, 1029, {"", ""}, "11100000 00000000 00000000 00000000", "1064"},
    {"box, no such port", NO_SUCH_PORT, 1028, {}, "10000000 00000000 00000000 00000000", "1064"},
    {"radio, pad silent", PAD_SILENT, 1062, {"", ""}, "11000000 00000000 00000000 00000000", "1062"},
    {"radio, relay of COM1 ended", RELAY_ENDED, 1059, {}, "11000000 00000000 00000000 00000000", "1059"},
};

TEST_F(EditButtons, ClickWithTheLinkUnusableChangesOnlyTheControl) {
    for (const UnlinkedCase& c : unlinkedCases) {
        SCOPED_TRACE(c.name);
        Start(MakeState(4, 0x03, 0, 0, 0));
        relayDown = BreakLink(dialog, *sim, c.fault);
        SetDlgItemTextA(dialog, 1000, "-");

        std::vector<WireByte> wire = Clicks({c.id});
        EXPECT_EQ(ToolTexts(wire), c.lines) << "no command";
        EXPECT_EQ(Checked(dialog), c.checkedAfter);
        EXPECT_EQ(CheckedRadios(dialog), c.radioAfter);
        EXPECT_EQ(ControlText(dialog, 1000), "-") << "the label must stay as it was";
        EXPECT_NE(LinkState, LINK_OPEN);
        if (c.fault == NO_SUCH_PORT) {
            ASSERT_EQ(ShownBoxes().size(), 1u) << "the port's own report";
            EXPECT_EQ(ShownBoxes()[0].text, Cp932("オープン失敗！！"));
        }
        StopDialogAndPad(sim, dialog);
        if (relayDown) RelayUp(1);
        relayDown = false;
    }
}

}  // namespace
