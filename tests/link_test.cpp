// The serial link against the pad stand-in over a pseudo-terminal pair:
// opening the port chosen in the real dialog, the line settings and
// time-outs, the handshake, the port list, closing, and how the link takes a
// pad that misbehaves.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "api_hook.h"
#include "app.h"
#include "config_dialog.h"
#include "control_ids.h"
#include "dialog_harness.h"
#include "message_boxes.h"
#include "pad_harness.h"
#include "serial_link.h"

extern "C" void* __imp_GetCommState;
extern "C" void* __imp_SetCommState;
extern "C" void* __imp_GetCommTimeouts;
extern "C" void* __imp_SetCommTimeouts;
extern "C" void* __imp_CloseHandle;
extern "C" void* __imp_CreateFileA;

namespace {

// --- The dialog. ---

// Everything a user may change once the pad has been read.
std::vector<int> EditControls() {
    std::vector<int> ids = {1075, 1003, 1004, 1017, 1070, 1072, 1073};
    for (int id = 1027; id <= 1067; id++) ids.push_back(id);  // 32 check boxes, 9 radio buttons
    return ids;
}

void EnableAllEditControls(HWND dialog) {
    for (int id : EditControls()) EnableWindow(GetDlgItem(dialog, id), TRUE);
}

struct ControlState {
    int id;
    bool enabled, checked;
    std::string text;
};

std::vector<ControlState> Controls(HWND dialog) {
    std::vector<ControlState> states;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        int id = GetDlgCtrlID(child);
        states.push_back({id, IsEnabled(dialog, id), IsChecked(dialog, id), ControlText(dialog, id)});
    }
    return states;
}

void ExpectSameControls(const std::vector<ControlState>& before, const std::vector<ControlState>& after,
                        const std::string& when) {
    ASSERT_EQ(before.size(), after.size()) << when;
    for (size_t i = 0; i < before.size(); i++) {
        EXPECT_EQ(before[i].enabled, after[i].enabled) << when << ": control " << before[i].id;
        EXPECT_EQ(before[i].checked, after[i].checked) << when << ": control " << before[i].id;
        EXPECT_EQ(before[i].text, after[i].text) << when << ": control " << before[i].id;
    }
}

int TryLink(HWND dialog) { return CheckLink(dialog, WM_COMMAND, MAKEWPARAM(IDC_PAD_INFO, BN_CLICKED), 0); }

void NotifyPortList(HWND dialog, int code) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PORT_LIST, code), (LPARAM)GetDlgItem(dialog, IDC_PORT_LIST));
}

void SelectPortRow(HWND dialog, int row) {
    SendMessageA(GetDlgItem(dialog, IDC_PORT_LIST), CB_SETCURSEL, row, 0);
    NotifyPortList(dialog, CBN_SELCHANGE);
}

void ExpectOpenFailedBox(const ShownBox& box, HWND dialog) {
    EXPECT_EQ(box.owner, dialog);
    EXPECT_EQ(box.text, Cp932("オープン失敗！！"));
    EXPECT_EQ(box.caption, Cp932("ＲＳ－２３２Ｃ"));
    EXPECT_EQ(box.flags, 0x1010u) << std::hex << box.flags;
}

// --- The wire. ---

std::string Bytes(const std::vector<WireByte>& wire, bool fromTool) {
    std::string bytes;
    for (const WireByte& b : wire)
        if (b.fromTool == fromTool) bytes += (char)b.byte;
    return bytes;
}

HANDLE OpenPortHere(const char* name, DWORD share) {
    char path[32] = "\\\\.\\";
    strcat(path, name);
    return CreateFileA(path, GENERIC_READ | GENERIC_WRITE, share, NULL, OPEN_EXISTING, 0, NULL);
}

// --- Interposed calls: recorded on the test's thread, passed to the real ones. ---

typedef BOOL(WINAPI* CommStateFn)(HANDLE, LPDCB);
typedef BOOL(WINAPI* CommTimeoutsFn)(HANDLE, LPCOMMTIMEOUTS);
typedef BOOL(WINAPI* CloseHandleFn)(HANDLE);
typedef HANDLE(WINAPI* CreateFileFn)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
CommStateFn realGetCommState, realSetCommState;
CommTimeoutsFn realGetCommTimeouts, realSetCommTimeouts;
CloseHandleFn realCloseHandle;
CreateFileFn realCreateFileA;

struct PortOpen {
    std::string path;
    DWORD access, share;
    LPSECURITY_ATTRIBUTES security;
    DWORD disposition, flags;
    HANDLE templateFile, result;
};
DWORD testThread;
std::vector<PortOpen> portOpens;  // opens of COM names
std::vector<HANDLE> handlesClosed;
std::vector<DCB> statesRead, statesWritten;
std::vector<COMMTIMEOUTS> timeoutsRead, timeoutsWritten;
// Multipliers that the port is given before the tool reads its time-outs.
const DWORD PORT_READ_MULTIPLIER = 7, PORT_WRITE_MULTIPLIER = 9;

