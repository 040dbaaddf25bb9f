// Every pad action against a pad that misbehaves, and bad texts typed into
// the two lists: the tool must not crash, hang past its read time-outs, read
// or write past a link buffer, or report a success the pad never gave, and
// the dialog must read a healthy pad again afterwards.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "api_hook.h"
#include "config_dialog.h"
#include "dialog_harness.h"
#include "message_boxes.h"
#include "pad_harness.h"
#include "screen_state.h"
#include "serial_link.h"

extern "C" void* __imp_ReadFile;
extern "C" void* __imp_WriteFile;
extern "C" void* __imp_CreateFileA;

namespace {

// What the line allows, in milliseconds.
const double READ_LIMIT_MS = 500;  // any read, however many bytes are missing
const double EXCHANGE_PAUSE_MS = 15;
const double HANDSHAKE_MS = 2 * (500 + 100);  // two reads, two pauses
const double RESTART_WAIT_MS = 25000;

double NowMs(void) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return (double)now.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

// --- The dialog thread's reads, writes and opens --------------------------

typedef BOOL(WINAPI* ReadFileFn)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED);
typedef BOOL(WINAPI* WriteFileFn)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
typedef HANDLE(WINAPI* CreateFileFn)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
ReadFileFn realReadFile;
WriteFileFn realWriteFile;
CreateFileFn realCreateFileA;

struct PortCall {
    const char* kind;  // "read" or "write"
    const void* buffer;
    DWORD count;
};
std::vector<PortCall> portCalls;
std::vector<std::string> openedPaths;
DWORD dialogThread;
bool recording;

bool Recording(void) { return recording && GetCurrentThreadId() == dialogThread; }

BOOL WINAPI RecordReadFile(HANDLE file, LPVOID buffer, DWORD count, LPDWORD got, LPOVERLAPPED overlapped) {
    if (Recording()) portCalls.push_back({"read", buffer, count});
    return realReadFile(file, buffer, count, got, overlapped);
}

BOOL WINAPI RecordWriteFile(HANDLE file, LPCVOID data, DWORD count, LPDWORD written, LPOVERLAPPED overlapped) {
    if (Recording()) portCalls.push_back({"write", data, count});
    return realWriteFile(file, data, count, written, overlapped);
}

HANDLE WINAPI RecordCreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                                DWORD disposition, DWORD flags, HANDLE templateFile) {
    if (Recording()) openedPaths.push_back(name ? name : "(null)");
    return realCreateFileA(name, access, share, security, disposition, flags, templateFile);
}

void InstallRecorders(void) {
    if (realReadFile) return;
    realReadFile = (ReadFileFn)PatchImport(&__imp_ReadFile, (void*)RecordReadFile);
    realWriteFile = (WriteFileFn)PatchImport(&__imp_WriteFile, (void*)RecordWriteFile);
    realCreateFileA = (CreateFileFn)PatchImport(&__imp_CreateFileA, (void*)RecordCreateFileA);
}

struct LinkBuffer {
    const char* name;
    const char* start;
    size_t size;
};

// Every port read and write must stay inside one of the link's buffers:
// the calls that do not, described ("" when all do).
std::string CallsOutsideTheBuffers(void) {
    const LinkBuffer buffers[] = {{"ackBuffer", (const char*)ackBuffer, sizeof ackBuffer},
                                  {"commandBuffer", commandBuffer, sizeof commandBuffer},
                                  {"crByte", (const char*)&crByte, sizeof crByte}};
    std::string faults;
    for (const PortCall& call : portCalls) {
        const char* at = (const char*)call.buffer;
        const LinkBuffer* inside = nullptr;
        for (const LinkBuffer& buffer : buffers)
            if (at >= buffer.start && at < buffer.start + buffer.size) inside = &buffer;
        char text[160];
        if (!inside) {
            snprintf(text, sizeof text, "%s of %lu bytes at %p, in no link buffer; ", call.kind,
                     (unsigned long)call.count, call.buffer);
            faults += text;
        } else if (at + call.count > inside->start + inside->size) {
            snprintf(text, sizeof text, "%s of %lu bytes at %s+%d runs past its %d bytes; ", call.kind,
                     (unsigned long)call.count, inside->name, (int)(at - inside->start), (int)inside->size);
            faults += text;
        }
    }
    return faults;
}

