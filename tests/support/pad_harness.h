// The pad stand-in on the far end of a serial pair, and what it saw.
#ifndef TESTS_PAD_HARNESS_H
#define TESTS_PAD_HARNESS_H

#include <string>
#include <vector>

#include "pad_sim.h"

// Pair n joins the tool's COMn to the stand-in's COM(20+n).
bool StartPadOnPair(PadSim& sim, int pair);

// One line the tool sent: the bytes up to a carriage return (not included).
struct ToolLine {
    std::string text;
    double firstMs;  // its first byte
    double crMs;     // its carriage return
};
std::vector<ToolLine> ToolLines(const std::vector<WireByte>& wire);
std::vector<std::string> ToolTexts(const std::vector<WireByte>& wire);
// Every byte the tool sent, as one string.
std::string ToolBytes(const std::vector<WireByte>& wire);
// When the stand-in sent its last byte before a moment (-1 when none).
double LastPadByteBefore(const std::vector<WireByte>& wire, double ms);

// Ends or restarts the relay of a pair: the tool's COMn then cannot be
// opened, and writes on a COMn already open fail.
void RelayDown(int pair);
void RelayUp(int pair);

// Waits, handling this thread's messages, until done() or the time is up.
bool WaitFor(bool (*done)(void*), void* context, int timeoutMs);

#endif