HANDLE WINAPI RecordCreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                                DWORD disposition, DWORD flags, HANDLE templateFile) {
    HANDLE result = realCreateFileA(path, access, share, security, disposition, flags, templateFile);
    if (GetCurrentThreadId() != testThread) return result;
    for (HANDLE& h : handlesClosed)  // a handle value given out again starts a history of its own
        if (h == result) h = INVALID_HANDLE_VALUE;
    if (path && strstr(path, "COM"))
        portOpens.push_back({path, access, share, security, disposition, flags, templateFile, result});
    return result;
}

BOOL WINAPI RecordCloseHandle(HANDLE handle) {
    if (GetCurrentThreadId() == testThread) handlesClosed.push_back(handle);
    return realCloseHandle(handle);
}

BOOL WINAPI RecordGetCommState(HANDLE port, LPDCB dcb) {
    BOOL ok = realGetCommState(port, dcb);
    statesRead.push_back(*dcb);
    return ok;
}

BOOL WINAPI RecordSetCommState(HANDLE port, LPDCB dcb) {
    statesWritten.push_back(*dcb);
    return realSetCommState(port, dcb);
}

// Wine keeps time-outs per handle, so a port's own values can only be given
// to the tool's handle itself, just before the tool first reads them.
BOOL WINAPI RecordGetCommTimeouts(HANDLE port, LPCOMMTIMEOUTS timeouts) {
    if (timeoutsRead.empty()) {
        COMMTIMEOUTS own = {1, PORT_READ_MULTIPLIER, 2, PORT_WRITE_MULTIPLIER, 3};
        realSetCommTimeouts(port, &own);
    }
    BOOL ok = realGetCommTimeouts(port, timeouts);
    timeoutsRead.push_back(*timeouts);
    return ok;
}

BOOL WINAPI RecordSetCommTimeouts(HANDLE port, LPCOMMTIMEOUTS timeouts) {
    timeoutsWritten.push_back(*timeouts);
    return realSetCommTimeouts(port, timeouts);
}

template <typename Fn>
void Interpose(void** slot, Fn replacement, Fn* real) {
    void* previous = PatchImport(slot, (void*)replacement);
    if (!*real) *real = (Fn)previous;
}

// The line settings and time-outs the tool reads and writes from here on.
void RecordPortSettings(void) {
    statesRead.clear();
    statesWritten.clear();
    timeoutsRead.clear();
    timeoutsWritten.clear();
    Interpose(&__imp_GetCommState, &RecordGetCommState, &realGetCommState);
    Interpose(&__imp_SetCommState, &RecordSetCommState, &realSetCommState);
    Interpose(&__imp_GetCommTimeouts, &RecordGetCommTimeouts, &realGetCommTimeouts);
    Interpose(&__imp_SetCommTimeouts, &RecordSetCommTimeouts, &realSetCommTimeouts);
}

void RestoreImports(void) {
    if (realGetCommState) PatchImport(&__imp_GetCommState, (void*)realGetCommState);
    if (realSetCommState) PatchImport(&__imp_SetCommState, (void*)realSetCommState);
    if (realGetCommTimeouts) PatchImport(&__imp_GetCommTimeouts, (void*)realGetCommTimeouts);
    if (realSetCommTimeouts) PatchImport(&__imp_SetCommTimeouts, (void*)realSetCommTimeouts);
    if (realCloseHandle) PatchImport(&__imp_CloseHandle, (void*)realCloseHandle);
    if (realCreateFileA) PatchImport(&__imp_CreateFileA, (void*)realCreateFileA);
}

int Closes(HANDLE handle) {
    int count = 0;
    for (HANDLE h : handlesClosed) count += h == handle;
    return count;
}

// The handle of the tool's last open of one of its ten ports.
HANDLE LastToolPort(void) {
    for (size_t i = portOpens.size(); i-- > 0;) {
        int number = atoi(portOpens[i].path.c_str() + portOpens[i].path.find("COM") + 3);
        if (number >= 1 && number <= 10) return portOpens[i].result;
    }
    return INVALID_HANDLE_VALUE;
}

bool Held(HANDLE port) {
    DWORD flags;
    return port != INVALID_HANDLE_VALUE && Closes(port) == 0 && GetHandleInformation(port, &flags);
}

// --- The fixture: the real dialog, the stand-in on the far end of COM1. ---

