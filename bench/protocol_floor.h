// The floor of each pad action: what the protocol forces, whatever the
// implementation (the fixed pauses, the read time-outs that the byte counts
// force, the stand-in's bytes at 9600 baud). No system types: the Windows and
// the native benchmarks share it.
#ifndef PADCONFIG_PROTOCOL_FLOOR_H
#define PADCONFIG_PROTOCOL_FLOOR_H

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "serial_link.h"

const double BYTE_MS = 10.0 * 1000.0 / 9600.0;  // start bit, 8 data bits, stop bit
const double ACK_MS = 4 * BYTE_MS;               // "OK\r\n"
const double INTERVAL_MS = READ_INTERVAL_MS;     // a read of 64 that gets 4 waits this out
const double PAUSE_MS = EXCHANGE_PAUSE_MS;

inline double Command(bool pause = true) { return ACK_MS + (pause ? PAUSE_MS : 0); }
// Acknowledgement and a six-byte value, sent back to back; the value has
// arrived by the end of the pause unless the line is slower than that.
inline double Query() { return ACK_MS + PAUSE_MS + std::max(0.0, 10 * BYTE_MS - ACK_MS - PAUSE_MS) + PAUSE_MS; }
inline double Drain() { return ACK_MS + INTERVAL_MS + PAUSE_MS; }
inline double Handshake() { return ACK_MS + INTERVAL_MS + HANDSHAKE_PAUSE_MS + ACK_MS + HANDSHAKE_PAUSE_MS; }
inline double Read() { return Drain() + 2 * Query() + Drain() + 5 * Query() + Command(false); }
inline double PressAll() { return 5 * Command(); }
inline double ReleaseAll() { return Command(); }
// Count, "reboot" and its prompt reply (as a query), the nested read and
// release-all with their pauses, "Ini_Disp"; the clock stops at the box.
inline double Restart() {
    return Drain() + Command() + Query() + Read() + PAUSE_MS + ReleaseAll() + PAUSE_MS + Command(false);
}

// The file's direction and four masks as the edits send them, then the read.
inline double ApplyProfile() { return 5 * Command() + Read(); }

inline double FirstRead() { return Handshake() + Read(); }

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The runs of one row. A run that did not end with the exit code it should
// have spoils the row: its figure is never printed as a result.
struct Runs {
    std::vector<double> ms;
    int failed = 0;
};
inline bool Spoiled(const Runs& runs) { return runs.failed || runs.ms.empty(); }
// The row's measured cell: the median, or the failure.
inline std::string Measured(const Runs& runs) {
    char text[64];
    if (Spoiled(runs)) snprintf(text, sizeof text, "FAILED: %d of %zu runs", runs.failed, runs.ms.size());
    else snprintf(text, sizeof text, "%.1f", Median(runs.ms));
    return text;
}
// The bound's cell: the bound, and whether the median is within it; empty
// when either row it comes from failed.
inline std::string Judged(const Runs& runs, const Runs& startup, double floor) {
    if (Spoiled(runs) || Spoiled(startup)) return "";
    double bound = floor * 1.05 + Median(startup.ms);
    char text[64];
    snprintf(text, sizeof text, "%.1f, %s", bound, Median(runs.ms) <= bound ? "within" : "OVER");
    return text;
}

#endif
