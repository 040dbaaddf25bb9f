// The pad stand-in on the far end of a serial pair, and what it saw.
#ifndef TESTS_PAD_HARNESS_H
#define TESTS_PAD_HARNESS_H

#include <windows.h>

#include <string>
#include <vector>

#include "pad_sim.h"
#include "wire_text.h"

// Pair n joins the tool's COMn (pair 11: COM12, pair 12: COM33) to the
// stand-in's COM(20+n).
bool StartPadOnPair(PadSim& sim, int pair);

// Ends or restarts the relay of a pair: the tool's COMn then cannot be
// opened, and writes on a COMn already open fail.
void RelayDown(int pair);
void RelayUp(int pair);

// A pad of count buttons, direction code and the masks of groups b..e.

#endif
