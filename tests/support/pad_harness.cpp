#include "pad_harness.h"

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
