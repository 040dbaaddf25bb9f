// A command row's run checked against the row, the same way by the Windows
// table and the native one: each harness runs the shipped program its own
// way and hands over what it saw. No system types.
#ifndef PADCONFIG_COMMAND_CHECK_H
#define PADCONFIG_COMMAND_CHECK_H

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "transcript_text.h"
#include "version.h"
#include "wire_text.h"

// What a harness saw of one run.
struct CommandSeen {
    int exit;
    std::string out, err;  // each stream alone; a shell's launch: what reached its pipe, and the console
    std::optional<std::string> transcript;  // the run's --log, when it was given one
    std::string port;                       // the pad's port, as the transcript names it
    std::vector<WireByte> wire;             // what the pad's stand-in saw
};

// What the row expects, its placeholders filled.
struct CommandExpected {
    int exit;
    std::optional<std::string> printed;  // all the run wrote, exactly
    std::string said;                    // else: its lines, on the one line the run wrote
    std::string onScreen;                // a line on the console
    bool shell;                          // a shell's launch: its pipe and console are checked instead of the streams
};

// COMn of the tool's end of pair n.
inline int ComOfPair(int pair) { return pair <= 10 ? pair : pair == 11 ? 12 : 33; }

// Every run keeps a transcript, from which its rows learn how many bytes to
// wait for: the row's own LOG, or one added here unless it names a log.
inline std::string WithLog(const char* args) { return strstr(args, "--log") ? args : std::string(args) + " --log LOG"; }

// What a row says the run prints, filled: FILE and LONG the profile's paths,
// SAID the row's text, USAGE and VERSION the tool's.
inline std::string FilledPrinted(std::string printed, const std::string& file, const std::string& longFile,
                                 const std::string& said, const std::string& usage) {
    Replace(printed, "FILE", file);  // first: the usage names FILE too
    Replace(printed, "LONG", longFile);
    Replace(printed, "SAID", said);
    Replace(printed, "USAGE", usage);
    Replace(printed, "VERSION", VERSION_TEXT);
    return printed;
}

// The transcript's bytes of one direction while port was open: a search
// opens many.
inline std::string BytesOfPort(const std::string& transcript, const std::string& port, char direction) {
    std::string bytes;
    bool open = false;
    for (const Burst& burst : TranscribedBursts(transcript)) {
        if (burst.direction == WIRE_NOTE) open = burst.bytes == port + " opened" || (open && burst.bytes != "port closed");
        else if (open && burst.direction == direction) bytes += burst.bytes;
    }
    return bytes;
}

// The bytes the run wrote to port: what its stand-in must see before the
// wire is judged, or the row's own wire when that is longer.
inline size_t BytesToAwait(const std::optional<std::string>& transcript, const std::string& port, const char* wire) {
    size_t sent = transcript ? BytesOfPort(*transcript, port, WIRE_SENT).size() : 0;
    return sent > strlen(wire) ? sent : strlen(wire);
}

// The exit code; a run that exits 0 writes only on standard output, any
// other only on standard error; what it wrote; the transcript against the wire.
inline void CheckCommandRun(const CommandSeen& seen, const CommandExpected& expected) {
    EXPECT_EQ(seen.exit, expected.exit) << seen.out << seen.err;
    bool failed = expected.exit != 0;
    if (!expected.shell)
        EXPECT_EQ(failed ? seen.out : seen.err, "") << (failed ? "standard output" : "standard error") << " of a run that exits "
                                                    << expected.exit;
    const std::string& written = failed && !expected.shell ? seen.err : seen.out;
    if (expected.printed) EXPECT_EQ(written, *expected.printed);
    std::string said = expected.said + "\n";
    for (size_t line = 0, end; !expected.printed && (end = said.find('\n', line)) != std::string::npos; line = end + 1)
        EXPECT_NE(written.find(said.substr(line, end - line)), std::string::npos) << written;
    if (!expected.said.empty() && !expected.printed) EXPECT_EQ(Count(written, "\n"), 1) << written;
    if (!expected.onScreen.empty()) EXPECT_NE(seen.err.find(expected.onScreen), std::string::npos) << seen.err;
    if (!seen.transcript) return;
    EXPECT_EQ(BytesOfPort(*seen.transcript, seen.port, WIRE_SENT), ToolBytes(seen.wire)) << "the transcript's bytes to the pad";
    // A search also reads what other ports' relays held from before: one port only.
    if (expected.printed && Count(TranscribedNotes(*seen.transcript), " opened") == 1)
        EXPECT_EQ(BytesOfPort(*seen.transcript, seen.port, WIRE_RECEIVED), ToolBytes(seen.wire, false)) << "the transcript's bytes from it";
}

#endif