class Link : public ::testing::Test {
protected:
    void SetUp() override {
        RelayUp(1);  // a fresh pair: nothing an earlier test left on the line
        StartRecordingBoxes();
        testThread = GetCurrentThreadId();
        portOpens.clear();
        handlesClosed.clear();
        Interpose(&__imp_CreateFileA, &RecordCreateFileA, &realCreateFileA);
        Interpose(&__imp_CloseHandle, &RecordCloseHandle, &realCloseHandle);
        dialog = CreateConfigDialog();
        ASSERT_NE(dialog, nullptr);
    }
    void TearDown() override {
        DestroyConfigDialog(dialog);
        RestoreImports();
        StopPadSim(pad);
        StopPadSim(otherPad);
        RelayUp(1);
        if (otherPair) RelayUp(otherPair);
    }
    void StartPad(const PadSimConfig& config = PadSimConfig()) { StartPadAs(pad, config, 1); }
    // A new pair as well, for a case that must not see an earlier case's bytes.
    void FreshPad(const PadSimConfig& config) {
        StopPadSim(pad);
        RelayUp(1);
        StartPad(config);
    }
    void StartOtherPad(const PadSimConfig& config, int pair) {
        if (!otherPair) RelayUp(pair);
        otherPair = pair;
        StartPadAs(otherPad, config, pair);
    }
    void StartPadAs(PadSim& sim, const PadSimConfig& config, int pair) {
        StopPadSim(sim);
        sim.config = config;
        sim.line.clear();
        sim.linesSeen = 0;
        sim.outbox.clear();
        ClearWire(sim);
        ASSERT_TRUE(StartPadOnPair(sim, pair)) << "stand-in on pair " << pair;
    }
    // The link opened on a pad that answers well, then that pad replaced by
    // one configured otherwise, with the tool's port still open.
    void OpenThenSwapPad(const PadSimConfig& config) {
        StartPad();
        ASSERT_EQ(TryLink(dialog), 0);
        StartPad(config);
    }
    HWND dialog = NULL;
    PadSim pad;       // on the far end of COM1
    PadSim otherPad;  // on the far end of COM(otherPair)
    int otherPair = 0;
};

// --- Opening and the handshake. ---

TEST_F(Link, FirstUseOpensRowZeroAndSendsTwoLoneCarriageReturns) {
    StartPad();
    EXPECT_EQ(TryLink(dialog), 0);
    EXPECT_EQ(LinkState, LINK_OPEN);
    std::vector<WireByte> wire = SettledWire(pad);
    EXPECT_EQ(Bytes(wire, true), "\r\r") << "the stand-in on COM21, the far end of COM1";
    EXPECT_EQ(Bytes(wire, false), "OK\r\nOK\r\n");
    ASSERT_EQ(portOpens.size(), 2u) << "the stand-in's COM21 and the tool's port";
    const PortOpen& open = portOpens[1];
    EXPECT_EQ(open.path, "\\\\.\\COM1");
    EXPECT_EQ(open.access, (DWORD)(GENERIC_READ | GENERIC_WRITE));
    EXPECT_EQ(open.share, 0u) << "the port is not shared";
    EXPECT_EQ(open.security, nullptr);
    EXPECT_EQ(open.disposition, (DWORD)OPEN_EXISTING);
    EXPECT_EQ(open.flags, (DWORD)FILE_ATTRIBUTE_NORMAL) << "synchronous I/O";
    EXPECT_EQ(open.templateFile, nullptr);
    EXPECT_EQ(open.result, portHandle);
    EXPECT_TRUE(Held(open.result));
    EXPECT_TRUE(ShownBoxes().empty());
}

TEST_F(Link, ActionsWhileTheLinkIsOpenSendNoHandshake) {
    StartPad();
    Click(dialog, IDC_RELEASE_ALL);
    Click(dialog, IDC_RELEASE_ALL);
    std::vector<std::string> expected = {"", "", "btn_off", "btn_off"};
    EXPECT_EQ(ToolTexts(SettledWire(pad)), expected);
    EXPECT_EQ(TryLink(dialog), 0);
    EXPECT_EQ(ToolTexts(SettledWire(pad)), expected) << "a third use with the link open";
}

TEST_F(Link, EachHandshakeReadIsFollowedByAPauseOfAtLeast100ms) {
    PadSimConfig config;
    config.handshakeReply = "O" + std::string(63, '.');  // fills the first read: no time-out hides the pause
    StartPad(config);
    ASSERT_EQ(TryLink(dialog), 0);
    SendCommand("Ini_Disp", SEND_NO_PAUSE);
    std::vector<WireByte> wire = SettledWire(pad);
    std::vector<ToolLine> lines = ToolLines(wire);
    ASSERT_EQ(ToolTexts(wire), (std::vector<std::string>{"", "", "Ini_Disp"}));
    // Each read ends on the byte that fills it: the 64th of the first answer, the 4th of the second.
    double firstFilled = PadByteAfter(wire, lines[0].crMs, 64), secondFilled = PadByteAfter(wire, lines[1].crMs, 4);
    ASSERT_GE(firstFilled, 0);
    ASSERT_GE(secondFilled, 0);
    EXPECT_GE(lines[1].firstMs - firstFilled, 100.0) << "ms from the first read to the second carriage return";
    EXPECT_GE(lines[2].firstMs - secondFilled, 100.0) << "ms from the second read to the first command";
}

