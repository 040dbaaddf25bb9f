// padsim: the pad stand-in as a program of its own, for the demo and for
// trying the tool without a pad. It prints every byte on the wire. Its
// misbehaviours are the tests' own, set in their process.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "../link/clock.h"
#include "pad_sim.h"

static const char USAGE[] =
    "usage: padsim PORT [options]\n"
    "  PORT                  the pad's end of a serial pair: COM21, /dev/ttyUSB1, /dev/pts/3\n"
    "  --buttons N           button count (default 12)\n"
    "  --direction CODE      direction code (0 centre, 8 up, 9, 1, 5, 4, 6, 2, 11 up-left)\n"
    "  --masks B,C,D,E       the four button masks (decimal)\n"
    "  --reboot-delay MS     from \"reboot\" to the count reply (default 3000)\n"
    "  --seconds S           stop after S seconds (default: run until ended)\n";

static bool ParseOptions(int argc, char** argv, PadSimConfig& config, int* seconds) {
    config.rebootDelayMs = 3000;
    for (int i = 2; i < argc; i++) {
        const char* option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : NULL;
        if (!value) return false;
        i++;
        if (strcmp(option, "--buttons") == 0) config.state.buttonCount = atoi(value);
        else if (strcmp(option, "--direction") == 0) config.state.direction = atoi(value);
        else if (strcmp(option, "--masks") == 0) {
            if (sscanf(value, "%d,%d,%d,%d", &config.state.masks[0], &config.state.masks[1],
                       &config.state.masks[2], &config.state.masks[3]) != 4) return false;
        }
        else if (strcmp(option, "--reboot-delay") == 0) config.rebootDelayMs = atoi(value);
        else if (strcmp(option, "--seconds") == 0) *seconds = atoi(value);
        else return false;
    }
    return true;
}

// One line per burst of bytes in one direction, printable ASCII as it is.
static void PrintWire(const std::vector<WireByte>& wire, size_t from) {
    for (size_t i = from; i < wire.size(); i++) {
        if (i == from || wire[i].fromTool != wire[i - 1].fromTool || wire[i].ms - wire[i - 1].ms > 5)
            printf("%s%10.1f ms %s ", i == from ? "" : "\n", wire[i].ms, wire[i].fromTool ? "tool>" : "<pad ");
        unsigned char c = wire[i].byte;
        if (c == '\r') printf("\\r");
        else if (c == '\n') printf("\\n");
        else if (c >= 0x20 && c < 0x7F) putchar(c);
        else printf("\\x%02X", c);
    }
    if (from < wire.size()) printf("\n");
    fflush(stdout);
}

int main(int argc, char** argv) {
    static PadSim sim;
    int seconds = -1;
    if (argc < 2 || !ParseOptions(argc, argv, sim.config, &seconds)) {
        fputs(USAGE, stderr);
        return 2;
    }
    if (!StartPadSim(sim, argv[1])) {
        fprintf(stderr, "padsim: cannot open %s\n", argv[1]);
        return 1;
    }
    printf("padsim: a pad with %d buttons on %s\n", sim.config.state.buttonCount, argv[1]);
    fflush(stdout);
    size_t printed = 0;
    for (int waited = 0; seconds < 0 || waited < seconds * 10; waited++) {
        PauseMs(100);
        std::vector<WireByte> wire = WireSnapshot(sim);
        if (wire.empty() || PadSimNow(sim) - wire.back().ms < 50) continue;  // print whole exchanges
        PrintWire(wire, printed);
        printed = wire.size();
    }
    StopPadSim(sim);
    PrintWire(WireSnapshot(sim), printed);
    return 0;
}
