// A serial pair made of two pseudo-terminals and a relay between their
// masters, as socat makes one, for the native tests and benchmark: the tool
// opens one slave by its path, the stand-in the other. Pulling the cable
// closes the tool's master, and its device hangs up.
#ifndef PADCONFIG_PTY_PAIR_H
#define PADCONFIG_PTY_PAIR_H

#include <atomic>
#include <string>
#include <thread>

struct Pair {
    int toolMaster = -1, toolSlave = -1, padMaster = -1, padSlave = -1;
    std::string toolPath, padPath;
    std::thread relay;
    std::atomic<bool> running{true};
    // The relay pulls the cable once the tool's bytes it passes on complete
    // this text, right after passing them: the tool never writes past them.
    std::atomic<const char*> pullAt{nullptr};
    std::atomic<double> pulledAt{0};  // ClockMs() of the pull
    // Once the tool's bytes passed on complete this text, right after passing
    // them, the run (signalTo, its process id) gets these signals, one after
    // the other, as a user's Ctrl+C would reach it.
    std::atomic<const char*> signalAt{nullptr};
    std::atomic<int> signalTo{0};
    int signals[2] = {0, 0};
    std::string passed;               // the relay's: the tool's bytes passed on
};

bool StartPair(Pair* pair);
void StopPair(Pair* pair);

#endif
