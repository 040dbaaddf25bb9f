#include "pad_harness.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

bool StartPadOnPair(PadSim& sim, int pair) {
    char name[16];
    snprintf(name, sizeof name, "COM%d", 20 + pair);
    return StartPadSim(sim, name);
}

static std::string PortsPath(const char* name) {
    const char* ports = getenv("PADCONFIG_PORTS");
    std::string path = std::string("Z:") + (ports ? ports : "") + "/" + name;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

static bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The relays are run by scripts/serial-pairs, which takes requests as files.
static void RequestRelay(const char* what, int pair) {
    std::string name = "ctl/" + std::string(what) + "-" + std::to_string(pair), path = PortsPath(name.c_str());
    std::string failed = PortsPath(("ctl/failed-" + std::to_string(pair)).c_str());
    DeleteFileA(failed.c_str());
    CloseHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    for (int i = 0; i < 750 && Exists(path); i++) Sleep(20);
    if (Exists(path)) ADD_FAILURE() << "the relays did not take the request " << name << " within 15 s";
    if (Exists(failed)) ADD_FAILURE() << "relay " << pair << " did not come up";
}

void RelayDown(int pair) { RequestRelay("down", pair); }
void RelayUp(int pair) { RequestRelay("up", pair); }