// --- The pad and its misbehaviours ----------------------------------------

enum Fault {
    SILENT,            // answers nothing on the open link
    SILENT_HANDSHAKE,  // answers nothing from the handshake on
    WRONG_HANDSHAKE,
    NAK,
    GARBAGE,           // NUL, 0x5C, 0x0A and bytes above 0x7F instead of every answer
    NON_HEX,
    SLOW_BYTES,        // one byte every 250 ms, inside the 300 ms interval
    FLOOD,             // 200 bytes after every answer
    HANG_UP,           // the pad closes its port after a given line
    UNPLUGGED,         // the relay ends at a given line, from another thread
    PORT_HELD,         // another program holds COM1 without sharing
    FAULT_COUNT
};

struct FaultKind {
    const char* name;
    bool reopen;  // the port list is touched first, so the action opens the port
};

const FaultKind faultKinds[FAULT_COUNT] = {
    {"silent pad", false},
    {"pad silent from the handshake on", true},
    {"wrong handshake", true},
    {"negative acknowledgements", false},
    {"garbage bytes", false},
    {"non-hexadecimal values", false},
    {"single bytes 250 ms apart", false},
    {"flood of 200 bytes after each answer", false},
    {"pad hanging up mid-action", false},
    {"relay ended mid-action", false},
    {"port held by another program", true},
};

PadSimConfig HealthyPad(void) {
    PadSimConfig config;
    config.state = TwelveButtonPad();
    return config;
}

PadSimConfig FaultyPad(Fault fault, int line) {
    PadSimConfig config = HealthyPad();
    switch (fault) {
    case SILENT:
    case SILENT_HANDSHAKE: config.misbehaviour = BEHAVE_SILENT; break;
    case WRONG_HANDSHAKE: config.handshakeReply = "NG\r\n"; break;
    case NAK: config.misbehaviour = BEHAVE_NAK; break;
    case GARBAGE: config.misbehaviour = BEHAVE_GARBAGE; break;
    case NON_HEX:
        config.misbehaviour = BEHAVE_NON_HEX;
        config.rebootReply = "ZZZZ\r\n";
        break;
    case SLOW_BYTES: config.byteGapMs = 250; break;
    case FLOOD: config.misbehaviour = BEHAVE_FLOOD; break;
    case HANG_UP: config.hangUpAfter = line; break;
    case UNPLUGGED:  // that line's answer never comes, however soon the relay ends
        config.misbehaviour = BEHAVE_SILENT_AFTER;
        config.silentAfter = line - 1;
        break;
    default: break;
    }
    return config;
}

// Ends the relay of COM1 once the pad has received `line` lines from the tool.
void UnplugAfterLine(PadSim* sim, int line, std::atomic<bool>* actionDone, std::atomic<bool>* unplugged) {
    while (!*actionDone) {
        if ((int)ToolLines(WireSnapshot(*sim)).size() >= line) {
            RelayDown(1);
            *unplugged = true;
            return;
        }
        Sleep(2);
    }
}

// Opens a port without sharing, as another program holding it would.
HANDLE OpenPortAlone(const char* path) {
    return CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
}

// --- The actions -----------------------------------------------------------

struct Action {
    const char* name;
    void (*run)(HWND dialog);
    int reads;                  // the most reads it makes on an open link
    int pauses;                 // its 15 ms pauses
    const char* unlinkedLabel;  // the label when the port cannot be opened; NULL: left as it was
    bool editingShowsOutcome;   // editing controls enabled exactly when the label reads "接続"
};

