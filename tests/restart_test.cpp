// "USB再起動" (button 1075) through the real dialog against the pad stand-in:
// the count command, the restart and its long reply wait, the nested read and
// release-all, the boxes, and the controls during and after the operation.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "api_hook.h"
#include "config_dialog.h"
#include "dialog_harness.h"
#include "message_boxes.h"
#include "pad_harness.h"
#include "serial_link.h"

extern "C" void* __imp_Sleep;
extern "C" void* __imp_WriteFile;
extern "C" void* __imp_SetCommTimeouts;

namespace {

typedef VOID(WINAPI* SleepFn)(DWORD);
typedef BOOL(WINAPI* WriteFileFn)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
typedef BOOL(WINAPI* SetCommTimeoutsFn)(HANDLE, LPCOMMTIMEOUTS);

SleepFn realSleep;
WriteFileFn realWriteFile;
SetCommTimeoutsFn realSetCommTimeouts;

// What the dialog's thread did while a restart ran, in order: writes to the
// port, pauses, time-out changes and message boxes.
std::vector<std::string> events;
std::vector<COMMTIMEOUTS> timeoutRecords;
bool recording;
DWORD dialogThread;
PadSim* clockSim;  // whose clock stamps the boxes
double boxMs;

bool Recording(void) { return recording && GetCurrentThreadId() == dialogThread; }

std::string Visible(const std::string& bytes) {
    std::string text;
    for (char c : bytes) text += c == '\r' ? std::string("<CR>") : std::string(1, c);
    return text;
}

VOID WINAPI RecordSleep(DWORD ms) {
    if (Recording()) events.push_back("sleep " + std::to_string(ms));
    realSleep(ms);
}

BOOL WINAPI RecordWriteFile(HANDLE file, LPCVOID data, DWORD count, LPDWORD written, LPOVERLAPPED overlapped) {
    if (Recording() && file == portHandle) events.push_back("write " + Visible(std::string((const char*)data, count)));
    return realWriteFile(file, data, count, written, overlapped);
}

BOOL WINAPI RecordSetCommTimeouts(HANDLE file, LPCOMMTIMEOUTS timeouts) {
    if (Recording() && file == portHandle) {
        events.push_back("timeouts " + std::to_string(timeouts->ReadIntervalTimeout) + "/" +
                         std::to_string(timeouts->ReadTotalTimeoutConstant));
        timeoutRecords.push_back(*timeouts);
    }
    return realSetCommTimeouts(file, timeouts);
}

void RecordBox(const ShownBox& box) {
    if (!Recording()) return;
    events.push_back("box " + box.text);
    boxMs = PadSimNow(*clockSim);
}

void InstallRecorders(void) {
    if (realSleep) return;
    realSleep = (SleepFn)PatchImport(&__imp_Sleep, (void*)RecordSleep);
    realWriteFile = (WriteFileFn)PatchImport(&__imp_WriteFile, (void*)RecordWriteFile);
    realSetCommTimeouts = (SetCommTimeoutsFn)PatchImport(&__imp_SetCommTimeouts, (void*)RecordSetCommTimeouts);
}

// The dialog as a second thread sees it while the dialog's thread is blocked:
// only calls that send the dialog no message.
struct Sample {
    double ms;
    std::wstring restartText;
    bool restartEnabled, padInfoEnabled, editingEnabled;
};
std::vector<Sample> samples;
std::atomic<bool> watching;

std::vector<HWND> EditingControls(HWND dialog) {
    std::vector<HWND> controls;
    for (int id : {1003, 1004, 1017}) controls.push_back(GetDlgItem(dialog, id));
    for (int id = 1027; id <= 1067; id++) controls.push_back(GetDlgItem(dialog, id));
    return controls;
}

void Watch(HWND restart, HWND padInfo, std::vector<HWND> editing, PadSim* sim) {
    while (watching) {
        Sample sample;
        sample.ms = PadSimNow(*sim);
        wchar_t text[64] = L"";
        InternalGetWindowText(restart, text, 64);
        sample.restartText = text;
        sample.restartEnabled = IsWindowEnabled(restart) != FALSE;
        sample.padInfoEnabled = IsWindowEnabled(padInfo) != FALSE;
        sample.editingEnabled = false;
        for (HWND control : editing) sample.editingEnabled |= IsWindowEnabled(control) != FALSE;
        samples.push_back(sample);
        Sleep(3);
    }
}

std::string Narrow(const std::wstring& wide) {
    char text[128] = "";
    WideCharToMultiByte(932, 0, wide.c_str(), -1, text, sizeof text, NULL, NULL);
    return text;
}

// The tool's lines of a configuration read of a pad that answers well.
const std::vector<std::string> readLines = {"",       "1_num?", "btn_num?", "",       "a_num?",
                                            "b_num?", "c_num?", "d_num?",   "e_num?", "Ini_Disp"};

std::vector<std::string> Joined(std::vector<std::string> first, const std::vector<std::string>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

std::string Listed(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += "[" + line + "]";
    return text;
}

// Times of the stand-in's bytes sent after a moment.
std::vector<double> PadBytesAfter(const std::vector<WireByte>& wire, double ms) {
    std::vector<double> times;
    for (const WireByte& b : wire)
        if (!b.fromTool && b.ms > ms) times.push_back(b.ms);
    return times;
}

double ToolByteAfter(const std::vector<WireByte>& wire, double ms) {
    for (const WireByte& b : wire)
        if (b.fromTool && b.ms > ms) return b.ms;
    return -1;
}

// From the first event equal to start, the next count events.
std::vector<std::string> EventsFrom(const std::string& start, size_t count, bool last = false) {
    size_t at = events.size();
    for (size_t i = 0; i < events.size(); i++)
        if (events[i] == start && (last || at == events.size())) at = i;
    std::vector<std::string> slice;
    for (size_t i = at; i < events.size() && slice.size() < count; i++) slice.push_back(events[i]);
    return slice;
}

class RestartTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallRecorders();
        StartRecordingBoxes();
        OnBoxShown(RecordBox);
        dialogThread = GetCurrentThreadId();
        clockSim = &pad;
        dialog = CreateConfigDialog();
        ASSERT_NE(dialog, nullptr);
    }

