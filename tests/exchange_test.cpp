// The command exchanges against the pad stand-in over a pseudo-terminal pair:
// every text of the command set on the wire with its exact bytes, the pauses
// between exchanges, how acknowledgements and values are read, the restart
// wait, and that every decision rests on bytes its own exchange received.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "config_dialog.h"
#include "control_ids.h"
#include "dialog_harness.h"
#include "message_boxes.h"
#include "pad_harness.h"
#include "serial_link.h"

namespace {

std::string AckText(void) { return std::string((const char*)ackBuffer, 4); }

class Exchange : public ::testing::Test {
protected:
    void SetUp() override {
        RelayUp(1);  // a fresh pair: nothing an earlier test left on the line
        StartRecordingBoxes();
        dialog = CreateConfigDialog();
        ASSERT_NE(dialog, nullptr);
    }
    void TearDown() override {
        DestroyConfigDialog(dialog);
        StopPadSim(pad);
        RelayUp(1);
    }
    // The link opened through the real dialog's check, on a pad configured so.
    void OpenOn(const PadSimConfig& config = PadSimConfig()) {
        SwapPad(config);
        ASSERT_EQ(CheckLink(dialog, WM_COMMAND, MAKEWPARAM(IDC_PAD_INFO, BN_CLICKED), 0), 0);
        ClearWire(pad);
    }
    // Another stand-in on the pad's end, with the tool's port still open.
    void SwapPad(const PadSimConfig& config) {
        StopPadSim(pad);
        pad.config = config;
        pad.line.clear();
        pad.linesSeen = 0;
        pad.outbox.clear();
        ClearWire(pad);
        ASSERT_TRUE(StartPadOnPair(pad, 1));
    }
    // The link opened on a pad that answers well, then that pad replaced.
    void OpenThenSwap(const PadSimConfig& config) {
        OpenOn();
        SwapPad(config);
    }
    HWND dialog = NULL;
    PadSim pad;
};

// --- Every text on the wire. ---

struct WireCase {
    const char* name;
    int group, mask;   // boxes of group 0..3 (b..e) set to this mask first; -1: none
    int count;         // button count chosen first; -1: none
    int click;         // the control clicked
    const char* wire;  // every byte the tool sends for it
};

#define READ_WIRE "\r1_num?\rbtn_num?\r\ra_num?\rb_num?\rc_num?\rd_num?\re_num?\rIni_Disp\r"

const WireCase wireCases[] = {
    {"centre", -1, 0, -1, 1059, "buttom_a=000\r"},
    {"up", -1, 0, -1, 1060, "buttom_a=008\r"},
    {"up-right", -1, 0, -1, 1061, "buttom_a=009\r"},
    {"right", -1, 0, -1, 1062, "buttom_a=001\r"},
    {"down-right", -1, 0, -1, 1063, "buttom_a=005\r"},
    {"down", -1, 0, -1, 1064, "buttom_a=004\r"},
    {"down-left", -1, 0, -1, 1065, "buttom_a=006\r"},
    {"left", -1, 0, -1, 1066, "buttom_a=002\r"},
    {"up-left", -1, 0, -1, 1067, "buttom_a=011\r"},
    {"buttons 1 and 3", 0, 5, -1, 1027, "buttom_b=005\r"},
    {"buttons 9 to 16", 1, 255, -1, 1035, "buttom_c=255\r"},
    {"no button of 17 to 24", 2, 0, -1, 1043, "buttom_d=000\r"},
    {"button 32", 3, 128, -1, 1058, "buttom_e=128\r"},
    {"press all", -1, 0, -1, 1003, "buttom_b=255\rbuttom_c=255\rbuttom_d=255\rbuttom_e=255\rbuttom_f=255\r"},
    {"release all", -1, 0, -1, 1004, "btn_off\r"},
    {"read the pad", -1, 0, -1, 1005, READ_WIRE},
    {"restart with 32", -1, 0, 32, 1075, "\rbuttom_0=032\rreboot\r" READ_WIRE "btn_off\rIni_Disp\r"},
    {"restart with 0", -1, 0, 0, 1075, "\rbuttom_0=255\rreboot\r" READ_WIRE "btn_off\rIni_Disp\r"},
};

void SetGroupBoxes(HWND dialog, int group, int mask) {
    for (int bit = 0; bit < 8; bit++)
        SendDlgItemMessageA(dialog, 1027 + group * 8 + bit, BM_SETCHECK, (mask >> bit) & 1 ? BST_CHECKED : BST_UNCHECKED, 0);
}

TEST_F(Exchange, EveryTextGoesOutWithItsOwnBytesAndOneCarriageReturn) {
    OpenOn();
    for (const WireCase& c : wireCases) {
        if (c.group >= 0) SetGroupBoxes(dialog, c.group, c.mask);
        if (c.count >= 0) SendMessageA(GetDlgItem(dialog, IDC_COUNT_LIST), CB_SETCURSEL, c.count, 0);
        ClearWire(pad);
        Click(dialog, c.click);
        EXPECT_EQ(ToolBytes(SettledWire(pad)), std::string(c.wire)) << c.name;
    }
}

// --- Pauses. ---

// A pause follows every exchange but "Ini_Disp": the tool's next byte comes
// at least 15 ms after the stand-in's last answer byte.
void ExpectPauseAfterEveryAnswer(const std::vector<WireByte>& wire) {
    std::vector<ToolLine> lines = ToolLines(wire);
    for (size_t i = 1; i < lines.size(); i++) {
        if (lines[i - 1].text == "Ini_Disp") continue;
        double answered = LastPadByteBefore(wire, lines[i].firstMs);
        ASSERT_GE(answered, lines[i - 1].crMs) << "no answer to \"" << lines[i - 1].text << "\"";
        EXPECT_GE(lines[i].firstMs - answered, 15.0)
            << "ms between the answer to line " << i - 1 << " \"" << lines[i - 1].text << "\" and \""
            << lines[i].text << "\"";
    }
}

TEST_F(Exchange, EveryExchangeButIniDispEndsWithAPauseOfAtLeast15ms) {
    OpenOn();
    SendMessageA(GetDlgItem(dialog, IDC_COUNT_LIST), CB_SETCURSEL, 12, 0);
    const int clicks[] = {1005, 1003, 1004, 1060, 1027, 1075};  // read, press, release, up, box, restart
    for (int id : clicks) Click(dialog, id);
    std::vector<WireByte> wire = SettledWire(pad);
    ASSERT_GE(ToolLines(wire).size(), 30u);
    ExpectPauseAfterEveryAnswer(wire);
}

TEST_F(Exchange, QueryPausesAfterEachOfItsTwoReads) {
    OpenOn();
    double start = PadSimNow(pad);
    EXPECT_EQ(QueryValue("btn_num?"), 12);
    EXPECT_GE(PadSimNow(pad) - start, 30.0) << "two reads filled at once, two pauses of 15 ms";
}

TEST_F(Exchange, DrainTakesUpTo64BytesThenPauses) {
    PadSimConfig config;
    config.handshakeReply = std::string(64, '#');  // what a lone carriage return brings back
    OpenThenSwap(config);
    DrainInput();
    SendCommand("btn_off");
    EXPECT_TRUE(AckOk()) << "the drain left bytes for the acknowledgement: \"" << AckText() << "\"";
    std::vector<WireByte> wire = SettledWire(pad);
    std::vector<ToolLine> lines = ToolLines(wire);
    ASSERT_EQ(ToolBytes(wire), "\rbtn_off\r");
    double drained = PadByteAfter(wire, lines[0].crMs, 64);
    ASSERT_GE(drained, 0);
    EXPECT_GE(lines[1].firstMs - drained, 15.0) << "ms from the drain's 64th byte to the next command";
}

// --- Values. ---

struct ValueCase {
    const char* reply;  // the value reply to "b_num?", after its acknowledgement
    int value;
};

TEST_F(Exchange, QueryValueReadsTheFirstFourHexadecimalCharacters) {
    const ValueCase cases[] = {
        {"00FF\r\n", 255}, {"FF\r\n", 255},       {"ff\r\n", 255},   {"0xFF\r\n", 255},   {"0XfF", 255},
        {"12ABCD", 0x12AB}, {"1FF\r\n", 0x1FF},   {"0000\r\n", 0},   {" 7\r\n", 7},
        {"ZZZZ\r\n", NO_VALUE}, {"\r\n", NO_VALUE}, {"", NO_VALUE} /* acknowledged, no value */,
    };
    OpenOn();
    for (const ValueCase& c : cases) {
        PadSimConfig config;
        config.valueReplies["b_num?"] = c.reply;
        SwapPad(config);
        std::string reply = c.reply;
        EXPECT_EQ(QueryValue("b_num?"), c.value) << "value reply \"" << reply << "\"";
        EXPECT_EQ(ToolBytes(SettledWire(pad)), "b_num?\r") << "value reply \"" << reply << "\"";
    }
}

TEST_F(Exchange, UnansweredQueriesGiveNoValueNotTheirOwnText) {
    PadSimConfig config;
    config.misbehaviour = BEHAVE_SILENT;
    OpenThenSwap(config);
    for (const char* query : {"1_num?", "btn_num?", "a_num?"}) {
        EXPECT_EQ(QueryValue(query), NO_VALUE) << query;
    }
    EXPECT_EQ(ToolTexts(SettledWire(pad)), (std::vector<std::string>{"1_num?", "btn_num?", "a_num?"}));
}

TEST_F(Exchange, NonHexAndGarbageValuesGiveNoValue) {
    const Misbehaviour kinds[] = {BEHAVE_NON_HEX, BEHAVE_GARBAGE};
    OpenOn();
    for (Misbehaviour kind : kinds) {
        PadSimConfig config;
        config.misbehaviour = kind;
        SwapPad(config);
        EXPECT_EQ(QueryValue("btn_num?"), NO_VALUE) << "misbehaviour " << kind;
    }
}

TEST_F(Exchange, ValueSentByteByByteWithinTheIntervalIsTakenWhole) {
    PadSimConfig config;
    config.byteGapMs = 100;
    config.state.masks[0] = 0xA5;
    OpenThenSwap(config);
    EXPECT_EQ(QueryValue("b_num?"), 0xA5);
}

TEST_F(Exchange, FloodAfterAnAnswerLeavesTheValueAndTheLinkIntact) {
    PadSimConfig config;
    config.misbehaviour = BEHAVE_FLOOD;
    OpenThenSwap(config);
    HANDLE port = portHandle;
    EXPECT_EQ(QueryValue("btn_num?"), 12);
    EXPECT_GT(WireSnapshot(pad).size(), 200u) << "the stand-in did not flood";
    EXPECT_EQ(portHandle, port);
    EXPECT_EQ(LinkState, LINK_OPEN);
    EXPECT_EQ(crByte, CARRIAGE_RETURN);
}

// --- Acknowledgements. ---

struct AckCase {
    const char* ack;           // the stand-in's answer to a command; "" its own
    Misbehaviour misbehaviour;
    bool ok;
};

TEST_F(Exchange, AckOkNeedsOThenKFromThisCommandsOwnAcknowledgement) {
    const AckCase cases[] = {
        {"OK\r\n", BEHAVE_WELL, true}, {"OKxy", BEHAVE_WELL, true},   {"OK", BEHAVE_WELL, true},
        {"Ox\r\n", BEHAVE_WELL, false}, {"oK\r\n", BEHAVE_WELL, false}, {"xK\r\n", BEHAVE_WELL, false},
        {"O", BEHAVE_WELL, false},     {"", BEHAVE_NAK, false},       {"", BEHAVE_GARBAGE, false},
        {"", BEHAVE_SILENT, false},
    };
    OpenOn();
    for (const AckCase& c : cases) {
        PadSimConfig config;
        config.ackReply = c.ack;
        config.misbehaviour = c.misbehaviour;
        SwapPad(config);
        memcpy(ackBuffer, "OK\r\n", 4);  // an earlier command's acknowledgement
        std::string name = std::string("ack \"") + c.ack + "\", misbehaviour " + std::to_string(c.misbehaviour);
        EXPECT_EQ(SendCommand("btn_off", SEND_ACK_IF_CR_WRITTEN), 1) << name;
        EXPECT_EQ(AckOk(), c.ok) << name << ": ackBuffer \"" << AckText() << "\"";
        EXPECT_EQ(ToolBytes(SettledWire(pad)), "btn_off\r") << name;
    }
}

// --- The restart wait. ---

void ExpectUsualTimeouts(const char* when) {
    COMMTIMEOUTS t = {};
    GetCommTimeouts(portHandle, &t);
    EXPECT_EQ(t.ReadIntervalTimeout, 300u) << when;
    EXPECT_EQ(t.ReadTotalTimeoutConstant, 500u) << when;
    EXPECT_EQ(t.WriteTotalTimeoutConstant, 500u) << when;
}

struct RestartCase {
    const char* reply;  // the restarted pad's six bytes
    int value;
};

TEST_F(Exchange, RestartReplyIsReadAsHexadecimalAndTheUsualTimeoutsReturn) {
    const RestartCase cases[] = {{"0020\r\n", 32}, {"00ff\r\n", 255}, {"0x0C\r\n", 12}, {"ZZZZZZ", NO_VALUE}};
    OpenOn();
    for (const RestartCase& c : cases) {
        PadSimConfig config;
        config.rebootReply = c.reply;
        SwapPad(config);
        SendCommand("reboot");
        EXPECT_EQ(AwaitRestartReply(), c.value) << "reply \"" << c.reply << "\"";
        ExpectUsualTimeouts(c.reply);
    }
}

TEST_F(Exchange, SilentPadAfterRebootGivesNoValueAfterTheWholeWait) {
    PadSimConfig config;
    config.rebootDelayMs = -1;
    OpenOn(config);
    SendCommand("reboot");
    double start = PadSimNow(pad);
    EXPECT_EQ(AwaitRestartReply(), NO_VALUE) << "a pad that never answered reported a count";
    double waited = PadSimNow(pad) - start;
    EXPECT_GE(waited, 24000.0) << "ms waited for the restarted pad";
    EXPECT_LT(waited, 60000.0) << "ms waited for the restarted pad";
    ExpectUsualTimeouts("after the wait");
}

}  // namespace