const Action readAction = {"read", [](HWND d) { Click(d, 1005); }, 18, 17, "未接続", true};
const Action boxAction = {"box click", [](HWND d) { UserClick(d, 1029); }, 1, 1, NULL, false};
const Action radioAction = {"radio click", [](HWND d) { UserClick(d, 1061); }, 1, 1, NULL, false};
const Action pressAction = {"press all", [](HWND d) { Click(d, 1003); }, 5, 5, "未接続", false};
const Action releaseAction = {"release all", [](HWND d) { Click(d, 1004); }, 1, 1, "未接続", false};
// Drain, count, reboot, then the nested read, release and "Ini_Disp".
const Action restartAction = {"restart", [](HWND d) { Click(d, 1075); }, 23, 24, NULL, false};

// A generous bound from the read time-outs: only a hang exceeds it.
double LimitMs(const Action& action, bool reopen, bool longWait) {
    double ms = action.reads * READ_LIMIT_MS + action.pauses * EXCHANGE_PAUSE_MS;
    if (reopen) ms += HANDSHAKE_MS;
    if (longWait) ms += RESTART_WAIT_MS;
    return ms * 1.5 + 2000;
}

struct FaultCase {
    Fault fault;
    int line;                        // HANG_UP, UNPLUGGED: the tool's line (from 1) the pad goes at
    const char* label;               // the status label after the action; NULL: left as it was
    std::vector<const char*> boxes;  // the message boxes shown, in order
    int lines;                       // lines the pad received; -1: depends on when the relay ended
    bool longWait;                   // the restart's 25 s wait runs out
};

const char* const probeBox = "USBが認識してから「PAD情報取得」ボタンを押してください";
const char* const openFailedBox = "オープン失敗！！";
const char* const rebootFailedBox = "リブート失敗！！";
const char* const rebootOkBox = "リブート成功";

// For PORT_HELD, each table gives the outcome where two handles may hold one
// port (Wine); where they may not, the action finds the link unusable.

// A read that succeeds has 10 lines: a drain, the probe, the count, a
// drain, the direction, four groups and "Ini_Disp".
const std::vector<FaultCase> readCases = {
    {SILENT, 0, "情報取得失敗", {probeBox}, 2, false},
    {SILENT_HANDSHAKE, 0, "未接続", {}, 2, false},
    {WRONG_HANDSHAKE, 0, "未接続", {}, 2, false},
    {NAK, 0, "接続", {}, 10, false},  // only command acknowledgements say NG
    {GARBAGE, 0, "情報取得失敗", {probeBox}, 2, false},
    {NON_HEX, 0, "情報取得失敗", {probeBox}, 2, false},
    {SLOW_BYTES, 0, "情報取得失敗", {probeBox}, 2, false},
    {FLOOD, 0, "情報取得失敗", {probeBox}, 2, false},
    {HANG_UP, 3, "情報取得失敗", {probeBox}, 3, false},
    {UNPLUGGED, 3, "情報取得失敗", {probeBox}, -1, false},
    {PORT_HELD, 0, "接続", {}, 12, false},
};

// One command, whose acknowledgement is not looked at.
const std::vector<FaultCase> clickCases = {
    {SILENT, 0, "接続", {}, 1, false},
    {SILENT_HANDSHAKE, 0, NULL, {}, 2, false},
    {WRONG_HANDSHAKE, 0, NULL, {}, 2, false},
    {NAK, 0, "接続", {}, 1, false},
    {GARBAGE, 0, "接続", {}, 1, false},
    {NON_HEX, 0, "接続", {}, 1, false},
    {SLOW_BYTES, 0, "接続", {}, 1, false},
    {FLOOD, 0, "接続", {}, 1, false},
    {HANG_UP, 1, "接続", {}, 1, false},
    {UNPLUGGED, 1, "接続", {}, -1, false},
    {PORT_HELD, 0, "接続", {}, 3, false},
};