    void TearDown() override {
        recording = false;
        DestroyConfigDialog(dialog);
        StopPadSim(pad);
        StopPadSim(second);
    }

    // A restart needs an open link and an enabled 1075: a read of a healthy pad first.
    void ReadPadFirst(const PadSimConfig& config) {
        pad.config = config;
        ASSERT_TRUE(StartPadOnPair(pad, 1)) << "stand-in on COM21";
        Click(dialog, 1005);
        ASSERT_TRUE(IsEnabled(dialog, 1075)) << "the first read failed: " << Listed(ToolTexts(WireSnapshot(pad)));
        GetCommTimeouts(portHandle, &timeoutsBefore);
        ClearWire(pad);
        ShownBoxes().clear();
    }

    // Chooses the count as the user does: a row of the list, or text typed into its field.
    void ChooseCount(int row, const char* typed) {
        HWND list = GetDlgItem(dialog, 1017);
        if (row >= 0)
            SendMessageA(list, CB_SETCURSEL, row, 0);
        else
            SetWindowTextA(list, typed);
        ASSERT_EQ(ControlText(dialog, 1017), row >= 0 ? std::to_string(row) : std::string(typed));
    }

    void RunRestart(void) {
        events.clear();
        timeoutRecords.clear();
        samples.clear();
        boxMs = -1;
        ASSERT_EQ(restartStarted, 0) << "before the first restart";
        watching = true;
        std::thread watcher(Watch, GetDlgItem(dialog, 1075), GetDlgItem(dialog, 1005), EditingControls(dialog), &pad);
        recording = true;
        Click(dialog, 1075);
        recording = false;
        watching = false;
        watcher.join();
    }

    // Every sample taken between the two moments shows the operation busy.
    void ExpectBusyBetween(double fromMs, double toMs) {
        int seen = 0;
        for (const Sample& s : samples) {
            if (s.ms <= fromMs || s.ms >= toMs) continue;
            seen++;
            EXPECT_EQ(Narrow(s.restartText), Cp932("USBリブート中")) << "at " << s.ms << " ms";
            EXPECT_FALSE(s.restartEnabled) << "1075 enabled at " << s.ms << " ms";
            EXPECT_FALSE(s.padInfoEnabled) << "1005 enabled at " << s.ms << " ms";
            EXPECT_FALSE(s.editingEnabled) << "an editing control enabled at " << s.ms << " ms";
        }
        EXPECT_GT(seen, 0) << "no look at the dialog between " << fromMs << " and " << toMs << " ms";
    }

