// "全ボタン押下" (1003) and "全ボタン解除" (1004) in the real dialog against the
// stand-in pad: the commands on the wire, the boxes and radio buttons after,
// the status label, and the repaint.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "config_dialog.h"
#include "dialog_harness.h"
#include "message_boxes.h"
#include "pad_harness.h"
#include "repaints.h"
#include "screen_state.h"
#include "serial_link.h"

namespace {

const char* const allChecked = "11111111 11111111 11111111 11111111";
const char* const noneChecked = "00000000 00000000 00000000 00000000";

const std::vector<std::string> pressAllLines = {"buttom_b=255", "buttom_c=255", "buttom_d=255", "buttom_e=255",
                                                "buttom_f=255"};

// Each command starts at least the exchange pause after the pad's answer to
// the one before, or after its own carriage return when no answer came.
void ExpectPausesBetweenCommands(const std::vector<WireByte>& wire) {
    std::vector<ToolLine> lines = ToolLines(wire);
    for (size_t i = 1; i < lines.size(); i++) {
        double after = LastPadByteBefore(wire, lines[i].firstMs);
        if (after < lines[i - 1].crMs) after = lines[i - 1].crMs;
        EXPECT_GE(lines[i].firstMs - after, 14.0) << "pause before line " << i << " \"" << lines[i].text << "\"";
    }
}

const char* const twelveButtonChecks = "10100000 00110000 10000000 00000001";

class AllButtons : public ::testing::Test {
protected:
    void SetUp() override {
        StartRecordingBoxes();
        StartRecordingInvalidations();
    }
    void TearDown() override {
        StopDialogAndPad(sim, dialog);
        if (relayDown) RelayUp(1);
    }
    // A fresh dialog and stand-in, and a first read, which enables the controls.
    void Start() {
        PadSimConfig config;
        config.state = TwelveButtonPad();
        ASSERT_NO_FATAL_FAILURE(StartDialogAndPad(sim, dialog, config));
        Read();
    }
    // Puts the pad's configuration back (release all clears it) and reads it.
    void Read() {
        {
            std::lock_guard<std::mutex> guard(sim->lock);
            sim->config.state = TwelveButtonPad();
        }
        Click(dialog, 1005);
        ASSERT_EQ(Checked(dialog), twelveButtonChecks) << "the read before the action";
        ASSERT_EQ(CheckedRadios(dialog), "1063");
    }
    // The stand-in's answers from now on.
    void Answer(Misbehaviour misbehaviour, const char* ack = "") {
        std::lock_guard<std::mutex> guard(sim->lock);
        sim->config.misbehaviour = misbehaviour;
        sim->config.ackReply = ack;
    }
    // One click, with a label that shows whether the handler wrote one.
    std::vector<WireByte> Press(int id) {
        SetDlgItemTextA(dialog, 1000, "-");
        ClearWire(*sim);
        ShownBoxes().clear();
        StartRecordingInvalidations();
        Click(dialog, id);
        Sleep(30);  // the stand-in records what the tool's last write brought
        return WireSnapshot(*sim);
    }
    std::unique_ptr<PadSim> sim;
    HWND dialog = NULL;
    bool relayDown = false;
};

// --- Press all -------------------------------------------------------------

TEST_F(AllButtons, PressAllSendsFiveGroupsAndChecksEveryBox) {
    Start();
    std::vector<WireByte> wire = Press(1003);
    EXPECT_EQ(ToolTexts(wire), pressAllLines);
    EXPECT_EQ(ToolBytes(wire), WireOf(pressAllLines)) << "12 bytes and one carriage return each";
    ExpectPausesBetweenCommands(wire);
    EXPECT_EQ(Checked(dialog), allChecked) << "the disabled boxes too";
    EXPECT_EQ(Enabled(dialog), "11111111 11110000 00000000 00000000");
    EXPECT_EQ(CheckedRadios(dialog), "1059");
    EXPECT_EQ(ControlText(dialog, 1000), Cp932("接続"));
    EXPECT_EQ(WholeDialogInvalidations(dialog), 0) << "press all does not repaint";

    Click(dialog, 1005);
    EXPECT_EQ(Checked(dialog), allChecked) << "read back from the pad";
    EXPECT_EQ(CheckedRadios(dialog), "1063") << "no direction was sent";
}

TEST_F(AllButtons, PressAllToASilentPadStillSendsAllFive) {
    Start();
    Answer(BEHAVE_SILENT);
    std::vector<WireByte> wire = Press(1003);
    EXPECT_EQ(ToolTexts(wire), pressAllLines);
    ExpectPausesBetweenCommands(wire);
    EXPECT_EQ(Checked(dialog), allChecked);
    EXPECT_EQ(CheckedRadios(dialog), "1059");
    EXPECT_EQ(ControlText(dialog, 1000), Cp932("接続"));
}

// --- Release all -----------------------------------------------------------

struct ReleaseCase {
    const char* name;
    Misbehaviour misbehaviour;
    const char* ack;  // instead of "OK\r\n" when not empty
    const char* label;
};

// Each case follows a read whose last command was acknowledged "OK".
const ReleaseCase releaseCases[] = {
    {"OK", BEHAVE_WELL, "", "全ボタン解除"},
    {"OK and any two bytes", BEHAVE_WELL, "OK?!", "全ボタン解除"},
    {"NG", BEHAVE_NAK, "", "全ボタン解除失敗！！"},
    {"O, then not K", BEHAVE_WELL, "OX\r\n", "全ボタン解除失敗！！"},
    {"K without O", BEHAVE_WELL, "XK\r\n", "全ボタン解除失敗！！"},
    {"nothing, after an earlier OK", BEHAVE_SILENT, "", "全ボタン解除失敗！！"},
};

TEST_F(AllButtons, ReleaseAllResetsTheControlsAndReportsTheAcknowledgement) {
    Start();
    for (const ReleaseCase& c : releaseCases) {
        SCOPED_TRACE(c.name);
        Answer(BEHAVE_WELL);
        Read();
        Answer(c.misbehaviour, c.ack);

        std::vector<WireByte> wire = Press(1004);
        EXPECT_EQ(ToolBytes(wire), "btn_off\r");
        EXPECT_EQ(Checked(dialog), noneChecked);
        EXPECT_EQ(Enabled(dialog), "11111111 11110000 00000000 00000000");
        EXPECT_EQ(CheckedRadios(dialog), "1059");
        EXPECT_EQ(ControlText(dialog, 1000), Cp932(c.label));
        EXPECT_EQ(WholeDialogInvalidations(dialog), 1);
        EXPECT_TRUE(ShownBoxes().empty());
    }
}

TEST_F(AllButtons, ReleaseAllWhoseCarriageReturnCannotBeWrittenFails) {
    Start();
    RelayDown(1);  // the open port's writes now fail
    relayDown = true;
    std::vector<WireByte> wire = Press(1004);
    EXPECT_EQ(ToolBytes(wire), "");
    EXPECT_EQ(ControlText(dialog, 1000), Cp932("全ボタン解除失敗！！"));
    EXPECT_EQ(Checked(dialog), twelveButtonChecks) << "the controls must stay as they were";
    EXPECT_EQ(CheckedRadios(dialog), "1063");
    EXPECT_EQ(WholeDialogInvalidations(dialog), 1);
}

// --- Link unusable ---------------------------------------------------------

struct UnlinkedCase {
    const char* name;
    int id;
    LinkFault fault;
    std::vector<std::string> lines;  // what the failed attempt sent to the pad
};

// A port typed into the list's field that is none of its rows cannot be
// opened. With the relay of COM1 ended, Wine may still hand out a handle for
// COM1 on which every write fails: a failed open or a failed handshake, the
// link is unusable either way.
const UnlinkedCase unlinkedCases[] = {
    {"press all, pad silent", 1003, PAD_SILENT, {"", ""}},
    {"press all, no such port", 1003, NO_SUCH_PORT, {}},
    {"release all, pad silent", 1004, PAD_SILENT, {"", ""}},
    {"release all, relay of COM1 ended", 1004, RELAY_ENDED, {}},
};

TEST_F(AllButtons, WithTheLinkUnusableNothingIsSentAndTheLabelSaysSo) {
    for (const UnlinkedCase& c : unlinkedCases) {
        SCOPED_TRACE(c.name);
        Start();
        relayDown = BreakLink(dialog, *sim, c.fault);

        std::vector<WireByte> wire = Press(c.id);
        EXPECT_EQ(ToolTexts(wire), c.lines) << "no command";
        EXPECT_EQ(ControlText(dialog, 1000), Cp932("未接続"));
        EXPECT_EQ(Checked(dialog), twelveButtonChecks) << "the controls must stay as they were";
        EXPECT_EQ(CheckedRadios(dialog), "1063");
        EXPECT_EQ(WholeDialogInvalidations(dialog), 1);
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