// Five commands, sent whatever the pad answers.
const std::vector<FaultCase> pressCases = {
    {SILENT, 0, "接続", {}, 5, false},
    {SILENT_HANDSHAKE, 0, "未接続", {}, 2, false},
    {WRONG_HANDSHAKE, 0, "未接続", {}, 2, false},
    {NAK, 0, "接続", {}, 5, false},
    {GARBAGE, 0, "接続", {}, 5, false},
    {NON_HEX, 0, "接続", {}, 5, false},
    {SLOW_BYTES, 0, "接続", {}, 5, false},
    {FLOOD, 0, "接続", {}, 5, false},
    {HANG_UP, 2, "接続", {}, 2, false},
    {UNPLUGGED, 2, "接続", {}, -1, false},
    {PORT_HELD, 0, "接続", {}, 7, false},
};

// "btn_off" succeeds only on an acknowledgement that begins with OK. A slow
// pad's O and K arrive inside the read's 500 ms.
const std::vector<FaultCase> releaseCases = {
    {SILENT, 0, "全ボタン解除失敗！！", {}, 1, false},
    {SILENT_HANDSHAKE, 0, "未接続", {}, 2, false},
    {WRONG_HANDSHAKE, 0, "未接続", {}, 2, false},
    {NAK, 0, "全ボタン解除失敗！！", {}, 1, false},
    {GARBAGE, 0, "全ボタン解除失敗！！", {}, 1, false},
    {NON_HEX, 0, "全ボタン解除", {}, 1, false},
    {SLOW_BYTES, 0, "全ボタン解除", {}, 1, false},
    {FLOOD, 0, "全ボタン解除", {}, 1, false},
    {HANG_UP, 1, "全ボタン解除失敗！！", {}, 1, false},
    {UNPLUGGED, 1, "全ボタン解除失敗！！", {}, -1, false},
    {PORT_HELD, 0, "全ボタン解除", {}, 3, false},
};

// Drain, count command, "reboot": a count that is not acknowledged OK stops
// the restart before "reboot". Only the pad hanging up after "reboot" makes
// the tool wait out the 25 s. A restart that succeeds has 15 lines and leaves
// the nested release's label.
const std::vector<FaultCase> restartCases = {
    {SILENT, 0, "接続", {}, 2, false},
    {SILENT_HANDSHAKE, 0, NULL, {}, 2, false},
    {WRONG_HANDSHAKE, 0, NULL, {}, 2, false},
    {NAK, 0, "接続", {}, 2, false},
    {GARBAGE, 0, "接続", {}, 2, false},
    {NON_HEX, 0, "接続", {rebootFailedBox}, 3, false},  // "ZZZZ" after "reboot"
    {SLOW_BYTES, 0, "接続", {}, 2, false},
    {FLOOD, 0, "接続", {}, 2, false},
    {HANG_UP, 3, "接続", {rebootFailedBox}, 3, true},
    {UNPLUGGED, 2, "接続", {}, -1, false},
    {PORT_HELD, 0, "全ボタン解除", {rebootOkBox}, 17, false},
};

std::vector<std::string> BoxTexts(void) {
    std::vector<std::string> texts;
    for (const ShownBox& box : ShownBoxes()) texts.push_back(box.text);
    return texts;
}

std::vector<std::string> Cp932Texts(const std::vector<const char*>& utf8) {
    std::vector<std::string> texts;
    for (const char* text : utf8) texts.push_back(Cp932(text));
    return texts;
}

