#include "pad_harness.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "dialog_harness.h"

bool StartPadOnPair(PadSim& sim, int pair) {
    char name[16];
    snprintf(name, sizeof name, "COM%d", 20 + pair);
    return StartPadSim(sim, name);
}

std::vector<ToolLine> ToolLines(const std::vector<WireByte>& wire) {
    std::vector<ToolLine> lines;
    ToolLine current{"", -1, -1};
    for (const WireByte& b : wire) {
        if (!b.fromTool) continue;
        if (current.firstMs < 0) current.firstMs = b.ms;
        if (b.byte == '\r') {
            current.crMs = b.ms;
            lines.push_back(current);
            current = {"", -1, -1};
        } else {
            current.text += (char)b.byte;
        }
    }
    return lines;
}

std::vector<std::string> ToolTexts(const std::vector<WireByte>& wire) {
    std::vector<std::string> texts;
    for (const ToolLine& line : ToolLines(wire)) texts.push_back(line.text);
    return texts;
}

std::string ToolBytes(const std::vector<WireByte>& wire) {
    std::string bytes;
    for (const WireByte& b : wire)
        if (b.fromTool) bytes += (char)b.byte;
    return bytes;
}

double LastPadByteBefore(const std::vector<WireByte>& wire, double ms) {
    double last = -1;
    for (const WireByte& b : wire)
        if (!b.fromTool && b.ms < ms) last = b.ms;
    return last;
}

PadState MakePadState(int count, int direction, int b, int c, int d, int e) {
    PadState state;
    state.buttonCount = count;
    state.direction = direction;
    state.masks[0] = b, state.masks[1] = c, state.masks[2] = d, state.masks[3] = e;
    return state;
}

PadState TwelveButtonPad(void) { return MakePadState(12, 5, 0x05, 0x0C, 0x01, 0x80); }

std::string WireOf(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r";
    return bytes;
}

std::vector<WireByte> SettledWire(PadSim& pad) {
    Sleep(60);  // whatever the tool wrote last has reached the stand-in
    return WireSnapshot(pad);
}

double PadByteAfter(const std::vector<WireByte>& wire, double ms, int n) {
    for (const WireByte& b : wire)
        if (!b.fromTool && b.ms >= ms && --n == 0) return b.ms;
    return -1;
}

void ExpectPausesAfterAnswers(const std::vector<WireByte>& wire) {
    std::vector<ToolLine> lines = ToolLines(wire);
    for (size_t i = 1; i < lines.size(); i++) {
        double answered = LastPadByteBefore(wire, lines[i].firstMs);
        if (answered < lines[i - 1].crMs) continue;
        EXPECT_GE(lines[i].firstMs - answered, 14.0) << "pause before line " << i << " \"" << lines[i].text << "\"";
    }
}

void StartDialogAndPad(std::unique_ptr<PadSim>& sim, HWND& dialog, const PadSimConfig& config) {
    StopDialogAndPad(sim, dialog);
    sim.reset(new PadSim);
    sim->config = config;
    ASSERT_TRUE(StartPadOnPair(*sim, 1));
    dialog = CreateConfigDialog();
    ASSERT_NE(dialog, nullptr);
}

void StopDialogAndPad(std::unique_ptr<PadSim>& sim, HWND& dialog) {
    if (dialog) DestroyConfigDialog(dialog);
    dialog = NULL;
    if (sim) StopPadSim(*sim);
    sim.reset();
}

bool BreakLink(HWND dialog, PadSim& sim, LinkFault fault) {
    if (fault == NO_SUCH_PORT) {
        SendDlgItemMessageA(dialog, 1016, CB_SETCURSEL, (WPARAM)-1, 0);
        SetDlgItemTextA(dialog, 1016, "COM99");
    }
    Click(dialog, 1016);  // the port list closes the link
    if (fault == PAD_SILENT) {
        std::lock_guard<std::mutex> guard(sim.lock);
        sim.config.misbehaviour = BEHAVE_SILENT;
    } else if (fault == RELAY_ENDED) {
        RelayDown(1);
        return true;
    }
    return false;
}

// The relays are run by scripts/serial-pairs, which takes requests as files.
static void RequestRelay(const char* what, int pair) {
    const char* ports = getenv("PADCONFIG_PORTS");
    if (!ports) return;
    char path[MAX_PATH];
    snprintf(path, sizeof path, "Z:%s/ctl/%s-%d", ports, what, pair);
    for (char* p = path; *p; p++)
        if (*p == '/') *p = '\\';
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    CloseHandle(file);
    for (int i = 0; i < 250 && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; i++) Sleep(20);
}

void RelayDown(int pair) { RequestRelay("down", pair); }
void RelayUp(int pair) { RequestRelay("up", pair); }

bool WaitFor(bool (*done)(void*), void* context, int timeoutMs) {
    DWORD start = GetTickCount();
    while (!done(context)) {
        if ((int)(GetTickCount() - start) > timeoutMs) return false;
        PumpMessages();
        Sleep(5);
    }
    return true;
}