    // The controls every path but success leaves.
    void ExpectLeftForRetry(const char* status) {
        EXPECT_FALSE(IsEnabled(dialog, 1075));
        EXPECT_EQ(ControlText(dialog, 1075), Cp932("USB再起動"));
        EXPECT_TRUE(IsEnabled(dialog, 1005));
        EXPECT_EQ(ControlText(dialog, 1005), Cp932("PAD情報取得"));
        for (HWND control : EditingControls(dialog))
            EXPECT_FALSE(IsWindowEnabled(control)) << "control " << GetDlgCtrlID(control);
        EXPECT_EQ(ControlText(dialog, 1000), Cp932(status));
        EXPECT_EQ(restartStarted, 1);
    }

    HWND dialog = NULL;
    PadSim pad, second;
    COMMTIMEOUTS timeoutsBefore = {};
};

enum Outcome {
    RESTARTED,        // success: read again, released, "リブート成功"
    REPORTED_FAILED,  // "リブート失敗！！"
    NOT_RESTARTED     // count refused: no box
};

struct RestartCase {
    const char* name;
    int row;                   // the count list row chosen, or -1 for typed text
    const char* typed;
    const char* countCommand;  // nullptr: no count command may go out
    const char* reply;         // the pad's answer to "reboot"
    int replyDelayMs;          // negative: it never answers
    Misbehaviour misbehaviour;
    Outcome outcome;
};

const RestartCase restartCases[] = {
    {"Row32", 32, "", "buttom_0=032", "0020\r\n", 300, BEHAVE_WELL, RESTARTED},
    {"Row12", 12, "", "buttom_0=012", "000C\r\n", 300, BEHAVE_WELL, RESTARTED},
    {"Row12ReportedAsEighteen", 12, "", "buttom_0=012", "0012\r\n", 300, BEHAVE_WELL, REPORTED_FAILED},
    {"Row0", 0, "", "buttom_0=255", "0000\r\n", 300, BEHAVE_WELL, RESTARTED},
    {"Row0ReportedAsOne", 0, "", "buttom_0=255", "0001\r\n", 300, BEHAVE_WELL, REPORTED_FAILED},
    {"Typed123ReadAs12", -1, "123", "buttom_0=012", "000C\r\n", 300, BEHAVE_WELL, RESTARTED},
    {"Typed40", -1, "40", nullptr, "0028\r\n", 300, BEHAVE_WELL, REPORTED_FAILED},
    {"Typed33", -1, "33", nullptr, "0021\r\n", 300, BEHAVE_WELL, REPORTED_FAILED},
    {"TypedMinus1", -1, "-1", nullptr, "0000\r\n", 300, BEHAVE_WELL, REPORTED_FAILED},
    {"TypedEmpty", -1, "", nullptr, "0000\r\n", 300, BEHAVE_WELL, REPORTED_FAILED},
    {"TypedLetters", -1, "ab", nullptr, "0000\r\n", 300, BEHAVE_WELL, REPORTED_FAILED},
    {"CountRefused", 12, "", "buttom_0=012", "000C\r\n", 300, BEHAVE_NAK, NOT_RESTARTED},
    {"ReplyAfterOneSecond", 32, "", "buttom_0=032", "0020\r\n", 1000, BEHAVE_WELL, RESTARTED},
    // The one case that waits out the full 25 s.
    {"SilentPadWithCountZero", 0, "", "buttom_0=255", "", -1, BEHAVE_WELL, REPORTED_FAILED},
};

// Failures name the case rather than dump its bytes.
void PrintTo(const RestartCase& c, std::ostream* out) { *out << c.name; }

class RestartCases : public RestartTest, public ::testing::WithParamInterface<RestartCase> {
protected:
    // Only an acknowledged count command may be followed by "reboot".
    bool RebootExpected(void) { return GetParam().countCommand && GetParam().misbehaviour == BEHAVE_WELL; }

    double RebootCr(void) {
        for (const ToolLine& line : ToolLines(WireSnapshot(pad)))
            if (line.text == "reboot") return line.crMs;
        return -1;
    }

    void CheckWire(void) {
        const RestartCase& c = GetParam();
        std::vector<std::string> expected = {""};  // the drain
        if (c.countCommand) expected.push_back(c.countCommand);
        if (RebootExpected()) expected.push_back("reboot");
        if (c.outcome == RESTARTED) expected = Joined(Joined(expected, readLines), {"btn_off", "Ini_Disp"});
        EXPECT_EQ(Listed(ToolTexts(WireSnapshot(pad))), Listed(expected));
        EXPECT_EQ(ToolBytes(WireSnapshot(pad)).find('\n'), std::string::npos) << "a line feed went out";
    }