class FaultSuite : public ::testing::Test {
protected:
    void SetUp() override {
        InstallRecorders();
        StartRecordingBoxes();
        dialogThread = GetCurrentThreadId();
    }
    void TearDown() override {
        recording = false;
        StopDialogAndPad(pad, dialog);
        StopPad(otherPad);
        if (relayDown) RelayUp(1);
    }
    void StopPad(std::unique_ptr<PadSim>& sim) {
        if (sim) StopPadSim(*sim);
        sim.reset();
    }
    void RestartPad(std::unique_ptr<PadSim>& sim, const PadSimConfig& config, int pair) {
        StopPad(sim);
        sim.reset(new PadSim);
        sim->config = config;
        ASSERT_TRUE(StartPadOnPair(*sim, pair)) << "stand-in on pair " << pair;
    }
    // A fresh dialog, a healthy pad and a first read, which opens the link.
    void Start(void) {
        RestartPad(pad, HealthyPad(), 1);
        dialog = CreateConfigDialog();
        ASSERT_NE(dialog, nullptr);
        ExpectReadSucceeds("the first read");
    }
    void ExpectReadSucceeds(const char* when) {
        ShownBoxes().clear();
        Click(dialog, 1005);
        EXPECT_EQ(ControlText(dialog, 1000), Cp932("接続")) << when;
        EXPECT_EQ(EditControlsNot(dialog, true), "") << when << ": editing controls left disabled";
        EXPECT_EQ(CountRow(dialog), 12) << when << ": the pad's count";
        EXPECT_EQ(BoxTexts(), std::vector<std::string>()) << when;
        ExpectIdleButtons(when);
    }
    void ExpectIdleButtons(const char* when) {
        EXPECT_TRUE(IsEnabled(dialog, 1005)) << when;
        EXPECT_EQ(ControlText(dialog, 1005), Cp932("PAD情報取得")) << when;
        EXPECT_EQ(ControlText(dialog, 1075), Cp932("USB再起動")) << when;
    }
    // How a case's action went.
    struct Outcome {
        double elapsedMs;
        bool exclusive;  // the held port could not be opened a second time
        bool unplugged;  // the relay was ended
    };
    // The action against the pad as the case has it.
    Outcome RunAction(const Action& action, const FaultCase& c) {
        if (faultKinds[c.fault].reopen) Click(dialog, 1016);
        RestartPad(pad, FaultyPad(c.fault, c.line), 1);
        Outcome outcome = {0, false, false};
        HANDLE holder = c.fault == PORT_HELD ? OpenPortAlone("\\\\.\\COM1") : INVALID_HANDLE_VALUE;
        if (c.fault == PORT_HELD) {
            EXPECT_NE(holder, INVALID_HANDLE_VALUE) << "COM1 could not be held";
        }
        if (holder != INVALID_HANDLE_VALUE) {
            HANDLE second = OpenPortAlone("\\\\.\\COM1");
            outcome.exclusive = second == INVALID_HANDLE_VALUE;
            if (!outcome.exclusive) CloseHandle(second);
        }
        std::atomic<bool> actionDone{false}, unplugged{false};
        std::thread unplugger;
        if (c.fault == UNPLUGGED) {
            relayDown = true;
            unplugger = std::thread(UnplugAfterLine, pad.get(), c.line, &actionDone, &unplugged);
        }
        SetDlgItemTextA(dialog, 1000, "-");
        ShownBoxes().clear();
        recording = true;
        double start = NowMs();
        action.run(dialog);
        outcome.elapsedMs = NowMs() - start;
        recording = false;
        actionDone = true;
        if (unplugger.joinable()) unplugger.join();
        outcome.unplugged = unplugged;
        if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
        Sleep(30);  // the stand-in records what the tool's last write brought
        return outcome;
    }
    void ExpectOutcome(const Action& action, const FaultCase& c, const Outcome& outcome) {
        bool reopen = faultKinds[c.fault].reopen;
        EXPECT_LT(outcome.elapsedMs, LimitMs(action, reopen, c.longWait)) << "ms: hung past the read time-outs";
        if (c.longWait) {
            EXPECT_GE(outcome.elapsedMs, RESTART_WAIT_MS) << "ms: the restart wait was cut short";
        }
        const char* label = outcome.exclusive ? action.unlinkedLabel : c.label;
        std::vector<const char*> boxes = outcome.exclusive ? std::vector<const char*>{openFailedBox} : c.boxes;
        int lines = outcome.exclusive ? 0 : c.lines;
        EXPECT_EQ(ControlText(dialog, 1000), label ? Cp932(label) : "-");
        EXPECT_EQ(BoxTexts(), Cp932Texts(boxes));
        if (lines >= 0) {
            EXPECT_EQ((int)ToolLines(WireSnapshot(*pad)).size(), lines) << "lines the pad received";
        }
        if (action.editingShowsOutcome) {
            bool read = label && std::string(label) == "接続";
            EXPECT_EQ(EditControlsNot(dialog, read), "") << "editing controls not " << (read ? "enabled" : "disabled");
        }
        ExpectIdleButtons("after the action");
        if (c.fault == UNPLUGGED) {
            EXPECT_TRUE(outcome.unplugged) << "the relay was never ended";
        }
    }
    // With the pad healthy again, a read must succeed.
    void ExpectUsableAgain(const FaultCase& c) {
        if (c.fault == UNPLUGGED) {
            RelayUp(1);
            relayDown = false;
        }
        RestartPad(pad, HealthyPad(), 1);
        recording = true;
        if (c.fault == UNPLUGGED) Click(dialog, 1016);  // the open link's relay is gone
        ExpectReadSucceeds("the read after");
        recording = false;
    }
    void RunCase(const Action& action, const FaultCase& c) {
        portCalls.clear();
        openedPaths.clear();
        ExpectOutcome(action, c, RunAction(action, c));
        ExpectUsableAgain(c);
        EXPECT_GT(portCalls.size(), 0u) << "no read or write of the port was seen";
        EXPECT_EQ(CallsOutsideTheBuffers(), "");
        for (const std::string& path : openedPaths) EXPECT_EQ(path, "\\\\.\\COM1") << "a port opened";
    }
    void RunCases(const Action& action, const std::vector<FaultCase>& cases) {
        Start();
        ASSERT_FALSE(HasFailure()) << "the dialog did not start";
        for (const FaultCase& c : cases) {
            SCOPED_TRACE(std::string(action.name) + " against " + faultKinds[c.fault].name);
            RunCase(action, c);
            if (HasFatalFailure()) return;
        }
    }
    std::unique_ptr<PadSim> pad;       // on the far end of COM1
    std::unique_ptr<PadSim> otherPad;  // on the far end of COM2
    HWND dialog = NULL;
    bool relayDown = false;
};