struct HandshakeCase {
    const char* reply;  // to every lone carriage return
    Misbehaviour misbehaviour;
    bool passes;
};

TEST_F(Link, HandshakePassesOnOFirstOrKSecondOnly) {
    const HandshakeCase cases[] = {
        {"OK\r\n", BEHAVE_WELL, true},   {"Ox\r\n", BEHAVE_WELL, true},  {"O", BEHAVE_WELL, true},
        {"xK\r\n", BEHAVE_WELL, true},   {"oK\r\n", BEHAVE_WELL, true},
        {"OK\r\n", BEHAVE_SILENT_AFTER, true} /* only the first carriage return answered */,
        {"ok\r\n", BEHAVE_WELL, false},  {"o", BEHAVE_WELL, false},      {"KO\r\n", BEHAVE_WELL, false},
        {"NG\r\n", BEHAVE_WELL, false},  {"\r\n", BEHAVE_WELL, false},   {"OK\r\n", BEHAVE_GARBAGE, false},
        {"OK\r\n", BEHAVE_FLOOD, false} /* the second read brings flood bytes */,
    };
    for (const HandshakeCase& c : cases) {
        PadSimConfig config;
        config.handshakeReply = c.reply;
        config.misbehaviour = c.misbehaviour;
        config.silentAfter = 1;
        FreshPad(config);
        EnableAllEditControls(dialog);
        std::vector<ControlState> before = Controls(dialog);
        portOpens.clear();
        std::string name = "reply \"" + std::string(c.reply) + "\", misbehaviour " + std::to_string(c.misbehaviour);
        EXPECT_EQ(TryLink(dialog), c.passes ? 0 : 1) << name;
        EXPECT_EQ(LinkState, c.passes ? LINK_OPEN : LINK_FAILED) << name;
        EXPECT_EQ(ToolBytes(SettledWire(pad)), "\r\r") << name;
        EXPECT_EQ(Closes(LastToolPort()), c.passes ? 0 : 1) << name << ": closes of the port";
        EXPECT_TRUE(ShownBoxes().empty()) << name << ": a failed handshake shows no box";
        ExpectSameControls(before, Controls(dialog), name);
        EXPECT_EQ(crByte, CARRIAGE_RETURN) << name;
        NotifyPortList(dialog, CBN_SELCHANGE);
    }
}

TEST_F(Link, HandshakeJudgesOnlyWhatItsOwnReadsBrought) {
    const char* stale[] = {"", "OK\r\n", "O", "xK"};  // left in ackBuffer by earlier exchanges
    PadSimConfig config;
    config.misbehaviour = BEHAVE_SILENT;
    StartPad(config);
    for (const char* left : stale) {
        memcpy(ackBuffer, left, strlen(left));
        double start = PadSimNow(pad);
        EXPECT_EQ(TryLink(dialog), 1) << "silent pad, ackBuffer held \"" << left << "\"";
        EXPECT_EQ(LinkState, LINK_FAILED) << "ackBuffer held \"" << left << "\"";
        EXPECT_EQ(Closes(LastToolPort()), 1) << "ackBuffer held \"" << left << "\"";
        EXPECT_GE(PadSimNow(pad) - start, 1000.0) << "two empty reads and two pauses of 100 ms";
    }
    EXPECT_EQ(ToolBytes(SettledWire(pad)), std::string(8, '\r'));
    EXPECT_TRUE(ShownBoxes().empty());
}

// --- Which port is opened. ---

TEST_F(Link, RowTenOpensComTen) {
    StartOtherPad(PadSimConfig(), 10);
    SelectPortRow(dialog, 9);
    EXPECT_EQ(TryLink(dialog), 0);
    EXPECT_EQ(ToolBytes(SettledWire(otherPad)), "\r\r") << "the stand-in on COM30";
    ASSERT_FALSE(portOpens.empty());
    EXPECT_EQ(portOpens.back().path, "\\\\.\\COM10");
    EXPECT_TRUE(Held(LastToolPort()));
}

struct TypedPort {
    const char* text;
    int pair;  // 0: names none of the ten ports
};