    void CheckBox(void) {
        const RestartCase& c = GetParam();
        std::vector<ShownBox>& boxes = ShownBoxes();
        if (c.outcome == NOT_RESTARTED) {
            EXPECT_TRUE(boxes.empty()) << "box: " << (boxes.empty() ? "" : boxes[0].text);
            return;
        }
        ASSERT_EQ(boxes.size(), 1u);
        bool ok = c.outcome == RESTARTED;
        EXPECT_EQ(boxes[0].owner, dialog);
        EXPECT_EQ(boxes[0].text, Cp932(ok ? "リブート成功" : "リブート失敗！！"));
        EXPECT_EQ(boxes[0].caption, "Velmorant");
        EXPECT_EQ(boxes[0].flags, (UINT)(MB_OK | (ok ? MB_ICONINFORMATION : MB_ICONERROR)))
            << std::hex << boxes[0].flags;
    }

    void CheckControls(void) {
        EXPECT_EQ(restartStarted, 1) << "set by every restart, whatever its outcome";
        if (GetParam().outcome != RESTARTED) return ExpectLeftForRetry("接続");
        EXPECT_TRUE(IsEnabled(dialog, 1075));
        EXPECT_EQ(ControlText(dialog, 1075), Cp932("USB再起動"));
        EXPECT_TRUE(IsEnabled(dialog, 1005));
        EXPECT_EQ(ControlText(dialog, 1005), Cp932("PAD情報取得"));
        EXPECT_EQ(ControlText(dialog, 1000), Cp932("全ボタン解除")) << "as the nested release-all left it";
        int count = StateSnapshot(pad).buttonCount;
        EXPECT_EQ(ControlText(dialog, 1017), std::to_string(count)) << "the count the nested read got";
        for (int id = 1027; id <= 1058; id++)
            EXPECT_EQ(IsEnabled(dialog, id), id - 1027 < count) << "check box " << id << ", pad count " << count;
    }

    // The wait runs with 25000 ms time-outs between a paused "reboot" and a
    // paused conversion, and the usual 300/500 are back whatever the reply.
    void CheckTimeOuts(void) {
        COMMTIMEOUTS now = {};
        GetCommTimeouts(portHandle, &now);
        EXPECT_EQ(now.ReadIntervalTimeout, 300u);
        EXPECT_EQ(now.ReadTotalTimeoutConstant, 500u);
        if (!RebootExpected()) {
            EXPECT_TRUE(timeoutRecords.empty()) << "time-outs changed with no restart: " << timeoutRecords.size();
            return;
        }
        std::string next = GetParam().outcome == RESTARTED ? "write <CR>" : "box " + Cp932("リブート失敗！！");
        std::vector<std::string> expected = {"write reboot",     "write <CR>", "sleep 15", "timeouts 25000/25000",
                                             "timeouts 300/500", "sleep 15",   next};
        EXPECT_EQ(Listed(EventsFrom("write reboot", expected.size())), Listed(expected));
        ASSERT_EQ(timeoutRecords.size(), 2u);
        for (const COMMTIMEOUTS& t : timeoutRecords) {
            EXPECT_EQ(t.ReadTotalTimeoutMultiplier, timeoutsBefore.ReadTotalTimeoutMultiplier);
            EXPECT_EQ(t.WriteTotalTimeoutMultiplier, timeoutsBefore.WriteTotalTimeoutMultiplier);
            EXPECT_EQ(t.WriteTotalTimeoutConstant, timeoutsBefore.WriteTotalTimeoutConstant);
        }
    }

    // The reply is taken as it comes (after the stand-in's delay) and the
    // operation goes on at its sixth byte; silence is waited out in full.
    void CheckWait(void) {
        if (!RebootExpected()) return;
        const RestartCase& c = GetParam();
        std::vector<WireByte> wire = WireSnapshot(pad);
        double rebootCr = RebootCr();
        std::vector<double> answer = PadBytesAfter(wire, rebootCr);  // acknowledgement, then the reply
        if (c.replyDelayMs < 0) {
            EXPECT_EQ(answer.size(), 4u) << "the stand-in was to stay silent";
            EXPECT_GE(boxMs - rebootCr, 25000.0) << "the wait was cut short";
            ExpectBusyBetween(rebootCr, boxMs);
            return;
        }
        ASSERT_GE(answer.size(), 10u) << "acknowledgement and six reply bytes";
        EXPECT_GE(answer[4] - rebootCr, c.replyDelayMs) << "the stand-in answered early";
        double next = c.outcome == RESTARTED ? ToolByteAfter(wire, answer[9]) : boxMs;
        EXPECT_GE(next - answer[9], 15.0) << "pause after the reply";
        EXPECT_LT(next - answer[9], 10000.0) << "the wait did not end at the sixth byte";
        ExpectBusyBetween(rebootCr, answer[4]);
    }

