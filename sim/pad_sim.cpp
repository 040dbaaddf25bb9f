#include "pad_sim.h"

#include <cstring>

#include "../link/clock.h"

static const double BYTE_MS_AT_9600 = 10.0 * 1000.0 / 9600.0;  // start, 8 data and stop bit
// Longer than any gap within one of the tool's actions (a read's time-outs
// and the pauses): after that, the stand-in counts as idle.
static const double EXCHANGE_QUIET_MS = 1000;

double PadSimNow(PadSim& sim) {
    return ClockMs() - sim.startedMs;
}

static void Record(PadSim& sim, double ms, bool fromTool, unsigned char byte) {
    sim.lastByteMs = ms;
    std::lock_guard<std::mutex> guard(sim.lock);
    sim.wire.push_back({ms, fromTool, byte});
}

// Queues an answer after whatever is queued, spaced as the configuration says.
static void Queue(PadSim& sim, const std::string& bytes, double delayMs = 0) {
    double step = sim.config.byteGapMs > 0 ? sim.config.byteGapMs : sim.config.paced ? BYTE_MS_AT_9600 : 0;
    double due = PadSimNow(sim) + delayMs;
    if (!sim.outbox.empty() && sim.outbox.back().first + step > due) due = sim.outbox.back().first + step;
    for (char byte : bytes) {
        sim.outbox.push_back({due, (unsigned char)byte});
        due += step;
    }
}

static const char GARBAGE[] = {'\0', '\\', '\n', (char)0x8F, (char)0xFF, 'Z', (char)0x81, '\\'};

static std::string AckText(PadSim& sim) { return sim.config.misbehaviour == BEHAVE_NAK ? "NG\r\n" : "OK\r\n"; }

static std::string ValueText(PadSim& sim, const std::string& query, int value) {
    auto custom = sim.config.valueReplies.find(query);
    return custom != sim.config.valueReplies.end() ? custom->second : ValueReply(value);
}

static bool Answers(PadSim& sim) {
    switch (sim.config.misbehaviour) {
    case BEHAVE_SILENT: return false;
    case BEHAVE_SILENT_AFTER: return sim.linesSeen <= sim.config.silentAfter;
    default: return true;
    }
}

static void Send(PadSim& sim, const std::string& answer, double delayMs = 0) {
    if (sim.config.misbehaviour == BEHAVE_GARBAGE) return Queue(sim, std::string(GARBAGE, sizeof GARBAGE), delayMs);
    Queue(sim, answer, delayMs);
    if (sim.config.misbehaviour == BEHAVE_FLOOD) Queue(sim, std::string(200, '#'), delayMs);
}

static bool Ignored(PadSim& sim, const std::string& line) {
    return sim.config.ignoredGroup && line.size() > 8 && line.compare(0, 7, "buttom_") == 0 &&
           line[7] == sim.config.ignoredGroup && line[8] == '=';
}

static void AnswerLine(PadSim& sim, const std::string& line) {
    sim.linesSeen++;
    if (!Answers(sim)) return;
    if (line.empty()) return Send(sim, sim.config.handshakeReply);
    if (Ignored(sim, line)) return Send(sim, AckText(sim));
    Answer answer;
    {
        std::lock_guard<std::mutex> guard(sim.lock);
        answer = ApplyCommand(sim.config.state, line);
    }
    switch (answer.kind) {
    case ANSWER_VALUE: return Send(sim, "OK\r\n" + ValueText(sim, line, answer.value));
    case ANSWER_ACK: return Send(sim, AckText(sim));
    case ANSWER_UNKNOWN: return Send(sim, "NG\r\n");
    case ANSWER_REBOOT:
        Send(sim, AckText(sim));
        if (sim.config.rebootDelayMs >= 0)
            Send(sim, sim.config.rebootReply.empty() ? ValueReply(answer.value) : sim.config.rebootReply,
                 sim.config.rebootDelayMs);
    }
}

static void Receive(PadSim& sim, const unsigned char* bytes, int count, double ms) {
    for (int i = 0; i < count; i++) {
        Record(sim, ms, true, bytes[i]);
        if (bytes[i] != '\r') {
            sim.line += (char)bytes[i];
            continue;
        }
        std::string line;
        line.swap(sim.line);
        AnswerLine(sim, line);
        if (sim.config.hangUpAfter >= 0 && sim.linesSeen >= sim.config.hangUpAfter) {
            CloseSerialPort(sim.port);
            sim.port = nullptr;
            return;
        }
    }
}

static void SendDue(PadSim& sim) {
    while (!sim.outbox.empty() && sim.outbox.front().first <= PadSimNow(sim)) {
        unsigned char byte = sim.outbox.front().second;
        WriteSerialPort(sim.port, &byte, 1);
        Record(sim, PadSimNow(sim), false, byte);
        sim.outbox.erase(sim.outbox.begin());
    }
}

// A poll ends early for the next byte due out. Long waits keep an idle
// stand-in from loading a busy machine with a call every millisecond; during
// an exchange the waits are short, since a poll does not always return as
// soon as a byte arrives (under Wine it often waits out its time), which
// would delay every answer.
static unsigned PollWaitMs(PadSim& sim) {
    if (sim.outbox.empty()) return PadSimNow(sim) - sim.lastByteMs < EXCHANGE_QUIET_MS ? 1 : 20;
    double due = sim.outbox.front().first - PadSimNow(sim) - 12;
    return due < 1 ? 1 : due > 20 ? 20 : (unsigned)due;
}

static void Run(PadSim& sim) {
    while (!sim.stopping && sim.port) {
        SendDue(sim);
        if (!sim.outbox.empty() && sim.outbox.front().first - PadSimNow(sim) < 12) {
            PauseMs(0);  // close to the next byte's time: keep the spacing exact
            continue;
        }
        unsigned char bytes[256];
        int got = PollSerialPort(sim.port, bytes, sizeof bytes, PollWaitMs(sim));
        if (got > 0) Receive(sim, bytes, got, PadSimNow(sim));
        else if (SerialDeviceGone(sim.port)) PauseMs(1);  // the other end has gone: wait for the stop
    }
}

bool StartPadSim(PadSim& sim, const char* portName) {
    OpenResult result;
    sim.port = OpenSerialPort(portName, false, &result);  // the pad's end is not the link's to claim
    if (!sim.port) return false;
    sim.startedMs = ClockMs();
    sim.stopping = false;
    sim.worker = std::thread(Run, std::ref(sim));
    return true;
}

void StopPadSim(PadSim& sim) {
    sim.stopping = true;
    if (sim.worker.joinable()) sim.worker.join();
    CloseSerialPort(sim.port);
    sim.port = nullptr;
}

std::vector<WireByte> WireSnapshot(PadSim& sim) {
    std::lock_guard<std::mutex> guard(sim.lock);
    return sim.wire;
}

PadState StateSnapshot(PadSim& sim) {
    std::lock_guard<std::mutex> guard(sim.lock);
    return sim.config.state;
}

void ClearWire(PadSim& sim) {
    std::lock_guard<std::mutex> guard(sim.lock);
    sim.wire.clear();
}