TEST_F(Link, TypedTextOpensOnlyAPortItNames) {
    const TypedPort cases[] = {{"COM1", 1}, {" com1 ", 1}, {"\tCoM10 ", 10}, {"COM11", 0}, {"COM0", 0},
                               {"", 0},     {"COM", 0},    {"COM1x", 0},     {"1", 0},     {"COM 1", 0}};
    StartPad();
    StartOtherPad(PadSimConfig(), 10);
    HWND list = GetDlgItem(dialog, IDC_PORT_LIST);
    for (const TypedPort& c : cases) {
        std::string name = "typed \"" + std::string(c.text) + "\"";
        SendMessageA(list, CB_SETCURSEL, (WPARAM)-1, 0);
        SetWindowTextA(list, c.text);
        NotifyPortList(dialog, CBN_EDITCHANGE);
        ASSERT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), CB_ERR) << name;
        ClearWire(pad);
        ClearWire(otherPad);
        size_t boxes = ShownBoxes().size();
        EXPECT_EQ(TryLink(dialog), c.pair ? 0 : 1) << name;
        EXPECT_EQ(LinkState, c.pair ? LINK_OPEN : LINK_FAILED) << name;
        EXPECT_EQ(ToolBytes(SettledWire(pad)), c.pair == 1 ? "\r\r" : "") << name;
        EXPECT_EQ(ToolBytes(SettledWire(otherPad)), c.pair == 10 ? "\r\r" : "") << name;
        EXPECT_EQ(ShownBoxes().size(), boxes + (c.pair ? 0 : 1)) << name;
        NotifyPortList(dialog, CBN_EDITCHANGE);
    }
}

// --- Open failures. ---

TEST_F(Link, MissingPortShowsTheBoxOncePerAttemptAndDisablesEditing) {
    RelayDown(1);
    const char earlier[] = "OK\r\nleft by earlier exchanges";
    memcpy(ackBuffer, earlier, sizeof earlier);
    EnableAllEditControls(dialog);
    EXPECT_EQ(TryLink(dialog), 1);
    ASSERT_EQ(ShownBoxes().size(), 1u);
    ExpectOpenFailedBox(ShownBoxes()[0], dialog);
    EXPECT_EQ(ackBuffer[0], 0);
    EXPECT_EQ(std::string((char*)ackBuffer + 1, sizeof earlier - 1), std::string(earlier + 1, sizeof earlier - 1))
        << "only the first byte is zeroed";
    for (int id : EditControls()) EXPECT_FALSE(IsEnabled(dialog, id)) << "control " << id;
    EXPECT_EQ(LinkState, LINK_FAILED);
    EXPECT_FALSE(Held(LastToolPort())) << "no handle is held";

    Click(dialog, IDC_RELEASE_ALL);  // the next action tries again
    ASSERT_EQ(ShownBoxes().size(), 2u) << "one box per attempt";
    ExpectOpenFailedBox(ShownBoxes()[1], dialog);
    EXPECT_EQ(LinkState, LINK_FAILED);
}

// Wine does not enforce share modes on serial devices (the open's share
// mode is checked above); Windows does.
bool PortsAreExclusive(void) {
    HANDLE first = OpenPortHere("COM3", 0), second = OpenPortHere("COM3", 0);
    bool exclusive = first != INVALID_HANDLE_VALUE && second == INVALID_HANDLE_VALUE;
    if (first != INVALID_HANDLE_VALUE) CloseHandle(first);
    if (second != INVALID_HANDLE_VALUE) CloseHandle(second);
    return exclusive;
}