TEST_F(FaultSuite, ReadAgainstEveryMisbehaviour) { RunCases(readAction, readCases); }
TEST_F(FaultSuite, BoxClickAgainstEveryMisbehaviour) { RunCases(boxAction, clickCases); }
TEST_F(FaultSuite, RadioClickAgainstEveryMisbehaviour) { RunCases(radioAction, clickCases); }
TEST_F(FaultSuite, PressAllAgainstEveryMisbehaviour) { RunCases(pressAction, pressCases); }
TEST_F(FaultSuite, ReleaseAllAgainstEveryMisbehaviour) { RunCases(releaseAction, releaseCases); }
TEST_F(FaultSuite, RestartAgainstEveryMisbehaviour) { RunCases(restartAction, restartCases); }

// --- Texts typed into the lists --------------------------------------------

struct TypedText {
    const char* name;
    std::string text;
};

// None of these names a port. The second hides "COM2" at the start of 300
// characters, past what a port name can be.
const TypedText badPortTexts[] = {
    {"300 letters", std::string(300, 'A')},
    {"COM2, 295 blanks and a 9", "COM2" + std::string(295, ' ') + "9"},
    {"empty", ""},
    {"full-width COM1", Cp932("ＣＯＭ１")},
    {"half-width katakana before COM1", "\xB1\xB2" "COM1"},
    {"COM1 and a dash whose trail byte is 0x5C", "COM1\x81\x5C"},
    {"-1", "-1"},
    {"-5", "-5"},
};