    // Release-all, its pause and the restart's own, then "Ini_Disp" straight into the box.
    void CheckSuccessEnd(void) {
        if (GetParam().outcome != RESTARTED) return;
        std::vector<std::string> expected = {"write btn_off",  "write <CR>", "sleep 15", "sleep 15",
                                             "write Ini_Disp", "write <CR>", "box " + Cp932("リブート成功")};
        EXPECT_EQ(Listed(EventsFrom("write btn_off", 99, true)), Listed(expected));
        std::vector<ToolLine> lines = ToolLines(WireSnapshot(pad));
        ASSERT_GE(lines.size(), 3u);
        const ToolLine& readEnd = lines[lines.size() - 3];
        const ToolLine& release = lines[lines.size() - 2];
        const ToolLine& last = lines[lines.size() - 1];
        EXPECT_GE(release.firstMs - readEnd.crMs, 15.0) << "pause after the nested read";
        EXPECT_GE(last.firstMs - release.crMs, 30.0) << "release-all's pause and the restart's own";
    }
};

TEST_P(RestartCases, RunsAsTheCountAndTheReplyDecide) {
    const RestartCase& c = GetParam();
    PadSimConfig config;
    config.misbehaviour = c.misbehaviour;  // a refusing pad still answers queries and the handshake
    config.rebootReply = c.reply;
    config.rebootDelayMs = c.replyDelayMs;
    ReadPadFirst(config);
    if (HasFatalFailure()) return;
    ChooseCount(c.row, c.typed);
    RunRestart();
    {
        SCOPED_TRACE("wire");
        CheckWire();
    }
    {
        SCOPED_TRACE("message box");
        CheckBox();
    }
    {
        SCOPED_TRACE("controls after");
        CheckControls();
    }
    {
        SCOPED_TRACE("time-outs");
        CheckTimeOuts();
    }
    {
        SCOPED_TRACE("reply wait");
        CheckWait();
    }
    {
        SCOPED_TRACE("end of a success");
        CheckSuccessEnd();
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, RestartCases, ::testing::ValuesIn(restartCases),
                         [](const ::testing::TestParamInfo<RestartCase>& info) { return info.param.name; });

// The link cannot be used: nothing goes out, only the port's own box, final
// steps. The port is one the list does not hold, typed into its field: under
// this Wine a COMn whose relay is down still opens.
TEST_F(RestartTest, PortThatCannotBeOpenedSendsNothingAndShowsOnlyThePortsBox) {
    ReadPadFirst(PadSimConfig());
    SendDlgItemMessageA(dialog, 1016, CB_SETCURSEL, (WPARAM)-1, 0);
    SetDlgItemTextA(dialog, 1016, "COM99");
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1016, CBN_EDITCHANGE), (LPARAM)GetDlgItem(dialog, 1016));
    ChooseCount(12, "");
    RunRestart();
    ASSERT_EQ(ShownBoxes().size(), 1u) << Listed(events);
    EXPECT_EQ(ShownBoxes()[0].text, Cp932("オープン失敗！！"));
    EXPECT_EQ(ShownBoxes()[0].caption, Cp932("ＲＳ－２３２Ｃ"));
    for (const std::string& e : events) EXPECT_EQ(e.rfind("write", 0), std::string::npos) << e;
    EXPECT_TRUE(ToolBytes(WireSnapshot(pad)).empty()) << "COM1 was used";
    ExpectLeftForRetry("未接続");
}

TEST_F(RestartTest, UnansweredHandshakeSendsOnlyTheHandshake) {
    ReadPadFirst(PadSimConfig());
    second.config.misbehaviour = BEHAVE_SILENT;
    ASSERT_TRUE(StartPadOnPair(second, 2)) << "stand-in on COM22";
    SendDlgItemMessageA(dialog, 1016, CB_SETCURSEL, 1, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1016, CBN_SELCHANGE), (LPARAM)GetDlgItem(dialog, 1016));
    ChooseCount(12, "");
    RunRestart();
    EXPECT_EQ(Visible(ToolBytes(WireSnapshot(second))), "<CR><CR>") << "the handshake's two carriage returns";
    EXPECT_TRUE(ToolBytes(WireSnapshot(pad)).empty()) << "COM1 was used";
    EXPECT_TRUE(ShownBoxes().empty()) << "box: " << (ShownBoxes().empty() ? "" : ShownBoxes()[0].text);
    ExpectLeftForRetry("未接続");
}

}  // namespace