TEST_F(Link, PortHeldByAnotherHandleCannotBeOpened) {
    if (!PortsAreExclusive()) GTEST_SKIP() << "this platform lets two handles hold one serial port";
    StartPad();
    HANDLE other = OpenPortHere("COM1", FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_EQ(TryLink(dialog), 1);
    EXPECT_EQ(LinkState, LINK_FAILED);
    ASSERT_EQ(ShownBoxes().size(), 1u);
    ExpectOpenFailedBox(ShownBoxes()[0], dialog);
    CloseHandle(other);
    EXPECT_EQ(ToolBytes(SettledWire(pad)), "");
}

// --- Line settings and time-outs. ---

// The tool's end of the pair set to other settings than the tool's own.
void UnsettlePort(const char* name) {
    HANDLE port = OpenPortHere(name, 0);
    ASSERT_NE(port, INVALID_HANDLE_VALUE);
    DCB dcb = {};
    dcb.DCBlength = sizeof dcb;
    GetCommState(port, &dcb);
    dcb.BaudRate = CBR_19200;  // a pty keeps 8 bits and no parity whatever is asked
    dcb.StopBits = TWOSTOPBITS;
    dcb.fOutxCtsFlow = TRUE;
    dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
    dcb.XonChar = 0x12;
    dcb.XoffChar = 0x14;
    SetCommState(port, &dcb);
    DCB back = {};
    back.DCBlength = sizeof back;
    GetCommState(port, &back);
    CloseHandle(port);
    ASSERT_EQ(back.BaudRate, (DWORD)CBR_19200) << "the port kept no setting of its own";
    ASSERT_EQ(back.StopBits, TWOSTOPBITS) << "the port kept no setting of its own";
}

// The record with the eight fields the tool sets cleared, for comparing the rest.
DCB WithoutLineFields(DCB dcb) {
    dcb.BaudRate = 0;
    dcb.ByteSize = dcb.Parity = dcb.StopBits = 0;
    dcb.fOutxCtsFlow = dcb.fOutxDsrFlow = dcb.fDtrControl = dcb.fRtsControl = 0;
    return dcb;
}

void ExpectLineFields(const DCB& dcb, const char* which) {
    EXPECT_EQ(dcb.BaudRate, 9600u) << which;
    EXPECT_EQ(dcb.ByteSize, 8) << which;
    EXPECT_EQ(dcb.Parity, NOPARITY) << which;
    EXPECT_EQ(dcb.StopBits, ONESTOPBIT) << which;
    EXPECT_EQ(dcb.fOutxCtsFlow, 0u) << which;
}

TEST_F(Link, LineSettingsChangeOnlyTheirFieldsOfThePortsRecord) {
    UnsettlePort("COM1");
    StartPad();
    RecordPortSettings();
    ASSERT_EQ(TryLink(dialog), 0);
    RestoreImports();
    ASSERT_EQ(statesRead.size(), 1u);
    ASSERT_EQ(statesWritten.size(), 1u);
    const DCB &read = statesRead[0], &written = statesWritten[0];
    EXPECT_EQ(read.BaudRate, (DWORD)CBR_19200) << "the tool read the port's own settings";
    ExpectLineFields(written, "record written");
    EXPECT_EQ(written.fOutxDsrFlow, 0u);
    EXPECT_EQ(written.fDtrControl, (DWORD)DTR_CONTROL_DISABLE);
    EXPECT_EQ(written.fRtsControl, (DWORD)RTS_CONTROL_DISABLE);
    DCB readRest = WithoutLineFields(read), writtenRest = WithoutLineFields(written);
    EXPECT_EQ(memcmp(&readRest, &writtenRest, sizeof(DCB)), 0) << "a field the tool does not own was changed";
    EXPECT_EQ(written.XonChar, 0x12);

    DCB back = {};
    back.DCBlength = sizeof back;
    GetCommState(portHandle, &back);
    ExpectLineFields(back, "read back from the port");
}

TEST_F(Link, ApplyLineSettingsTouchesNothingElse) {
    for (int fill : {0x00, 0xFF, 0x5A}) {
        DCB dcb, expected;
        memset(&dcb, fill, sizeof dcb);
        memset(&expected, fill, sizeof expected);
        expected.BaudRate = 9600;
        expected.ByteSize = 8;
        expected.Parity = expected.StopBits = 0;
        expected.fOutxCtsFlow = expected.fOutxDsrFlow = expected.fDtrControl = expected.fRtsControl = 0;
        ApplyLineSettings(&dcb);
        EXPECT_EQ(memcmp(&dcb, &expected, sizeof dcb), 0) << "record filled with 0x" << std::hex << fill;
    }
}

void ExpectUsualTimeouts(const COMMTIMEOUTS& t, const char* which) {
    EXPECT_EQ(t.ReadIntervalTimeout, 300u) << which;
    EXPECT_EQ(t.ReadTotalTimeoutConstant, 500u) << which;
    EXPECT_EQ(t.WriteTotalTimeoutConstant, 500u) << which;
    EXPECT_EQ(t.ReadTotalTimeoutMultiplier, PORT_READ_MULTIPLIER) << which;
    EXPECT_EQ(t.WriteTotalTimeoutMultiplier, PORT_WRITE_MULTIPLIER) << which;
}

TEST_F(Link, TimeoutsAre300And500WithTheMultipliersKept) {
    StartPad();
    RecordPortSettings();
    ASSERT_EQ(TryLink(dialog), 0);
    RestoreImports();
    ASSERT_EQ(timeoutsWritten.size(), 1u);
    ExpectUsualTimeouts(timeoutsWritten[0], "record written");
    COMMTIMEOUTS back = {};
    GetCommTimeouts(portHandle, &back);
    ExpectUsualTimeouts(back, "read back from the port");
}

TEST_F(Link, RestartWaitTakesALateReplyThenRestoresTheUsualTimeouts) {
    PadSimConfig config;
    config.rebootDelayMs = 1000;
    StartPad(config);
    RecordPortSettings();
    ASSERT_EQ(TryLink(dialog), 0);
    SendCommand("reboot");
    double start = PadSimNow(pad);
    EXPECT_EQ(AwaitRestartReply(), 12) << "the pad's count, sent a second after the acknowledgement";
    EXPECT_GE(PadSimNow(pad) - start, 900.0);
    RestoreImports();
    ASSERT_EQ(timeoutsWritten.size(), 3u) << "open, into the wait, out of it";
    const COMMTIMEOUTS& wait = timeoutsWritten[1];
    EXPECT_EQ(wait.ReadIntervalTimeout, 25000u);
    EXPECT_EQ(wait.ReadTotalTimeoutConstant, 25000u);
    EXPECT_EQ(wait.WriteTotalTimeoutConstant, 500u);
    EXPECT_EQ(wait.ReadTotalTimeoutMultiplier, PORT_READ_MULTIPLIER);
    EXPECT_EQ(wait.WriteTotalTimeoutMultiplier, PORT_WRITE_MULTIPLIER);
    ExpectUsualTimeouts(timeoutsWritten[2], "after the wait");
    COMMTIMEOUTS back = {};
    GetCommTimeouts(portHandle, &back);
    ExpectUsualTimeouts(back, "read back after the wait");
}

TEST_F(Link, AnUnansweredCommandWaitsOutTheTotalTimeoutThenPauses) {
    PadSimConfig config;
    config.misbehaviour = BEHAVE_SILENT;
    OpenThenSwapPad(config);
    SendCommand("btn_off");
    SendCommand("Ini_Disp", SEND_NO_PAUSE);
    std::vector<ToolLine> lines = ToolLines(SettledWire(pad));
    ASSERT_EQ(lines.size(), 2u);
    double gap = lines[1].firstMs - lines[0].crMs;
    EXPECT_GE(gap, 450.0) << "ms from the carriage return to the next command";
    EXPECT_LT(gap, 5000.0) << "the read did not end";
    EXPECT_FALSE(AckOk());
}

// --- Replies spread over time. ---

struct GapCase {
    int gapMs;  // between the acknowledgement's bytes
    bool whole; // "OK" arrives within one read
};

TEST_F(Link, OnlyAGapLongerThanTheIntervalEndsARead) {
    const GapCase cases[] = {{200, true}, {450, false}};
    for (const GapCase& c : cases) {
        PadSimConfig config;
        config.byteGapMs = c.gapMs;
        OpenThenSwapPad(config);
        SendCommand("btn_off");
        EXPECT_EQ(AckOk(), c.whole) << c.gapMs << " ms apart: ackBuffer \"" << std::string((char*)ackBuffer, 4) << "\"";
        EXPECT_EQ(ackBuffer[0], 'O') << c.gapMs << " ms apart";
        Sleep(c.gapMs);  // the stand-in has sent the second byte too
        std::vector<WireByte> wire = WireSnapshot(pad);
        double first = PadByteAfter(wire, 0, 1), second = PadByteAfter(wire, 0, 2);
        EXPECT_GE(second - first, c.gapMs - 10.0) << "the stand-in sent the bytes together";
        NotifyPortList(dialog, CBN_SELCHANGE);
        StopPadSim(pad);
        RelayUp(1);  // the rest of the slow answer must not reach the next case
    }
}

TEST_F(Link, PacedAt9600BaudTheLinkOpensAndValuesArrive) {
    PadSimConfig config;
    config.paced = true;
    config.state.masks[0] = 0xA5;
    StartPad(config);
    ASSERT_EQ(TryLink(dialog), 0);
    EXPECT_EQ(QueryValue("btn_num?"), 12);
    EXPECT_EQ(QueryValue("b_num?"), 0xA5);
    double previous = -1;
    int paced = 0;
    for (const WireByte& b : WireSnapshot(pad)) {
        if (b.fromTool) continue;
        if (previous >= 0 && b.ms - previous >= 0.8) paced++;
        previous = b.ms;
    }
    EXPECT_GE(paced, 20) << "the stand-in's bytes were not paced";
}

// --- The pad going away while the link is open. ---

TEST_F(Link, PadThatHangsUpIsNotAcknowledgedAndTheLinkStaysOpen) {
    PadSimConfig config;
    config.hangUpAfter = 4;  // hangs up on the fourth line, unanswered
    StartPad(config);
    ASSERT_EQ(TryLink(dialog), 0);
    SendCommand("btn_off");
    EXPECT_TRUE(AckOk());
    SendCommand("btn_off");
    EXPECT_FALSE(AckOk()) << "an acknowledgement that never came";
    EXPECT_EQ(QueryValue("btn_num?"), NO_VALUE);
    EXPECT_EQ(LinkState, LINK_OPEN) << "nothing notices the pad is gone";
}

TEST_F(Link, UnpluggedPadFailsTheWriteAndTheNextOpen) {
    StartOtherPad(PadSimConfig(), 2);
    SelectPortRow(dialog, 1);
    ASSERT_EQ(TryLink(dialog), 0);
    RelayDown(2);
    EXPECT_EQ(SendCommand("btn_off", SEND_ACK_IF_CR_WRITTEN), 0) << "the carriage return was written";
    EXPECT_EQ(LinkState, LINK_OPEN);
    NotifyPortList(dialog, CBN_SETFOCUS);
    EXPECT_EQ(LinkState, LINK_CLOSED);
    EXPECT_EQ(TryLink(dialog), 1);
    ASSERT_EQ(ShownBoxes().size(), 1u);
    ExpectOpenFailedBox(ShownBoxes()[0], dialog);
}

// --- The port list and closing. ---

TEST_F(Link, AnyPortListNotificationClosesTheLink) {
    const int codes[] = {CBN_SELCHANGE, CBN_DBLCLK, CBN_SETFOCUS, CBN_KILLFOCUS, CBN_EDITCHANGE, CBN_EDITUPDATE};
    StartPad();
    for (int code : codes) {
        ClearWire(pad);
        ASSERT_EQ(TryLink(dialog), 0) << "notification " << code;
        EXPECT_EQ(ToolBytes(SettledWire(pad)), "\r\r") << "a new handshake before notification " << code;
        SetDlgItemTextA(dialog, IDC_STATUS, Cp932("接続").c_str());
        NotifyPortList(dialog, code);
        EXPECT_EQ(LinkState, LINK_CLOSED) << "notification " << code;
        EXPECT_EQ(ControlText(dialog, IDC_STATUS), Cp932("未接続")) << "notification " << code;
        EXPECT_EQ(Closes(LastToolPort()), 1) << "notification " << code;
    }
}

TEST_F(Link, NotificationAfterAFailedHandshakeClosesNothing) {
    PadSimConfig config;
    config.handshakeReply = "NG\r\n";
    StartPad(config);
    ASSERT_EQ(TryLink(dialog), 1);
    HANDLE port = LastToolPort();
    ASSERT_EQ(Closes(port), 1) << "the failed handshake closes its port once";
    NotifyPortList(dialog, CBN_SELCHANGE);
    EXPECT_EQ(Closes(port), 1) << "the notification closed the handle again";
    EXPECT_EQ(LinkState, LINK_CLOSED);
    EXPECT_EQ(ControlText(dialog, IDC_STATUS), Cp932("未接続"));
}

enum Before { LINK_OPENED, HANDSHAKE_FAILED, LIST_TOUCHED };

struct MainWindowCase {
    const char* name;
    Before before;
    bool closeFirst;  // WM_CLOSE before the window is destroyed
};

HWND MakeMainWindow(void) {
    static bool registered = RegisterMainWindowClass();
    (void)registered;
    return CreateMainWindow();
}

void DropQuitMessage(void) {
    MSG message;
    while (PeekMessageA(&message, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

TEST_F(Link, MainWindowClosesThePortOnlyWhileTheLinkIsOpen) {
    const MainWindowCase cases[] = {
        {"open, WM_CLOSE then destroyed", LINK_OPENED, true},
        {"open, destroyed", LINK_OPENED, false},
        {"handshake failed, WM_CLOSE then destroyed", HANDSHAKE_FAILED, true},
        {"port list touched, WM_CLOSE then destroyed", LIST_TOUCHED, true},
    };
    for (const MainWindowCase& c : cases) {
        PadSimConfig config;
        if (c.before == HANDSHAKE_FAILED) config.handshakeReply = "NG\r\n";
        StartPad(config);
        TryLink(dialog);
        HANDLE port = LastToolPort();
        if (c.before == LIST_TOUCHED) NotifyPortList(dialog, CBN_KILLFOCUS);
        int closedBefore = Closes(port);
        HWND main = MakeMainWindow();
        ASSERT_NE(main, nullptr) << c.name;
        if (c.closeFirst) SendMessageA(main, WM_CLOSE, 0, 0);
        if (c.closeFirst && c.before == LINK_OPENED) {
            EXPECT_EQ(LinkState, LINK_CLOSED) << c.name;
        }
        DestroyWindow(main);
        DropQuitMessage();
        EXPECT_EQ(Closes(port) - closedBefore, c.before == LINK_OPENED ? 1 : 0) << c.name << ": closes of the port";
        EXPECT_NE(LinkState, LINK_OPEN) << c.name;

        StartPad();  // no exchange uses the closed handle: the next one opens anew
        EXPECT_EQ(TryLink(dialog), 0) << c.name;
        EXPECT_EQ(ToolBytes(SettledWire(pad)), "\r\r") << c.name;
        NotifyPortList(dialog, CBN_SELCHANGE);
    }
}

TEST_F(Link, DestroyingTheDialogLeavesThePortOpen) {
    StartPad();
    ASSERT_EQ(TryLink(dialog), 0);
    DestroyWindow(dialog);
    EXPECT_EQ(LinkState, LINK_OPEN);
    EXPECT_TRUE(Held(LastToolPort()));
}

}  // namespace