// As typing leaves a list: no row selected, the text in the field, and the
// list's notification to the dialog.
void TypeInto(HWND dialog, int id, const std::string& text) {
    HWND list = GetDlgItem(dialog, id);
    SendMessageA(list, CB_SETCURSEL, (WPARAM)-1, 0);
    SetWindowTextA(list, text.c_str());
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_EDITCHANGE), (LPARAM)list);
}

TEST_F(FaultSuite, TypedPortTextsOpenOnlyThePortTheyName) {
    Start();
    RestartPad(otherPad, HealthyPad(), 2);
    for (const TypedText& c : badPortTexts) {
        SCOPED_TRACE("port list field: " + std::string(c.name));
        TypeInto(dialog, 1016, c.text);
        ASSERT_EQ(SendDlgItemMessageA(dialog, 1016, CB_GETCURSEL, 0, 0), CB_ERR) << "a row is still selected";
        ClearWire(*pad);
        ClearWire(*otherPad);
        ShownBoxes().clear();
        openedPaths.clear();
        portCalls.clear();
        recording = true;
        Click(dialog, 1005);
        recording = false;
        Sleep(30);
        EXPECT_EQ(openedPaths, std::vector<std::string>()) << "ports opened";
        EXPECT_EQ(BoxTexts(), Cp932Texts({openFailedBox}));
        EXPECT_EQ(ControlText(dialog, 1000), Cp932("未接続"));
        EXPECT_EQ(ToolBytes(WireSnapshot(*pad)) + ToolBytes(WireSnapshot(*otherPad)), "");
        ExpectIdleButtons("after the read");
        EXPECT_EQ(CallsOutsideTheBuffers(), "");

        SendDlgItemMessageA(dialog, 1016, CB_SETCURSEL, 0, 0);
        Click(dialog, 1016);
        ExpectReadSucceeds("the read of COM1 after");
    }

    SCOPED_TRACE("port list field: \" com2 \"");
    TypeInto(dialog, 1016, " com2 ");
    ClearWire(*pad);
    openedPaths.clear();
    recording = true;
    ExpectReadSucceeds("the read of the typed port");
    recording = false;
    EXPECT_EQ(openedPaths, std::vector<std::string>{"\\\\.\\COM2"});
    EXPECT_EQ(ToolBytes(WireSnapshot(*pad)), "") << "COM1's pad";
    EXPECT_NE(ToolBytes(WireSnapshot(*otherPad)), "") << "COM2's pad";
}

// None of these is a count of 0 to 32 in its first two characters.
const TypedText badCountTexts[] = {
    {"300 digits", std::string(300, '3')},
    {"300 letters", std::string(300, 'x')},
    {"empty", ""},
    {"full-width 32", Cp932("３２")},
    {"half-width katakana", "\xB3\xDD"},
    {"a dash whose trail byte is 0x5C, then 12", "\x81\x5C" "12"},
    {"-1", "-1"},
    {"-5", "-5"},
};

TEST_F(FaultSuite, TypedCountTextsSendNoCountAndNoRestart) {
    Start();
    for (const TypedText& c : badCountTexts) {
        SCOPED_TRACE("count list field: " + std::string(c.name));
        TypeInto(dialog, 1017, c.text);
        ClearWire(*pad);
        ShownBoxes().clear();
        openedPaths.clear();
        portCalls.clear();
        recording = true;
        double start = NowMs();
        Click(dialog, 1075);
        double elapsed = NowMs() - start;
        recording = false;
        Sleep(30);
        EXPECT_EQ(ToolTexts(WireSnapshot(*pad)), std::vector<std::string>{""}) << "only the drain";
        for (const std::string& box : BoxTexts()) EXPECT_NE(box, Cp932(rebootOkBox));
        EXPECT_LT(elapsed, LimitMs(restartAction, false, false)) << "ms";
        EXPECT_EQ(openedPaths, std::vector<std::string>()) << "ports opened on an open link";
        ExpectIdleButtons("after the restart");
        EXPECT_EQ(CallsOutsideTheBuffers(), "");
        ExpectReadSucceeds("the read after");
    }
}

}  // namespace
