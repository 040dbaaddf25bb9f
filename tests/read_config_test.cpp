// The configuration read (button 1005) through the real dialog against the
// pad stand-in: what the dialog shows, and every byte that went to the pad.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "config_dialog.h"
#include "dialog_harness.h"
#include "message_boxes.h"
#include "pad_harness.h"
#include "repaints.h"
#include "screen_state.h"
#include "serial_link.h"

namespace {

// --- What the dialog shows ---------------------------------------------

// The pattern of the first n boxes.
std::string FirstBoxes(int n) {
    std::string pattern;
    for (int i = 0; i < 32; i++) {
        if (i > 0 && i % 8 == 0) pattern += ' ';
        pattern += i < n ? '1' : '0';
    }
    return pattern;
}

// Everything a read sets, for comparing two ends of reads.
std::string DescribeScreen(HWND dialog) {
    std::ostringstream out;
    out << "row " << CountRow(dialog) << ", checked " << Checked(dialog) << ", enabled " << Enabled(dialog)
        << ", radio " << CheckedRadios(dialog) << ", disabled edit controls " << EditControlsNot(dialog, true)
        << ", label " << ControlText(dialog, 1000) << ", 1005 " << ControlText(dialog, 1005) << "/"
        << IsEnabled(dialog, 1005);
    return out.str();
}

// --- What went over the wire -------------------------------------------

// The lines of a read on an open link.
std::vector<std::string> ReadLines(bool centreSent) {
    std::vector<std::string> lines = {"", "1_num?", "btn_num?", "", "a_num?"};
    if (centreSent) lines.push_back("buttom_a=000");
    for (const char* line : {"b_num?", "c_num?", "d_num?", "e_num?", "Ini_Disp"}) lines.push_back(line);
    return lines;
}

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

bool SentAnywhere(const std::vector<WireByte>& wire, const std::string& text) {
    for (const std::string& line : ToolTexts(wire))
        if (line == text) return true;
    return false;
}

// --- The pad -----------------------------------------------------------

// Changes what the pad holds between two actions, while the tool is idle.
void SetPad(PadSim& sim, const PadState& state, const std::map<std::string, std::string>& replies = {}) {
    std::lock_guard<std::mutex> guard(sim.lock);
    sim.config.state = state;
    sim.config.valueReplies = replies;
}

class ReadConfig : public ::testing::Test {
protected:
    void SetUp() override {
        StartRecordingBoxes();
        StartRecordingInvalidations();
    }
    void TearDown() override {
        StopDialogAndPad(sim, dialog);
        if (relayDown) RelayUp(relayDown);
        OnBoxShown(nullptr);
    }
    // A fresh dialog and a fresh stand-in on its default port.
    void Start(const PadSimConfig& config) { ASSERT_NO_FATAL_FAILURE(StartDialogAndPad(sim, dialog, config)); }
    void Start(const PadState& state) {
        PadSimConfig config;
        config.state = state;
        Start(config);
    }
    // One click on 1005; what the stand-in saw during it.
    std::vector<WireByte> Read() {
        ClearWire(*sim);
        ShownBoxes().clear();
        StartRecordingInvalidations();
        Click(dialog, 1005);
        Sleep(30);  // the stand-in records what the tool's last write brought
        return WireSnapshot(*sim);
    }
    void ExpectPadInfoRestored(const char* when) {
        EXPECT_EQ(ControlText(dialog, 1005), Cp932("PAD情報取得")) << when;
        EXPECT_TRUE(IsEnabled(dialog, 1005)) << when;
    }
    std::unique_ptr<PadSim> sim;
    HWND dialog = NULL;
    int relayDown = 0;  // the pair whose relay a case ended
};

// --- A successful read -------------------------------------------------

TEST_F(ReadConfig, EightButtonsCentreAndGroupB05OnAFreshLink) {
    Start(MakePadState(8, 0, 0x05, 0, 0, 0));
    std::vector<WireByte> wire = Read();

    std::vector<std::string> expected = Concat({"", ""}, ReadLines(false));  // the handshake first
    EXPECT_EQ(ToolTexts(wire), expected);
    EXPECT_EQ(ToolBytes(wire), WireOf(expected)) << "each text exactly, one carriage return, nothing else";
    ExpectPausesAfterAnswers(wire);

    EXPECT_EQ(CountRow(dialog), 8);
    EXPECT_EQ(Enabled(dialog), FirstBoxes(8));
    EXPECT_EQ(Checked(dialog), "10100000 00000000 00000000 00000000");
    EXPECT_EQ(CheckedRadios(dialog), "1059");
    EXPECT_EQ(EditControlsNot(dialog, true), "") << "editing controls left disabled";
    EXPECT_EQ(ControlText(dialog, 1000), Cp932("接続"));
    ExpectPadInfoRestored("after the read");
    EXPECT_EQ(WholeDialogInvalidations(dialog), 1);
    EXPECT_TRUE(ShownBoxes().empty()) << ShownBoxes()[0].text;
    EXPECT_EQ(LinkState, LINK_OPEN);
}

struct ShownCase {
    const char* name;
    PadState pad;
    const char* countReply;      // raw value replies instead of the pad's own, or NULL
    const char* directionReply;
    int row;                     // of list 1017, -1 for none
    int enabledBoxes;
    const char* checked;         // NULL: none
    int radio;
    bool centreSent;             // "buttom_a=000" after "a_num?"
};

const ShownCase countsAndMasks[] = {
    {"count 0", MakePadState(0, 0, 0, 0, 0, 0x80), NULL, NULL, 0, 0, "00000000 00000000 00000000 00000001", 1059,
     false},
    {"count 32", MakePadState(32, 0, 0xFF, 0, 0, 0), NULL, NULL, 32, 32, "11111111 00000000 00000000 00000000", 1059,
     false},
    {"count 33", MakePadState(33, 0, 0, 0, 0, 0x01), NULL, NULL, -1, 32, "00000000 00000000 00000000 10000000", 1059,
     false},
    {"negative count", MakePadState(12, 0, 0x01, 0, 0, 0), "-001\r\n", NULL, -1, 0,
     "10000000 00000000 00000000 00000000", 1059, false},
    {"count 12 after a negative", MakePadState(12, 0, 0, 0, 0, 0), NULL, NULL, 12, 12,
     "00000000 00000000 00000000 00000000", 1059, false},
    {"bit order in every group", MakePadState(20, 0, 0x81, 0x42, 0x24, 0x18), NULL, NULL, 20, 20,
     "10000001 01000010 00100100 00011000", 1059, false},
    {"0x1FF in group d", MakePadState(24, 0, 0, 0, 0x1FF, 0), NULL, NULL, 24, 24, "00000000 00000000 11111111 00000000",
     1059, false},
    {"count 8 with c 0x03", MakePadState(8, 0, 0, 0x03, 0, 0), NULL, NULL, 8, 8, "00000000 11000000 00000000 00000000",
     1059, false},
};

const ShownCase directions[] = {
    {"up 8", MakePadState(12, 8, 0, 0, 0, 0), NULL, NULL, 12, 12, NULL, 1060, false},
    {"up-right 9", MakePadState(12, 9, 0, 0, 0, 0), NULL, NULL, 12, 12, NULL, 1061, false},
    {"right 1", MakePadState(12, 1, 0, 0, 0, 0), NULL, NULL, 12, 12, NULL, 1062, false},
    {"down-right 5", MakePadState(12, 5, 0, 0, 0, 0), NULL, NULL, 12, 12, NULL, 1063, false},
    {"down 4", MakePadState(12, 4, 0, 0, 0, 0), NULL, NULL, 12, 12, NULL, 1064, false},
    {"down-left 6", MakePadState(12, 6, 0, 0, 0, 0), NULL, NULL, 12, 12, NULL, 1065, false},
    {"left 2", MakePadState(12, 2, 0, 0, 0, 0), NULL, NULL, 12, 12, NULL, 1066, false},
    {"up-left 11", MakePadState(12, 11, 0, 0, 0, 0), NULL, NULL, 12, 12, NULL, 1067, false},
    {"3 is no position", MakePadState(12, 3, 0, 0, 0, 0), NULL, NULL, 12, 12, NULL, 1059, true},
    {"7 is no position", MakePadState(12, 7, 0, 0, 0, 0), NULL, NULL, 12, 12, NULL, 1059, true},
    {"10 is not up-left", MakePadState(12, 10, 0, 0, 0, 0), NULL, NULL, 12, 12, NULL, 1059, true},
    {"12 is no position", MakePadState(12, 12, 0, 0, 0, 0), NULL, NULL, 12, 12, NULL, 1059, true},
    {"a negative code", MakePadState(12, 0, 0, 0, 0, 0), NULL, "-002\r\n", 12, 12, NULL, 1059, true},
};

// Reads each case in turn on one open link, so each also shows that the
// previous case's marks were cleared.
void RunShownCases(HWND dialog, PadSim& sim, const ShownCase* cases, size_t count) {
    for (size_t i = 0; i < count; i++) {
        const ShownCase& c = cases[i];
        SCOPED_TRACE(c.name);
        std::map<std::string, std::string> replies;
        if (c.countReply) replies["btn_num?"] = c.countReply;
        if (c.directionReply) replies["a_num?"] = c.directionReply;
        SetPad(sim, c.pad, replies);
        ClearWire(sim);
        Click(dialog, 1005);
        Sleep(30);
        std::vector<WireByte> wire = WireSnapshot(sim);
        EXPECT_EQ(ToolTexts(wire), ReadLines(c.centreSent));
        EXPECT_EQ(ToolBytes(wire), WireOf(ReadLines(c.centreSent)));
        ExpectPausesAfterAnswers(wire);
        EXPECT_EQ(CountRow(dialog), c.row);
        EXPECT_EQ(Enabled(dialog), FirstBoxes(c.enabledBoxes));
        EXPECT_EQ(Checked(dialog), c.checked ? c.checked : FirstBoxes(0));
        EXPECT_EQ(CheckedRadios(dialog), std::to_string(c.radio));
        EXPECT_EQ(EditControlsNot(dialog, true), "") << "editing controls left disabled";
        EXPECT_EQ(ControlText(dialog, 1000), Cp932("接続"));
        EXPECT_EQ(ControlText(dialog, 1005), Cp932("PAD情報取得"));
        EXPECT_TRUE(IsEnabled(dialog, 1005));
    }
}

TEST_F(ReadConfig, CountsAndMasksShowAsThePadReportsThem) {
    Start(MakePadState(12, 9, 0xFF, 0xFF, 0xFF, 0xFF));
    Read();  // opens the link and checks every box, which the cases must clear
    ASSERT_EQ(Checked(dialog), "11111111 11111111 11111111 11111111");
    RunShownCases(dialog, *sim, countsAndMasks, sizeof countsAndMasks / sizeof *countsAndMasks);
}

TEST_F(ReadConfig, DirectionCodesSelectTheirRadioAndOthersSendCentre) {
    Start(MakePadState(12, 0, 0, 0, 0, 0));
    Read();
    RunShownCases(dialog, *sim, directions, sizeof directions / sizeof *directions);
}

TEST_F(ReadConfig, TwoReadsOfAnUnchangedPadEndAlike) {
    Start(MakePadState(12, 6, 0x81, 0x42, 0x24, 0x18));
    Read();
    std::string first = DescribeScreen(dialog);
    std::vector<std::string> firstLines = ToolTexts(Read());
    EXPECT_EQ(DescribeScreen(dialog), first);
    EXPECT_EQ(firstLines, ReadLines(false));
    EXPECT_EQ(ToolTexts(Read()), firstLines);
    EXPECT_EQ(DescribeScreen(dialog), first);
}

// --- While the read runs -----------------------------------------------

struct BusySample {
    bool padInfoEnabled;
    std::wstring padInfoText;
    bool pressAllEnabled;
    bool box1Enabled;
};

// Samples from another thread with calls that send the busy dialog thread no message.
std::vector<BusySample> WatchWhileReading(HWND dialog) {
    std::vector<BusySample> samples;
    std::atomic<bool> done{false};
    HWND padInfo = GetDlgItem(dialog, 1005), pressAll = GetDlgItem(dialog, 1003), box1 = GetDlgItem(dialog, 1027);
    std::thread watcher([&] {
        while (!done) {
            wchar_t text[64] = L"";
            InternalGetWindowText(padInfo, text, 64);
            samples.push_back({IsWindowEnabled(padInfo) != FALSE, text, IsWindowEnabled(pressAll) != FALSE,
                               IsWindowEnabled(box1) != FALSE});
            Sleep(10);
        }
    });
    Click(dialog, 1005);
    done = true;
    watcher.join();
    return samples;
}

TEST_F(ReadConfig, PadInfoButtonShowsBusyAndIsDisabledWhileTheReadRuns) {
    Start(MakePadState(8, 0, 0x01, 0, 0, 0));
    Read();
    ASSERT_TRUE(IsEnabled(dialog, 1003));
    {
        std::lock_guard<std::mutex> guard(sim->lock);
        sim->config.answerDelayMs = 200;  // every answer held back: the read takes a few seconds
    }
    std::vector<BusySample> samples = WatchWhileReading(dialog);
    // The editing controls go off before the caption changes and come back
    // only at the very end; the read enables the first boxes part-way.
    int busy = 0, busyEditing = 0;
    for (const BusySample& s : samples) {
        if (s.padInfoText != L"情報取得中") continue;
        busy++;
        EXPECT_FALSE(s.padInfoEnabled) << "1005 enabled while busy, busy sample " << busy;
        if (busy == 1) {
            EXPECT_FALSE(s.box1Enabled) << "box 1 enabled as the read began";
        }
        if (s.pressAllEnabled) {
            busyEditing++;
        } else {
            EXPECT_EQ(busyEditing, 0) << "1003 disabled again after busy sample " << busy;
        }
    }
    EXPECT_GE(busy - busyEditing, 10) << "of " << samples.size() << " samples, too few showed the read at work";
    ExpectPadInfoRestored("after the read");
    EXPECT_EQ(Enabled(dialog), FirstBoxes(8));
    EXPECT_EQ(Checked(dialog), "10000000 00000000 00000000 00000000");
}

// --- Way out B: the pad is not ready, or stops answering -----------------

HWND boxDialog;
std::string boxTimeScreen;

void RecordScreenBehindBox(const ShownBox&) { boxTimeScreen = DescribeScreen(boxDialog); }

const char* const probeText = "USBが認識してから「PAD情報取得」ボタンを押してください";

void ExpectProbeBox(HWND dialog) {
    ASSERT_EQ(ShownBoxes().size(), 1u) << "message boxes shown";
    const ShownBox& box = ShownBoxes()[0];
    EXPECT_EQ(box.owner, dialog);
    EXPECT_EQ(box.text, Cp932(probeText));
    EXPECT_EQ(box.caption, Cp932("PAD情報取得"));
    EXPECT_EQ(box.flags, (UINT)(MB_OK | MB_ICONERROR)) << std::hex << box.flags;
}

TEST_F(ReadConfig, ProbeOtherThan255KeepsEarlierStateAndTheOpenLink) {
    Start(MakePadState(12, 9, 0x05, 0x03, 0, 0));
    Read();
    std::string checksBefore = Checked(dialog);
    boxDialog = dialog;
    OnBoxShown(RecordScreenBehindBox);
    SetPad(*sim, MakePadState(4, 2, 0xFF, 0, 0, 0), {{"1_num?", "00FE\r\n"}});

    std::vector<WireByte> wire = Read();
    EXPECT_EQ(ToolTexts(wire), (std::vector<std::string>{"", "1_num?"})) << "a drain, the probe, nothing after";
    ExpectProbeBox(dialog);
    EXPECT_EQ(boxTimeScreen.substr(boxTimeScreen.find(", label")),
              ", label " + Cp932("情報取得失敗") + ", 1005 " + Cp932("PAD情報取得") + "/1")
        << "label and 1005 while the box is up";
    EXPECT_NE(boxTimeScreen.find("enabled " + FirstBoxes(0)), std::string::npos)
        << "check boxes enabled while the box is up: " << boxTimeScreen;
    EXPECT_EQ(ControlText(dialog, 1000), Cp932("情報取得失敗"));
    EXPECT_EQ(Enabled(dialog), FirstBoxes(0));
    EXPECT_EQ(EditControlsNot(dialog, false), "") << "editing controls left enabled";
    ExpectPadInfoRestored("after way out B");
    EXPECT_EQ(Checked(dialog), checksBefore);
    EXPECT_EQ(CheckedRadios(dialog), "1061");
    EXPECT_EQ(CountRow(dialog), 12);
    EXPECT_EQ(WholeDialogInvalidations(dialog), 0) << "way out B does not repaint";
    EXPECT_EQ(LinkState, LINK_OPEN);

    SetPad(*sim, MakePadState(4, 2, 0xFF, 0, 0, 0));
    wire = Read();
    EXPECT_EQ(ToolTexts(wire), ReadLines(false)) << "the next read drains at once, with no handshake";
    EXPECT_EQ(CountRow(dialog), 4);
    EXPECT_EQ(Checked(dialog), "11111111 00000000 00000000 00000000");
    EXPECT_EQ(CheckedRadios(dialog), "1066");
}

struct SilentCase {
    const char* name;
    int silentAfter;  // lines the stand-in answers, counted from its start
    std::vector<std::string> lines;
    int row;
    const char* checked;
    const char* radios;
};

// A first read answered in full takes 12 lines (two of them the handshake);
// the pad then holds a new configuration and falls silent part-way through
// the second read.
const SilentCase silentCases[] = {
    {"probe unanswered", 13, {"", "1_num?"}, 20, "11111111 11111111 11111111 11111111", "1061"},
    {"count unanswered", 14, {"", "1_num?", "btn_num?"}, 20, "11111111 11111111 11111111 11111111", "1061"},
    {"direction unanswered", 16, {"", "1_num?", "btn_num?", "", "a_num?"}, 8, "00000000 00000000 00000000 00000000",
     ""},
    {"group d unanswered",
     19,
     {"", "1_num?", "btn_num?", "", "a_num?", "b_num?", "c_num?", "d_num?"},
     8,
     "10100000 11000000 00000000 00000000",
     "1063"},
};

TEST_F(ReadConfig, PadFallingSilentEndsInWayOutBAndSendsNothingMore) {
    for (const SilentCase& c : silentCases) {
        SCOPED_TRACE(c.name);
        PadSimConfig config;
        config.state = MakePadState(20, 9, 0xFF, 0xFF, 0xFF, 0xFF);
        config.misbehaviour = BEHAVE_SILENT_AFTER;
        config.silentAfter = c.silentAfter;
        Start(config);
        Read();
        ASSERT_EQ(Checked(dialog), "11111111 11111111 11111111 11111111") << "the first read";
        SetPad(*sim, MakePadState(8, 5, 0x05, 0x03, 0x01, 0x01));

        std::vector<WireByte> wire = Read();
        EXPECT_EQ(ToolTexts(wire), c.lines) << "nothing may follow the unanswered query";
        EXPECT_FALSE(SentAnywhere(wire, "buttom_a=000")) << "a missing direction overwrote the pad's";
        ExpectProbeBox(dialog);
        EXPECT_EQ(ControlText(dialog, 1000), Cp932("情報取得失敗"));
        EXPECT_EQ(Enabled(dialog), FirstBoxes(0));
        EXPECT_EQ(EditControlsNot(dialog, false), "") << "editing controls left enabled";
        ExpectPadInfoRestored("after way out B");
        EXPECT_EQ(CountRow(dialog), c.row);
        EXPECT_EQ(Checked(dialog), c.checked);
        EXPECT_EQ(CheckedRadios(dialog), c.radios);
    }
}

// --- Way out A: the link cannot be used ----------------------------------

struct UnlinkedCase {
    const char* name;
    LinkFault fault;
    std::vector<std::string> lines;  // what the failed attempt sent to the pad
    int boxes;                       // the port's own report; -1: not looked at
};

// A port typed into the list's field that is none of its rows cannot be
// opened. With the relay of COM1 ended, Wine may still hand out a handle for
// COM1 on which every write fails: a failed open or a failed handshake, the
// link is unusable either way.
const UnlinkedCase unlinkedCases[] = {
    {"no such port", NO_SUCH_PORT, {}, 1},
    {"relay of COM1 ended", RELAY_ENDED, {}, -1},
    {"pad silent at the handshake", PAD_SILENT, {"", ""}, 0},
};

TEST_F(ReadConfig, UnusableLinkEndsInWayOutAKeepingTheMarks) {
    for (const UnlinkedCase& c : unlinkedCases) {
        SCOPED_TRACE(c.name);
        Start(MakePadState(12, 4, 0x03, 0, 0, 0x80));
        Read();
        if (BreakLink(dialog, *sim, c.fault)) relayDown = 1;
        SetDlgItemTextA(dialog, 1000, "-");

        std::vector<WireByte> wire = Read();
        EXPECT_EQ(ToolTexts(wire), c.lines) << "no drain, no query";
        if (c.boxes >= 0) {
            EXPECT_EQ((int)ShownBoxes().size(), c.boxes);
        }
        for (const ShownBox& box : ShownBoxes()) {
            EXPECT_EQ(box.text, Cp932("オープン失敗！！"));
            EXPECT_EQ(box.caption, Cp932("ＲＳ－２３２Ｃ"));
        }
        EXPECT_EQ(ControlText(dialog, 1000), Cp932("未接続"));
        EXPECT_EQ(Enabled(dialog), FirstBoxes(0));
        EXPECT_EQ(EditControlsNot(dialog, false), "") << "editing controls left enabled";
        ExpectPadInfoRestored("after way out A");
        EXPECT_EQ(WholeDialogInvalidations(dialog), 1);
        EXPECT_EQ(Checked(dialog), "11000000 00000000 00000000 00000001");
        EXPECT_EQ(CheckedRadios(dialog), "1064");
        EXPECT_EQ(CountRow(dialog), 12);
        EXPECT_NE(LinkState, LINK_OPEN);
        StopDialogAndPad(sim, dialog);
        if (relayDown) RelayUp(relayDown);
        relayDown = 0;
    }
}

}  // namespace
