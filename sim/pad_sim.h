// The pad stand-in: plays the pad's firmware on a serial port, on a thread of
// its own, and records every byte that passes with its time.
#ifndef PADSIM_PAD_SIM_H
#define PADSIM_PAD_SIM_H

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "../link/serial_port.h"
#include "pad_state.h"

enum Misbehaviour {
    BEHAVE_WELL,
    BEHAVE_SILENT,          // never answers anything
    BEHAVE_NAK,             // commands answered "NG" and two more bytes
    BEHAVE_GARBAGE,         // every answer replaced by bytes no pad sends
    BEHAVE_FLOOD,           // every answer followed by 200 more bytes
    BEHAVE_SILENT_AFTER     // answers silentAfter lines (lone CRs included), then nothing
};

struct PadSimConfig {
    PadState state;
    Misbehaviour misbehaviour = BEHAVE_WELL;
    std::string handshakeReply = "OK\r\n";  // the answer to a lone carriage return
    std::map<std::string, std::string> valueReplies;  // a query's raw value reply, instead of the state's
    int byteGapMs = 0;         // every answer byte on its own, this far apart
    bool paced = false;        // answers at the line's real 9600 baud
    int rebootDelayMs = 300;   // from "reboot" to the count; negative: never
    std::string rebootReply;   // sent instead of the count when not empty
    int silentAfter = -1;      // for BEHAVE_SILENT_AFTER
    int hangUpAfter = -1;      // closes the port after this many command lines
    char ignoredGroup = 0;     // 'a'..'e': "buttom_<group>=" acknowledged, the setting kept
};

struct WireByte {
    double ms;       // since the stand-in started
    bool fromTool;   // received (true) or sent by the stand-in (false)
    unsigned char byte;
};

struct PadSim {
    PadSimConfig config;
    SerialPort* port = nullptr;
    std::thread worker;
    std::atomic<bool> stopping{false};
    std::mutex lock;             // guards wire and state
    std::vector<WireByte> wire;
    double startedMs = 0;
    // Worker-only.
    std::string line;
    int linesSeen = 0;
    std::vector<std::pair<double, unsigned char>> outbox;  // due time, byte
    double lastByteMs = -1e9;    // the last byte received or sent
};

// Opens the port (the system's name: COM21, /dev/pts/3) and starts
// answering; false when it cannot open.
bool StartPadSim(PadSim& sim, const char* portName);
void StopPadSim(PadSim& sim);
double PadSimNow(PadSim& sim);
std::vector<WireByte> WireSnapshot(PadSim& sim);
PadState StateSnapshot(PadSim& sim);
void ClearWire(PadSim& sim);

#endif
