#include "pad_harness.h"

#include <cstdio>
#include <cstdlib>

bool StartPadOnPair(PadSim& sim, int pair) {
    char name[16];
    snprintf(name, sizeof name, "COM%d", 20 + pair);
    return StartPadSim(sim, name);
}

std::string ToolBytes(const std::vector<WireByte>& wire) {
    std::string bytes;
    for (const WireByte& b : wire)
        if (b.fromTool) bytes += (char)b.byte;
    return bytes;
}

std::vector<WireByte> SettledWire(PadSim& pad) {
    Sleep(60);  // whatever the tool wrote last has reached the stand-in
    return WireSnapshot(pad);
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

PadState MakePadState(int count, int direction, int b, int c, int d, int e) {
    PadState state;
    state.buttonCount = count;
    state.direction = direction;
    state.masks[0] = b, state.masks[1] = c, state.masks[2] = d, state.masks[3] = e;
    return state;
}
