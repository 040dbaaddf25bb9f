#include "wire_text.h"

#include <cstdlib>

#include "clock.h"
#include "transcript_text.h"

std::vector<WireByte> SettledWire(PadSim& pad, size_t sent) {
    double start = ClockMs();
    std::vector<WireByte> wire = WireSnapshot(pad);
    while (ClockMs() - start < 10000 && ToolBytes(wire).size() < sent) PauseMs(5), wire = WireSnapshot(pad);
    for (double quietFrom = PadSimNow(pad); ClockMs() - start < 10000;) {
        if (!wire.empty() && wire.back().ms > quietFrom) quietFrom = wire.back().ms;
        if (PadSimNow(pad) - quietFrom >= 50) break;
        PauseMs(5), wire = WireSnapshot(pad);
    }
    return wire;
}

std::string ToolBytes(const std::vector<WireByte>& wire, bool fromTool) {
    std::string bytes;
    for (const WireByte& b : wire)
        if (b.fromTool == fromTool) bytes += (char)b.byte;
    return bytes;
}

// Each line: a 23-character stamp, a blank, the direction, a blank, the bytes.
template <typename Take> static void EachLine(const std::string& text, char direction, Take take) {
    for (size_t line = 0, end; (end = text.find("\r\n", line)) != std::string::npos; line = end + 2)
        if (end - line >= 26 && text[line + 24] == direction) take(line + 26, end);
}

static std::string Unescaped(const std::string& text, size_t at, size_t end) {
    std::string bytes;
    for (; at < end; at++) {
        if (text[at] != '\\') { bytes += text[at]; continue; }
        char c = text[++at];
        bytes += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 'x' ? (char)std::stoi(text.substr(at + 1, 2), nullptr, 16) : c;
        if (c == 'x') at += 2;
    }
    return bytes;
}

std::string TranscribedBytes(const std::string& text, char direction) {
    std::string bytes;
    EachLine(text, direction, [&](size_t at, size_t end) { bytes += Unescaped(text, at, end); });
    return bytes;
}

// Stamps read "2026-12-07 03:01:02.123"; the lines stand in time order.
std::vector<Burst> TranscribedBursts(const std::string& text) {
    std::vector<Burst> bursts;
    for (size_t line = 0, end; (end = text.find("\r\n", line)) != std::string::npos; line = end + 2) {
        if (end - line < 26) continue;
        const char* stamp = text.c_str() + line + 11;
        double ms = ((atoi(stamp) * 60 + atoi(stamp + 3)) * 60 + atoi(stamp + 6)) * 1000.0 + atoi(stamp + 9);
        char direction = text[line + 24];
        std::string bytes = direction == WIRE_NOTE ? text.substr(line + 26, end - line - 26) : Unescaped(text, line + 26, end);
        bursts.push_back({ms, direction, bytes});
    }
    return bursts;
}

std::string TranscribedNotes(const std::string& text) {
    std::string notes;
    EachLine(text, WIRE_NOTE, [&](size_t at, size_t end) { notes += (notes.empty() ? "" : "; ") + text.substr(at, end - at); });
    return notes;
}

int Count(const std::string& text, const std::string& part) {
    int found = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) found++;
    return found;
}

void Replace(std::string& text, const std::string& word, const std::string& by) {
    for (size_t at = 0; (at = text.find(word, at)) != std::string::npos; at += by.size()) text.replace(at, word.size(), by);
}
