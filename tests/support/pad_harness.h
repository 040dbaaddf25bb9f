// The pad stand-in on the far end of a serial pair, and what it saw.
#ifndef TESTS_PAD_HARNESS_H
#define TESTS_PAD_HARNESS_H

#include <windows.h>

#include <memory>
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

// A pad of count buttons, direction code and the masks of groups b..e.
PadState MakePadState(int count, int direction, int b, int c, int d, int e);
// Twelve buttons, some set, direction down-right.
PadState TwelveButtonPad(void);

// The exact bytes of these lines: each text, then one carriage return.
std::string WireOf(const std::vector<std::string>& lines);
// What the stand-in saw, once the tool's last write has reached it.
std::vector<WireByte> SettledWire(PadSim& pad);
// When the stand-in sent its n-th byte (from 1) after a moment; -1 when it did not.
double PadByteAfter(const std::vector<WireByte>& wire, double ms, int n);
// Every line sent after an answer waits at least the exchange pause.
void ExpectPausesAfterAnswers(const std::vector<WireByte>& wire);

// A fresh stand-in so configured on pair 1 and a fresh dialog, whose default
// port is the tool's end of that pair; whatever ran before is stopped first.
void StartDialogAndPad(std::unique_ptr<PadSim>& sim, HWND& dialog, const PadSimConfig& config);
void StopDialogAndPad(std::unique_ptr<PadSim>& sim, HWND& dialog);

// Ways the link becomes unusable before an action: a port that is none of
// the list's rows, the relay of COM1 ended, a pad that no longer answers.
enum LinkFault { NO_SUCH_PORT, RELAY_ENDED, PAD_SILENT };
// Closes the link through the port list and sets up the fault; true when it
// ended the relay of pair 1, which the caller must restart.
bool BreakLink(HWND dialog, PadSim& sim, LinkFault fault);

// Waits, handling this thread's messages, until done() or the time is up.
bool WaitFor(bool (*done)(void*), void* context, int timeoutMs);

#endif
