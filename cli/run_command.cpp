// Each run opens the pad's port, does one thing, closes the port, and ends
// with an exit code; the file a run reads is checked before any port opens.
#include "run_command.h"

#include <cstdio>
#include <cwchar>

#include "../link/find_pad.h"
#include "../link/interruption.h"
#include "../link/transcript.h"
#include "../link/serial_link.h"
#include "../profile/profile.h"
#include "../texts/load_text.h"
#include "../texts/messages.h"
#include "../texts/wide_text.h"
#include "console.h"
#include "version.h"

constexpr int NAME_ROOM = PATH_SIZE + 4;  // a file's name and ": " before a message
static wchar_t message[NAME_ROOM + MESSAGE_SIZE];
static char profileText[PROFILE_TEXT_MAX];
static char portName[PORT_PATH_SIZE];

// The message's lines as one: a break after a colon or a sentence's end
// becomes a blank, any other "; ".
static bool EndsClause(wchar_t c) { return c == L':' || c == L'.' || c == L'：' || c == L'。'; }

static void PrintOneLine(OutputStream stream, const wchar_t* text = message) {
    static wchar_t line[MESSAGE_SIZE];
    int length = 0;
    for (const wchar_t* at = text; *at && length < MESSAGE_SIZE - 3; at++) {
        if (*at != L'\n') line[length++] = *at;
        else if (at > text && EndsClause(at[-1])) line[length++] = L' ';
        else line[length++] = L';', line[length++] = L' ';
    }
    line[length] = 0;
    PrintLine(stream, line);
}

// The text with its arguments as one line on the stream; returns the code.
// An interrupted run says only that (RunCommandLine): what failed after the
// interruption failed because of it.
static int Report(int code, OutputStream stream, unsigned text, ...) {
    if (LinkInterrupted()) return code;
    va_list arguments;
    va_start(arguments, text);
    message[0] = 0;
    AppendTextList(message, text, arguments);
    va_end(arguments);
    PrintOneLine(stream);
    return code;
}

// A port's name as texts take it.
static const wchar_t* Shown(const char* name) {
    static wchar_t shown[3][PORT_PATH_SIZE];  // a message takes up to three
    static int next;
    next = (next + 1) % 3;
    WidenBytes(name, shown[next], PORT_PATH_SIZE);
    return shown[next];
}

// A read that failed: the port went away, or what answered is no pad.
static int ReadFailure(void) {
    if (LinkState != LINK_OPEN) return Report(EXIT_PORT, STANDARD_ERROR, TEXT_LINK_LOST, Shown(portName));
    return Report(EXIT_NOT_A_PAD, STANDARD_ERROR, TEXT_NOT_A_PAD, Shown(portName));
}

int ReportFileFailure(unsigned text, const wchar_t* path, unsigned long error) {
    message[0] = 0;
    AppendFileFailure(message, text, path, error);
    PrintOneLine(STANDARD_ERROR);
    return EXIT_USAGE;
}

// A device the user may not open: the group that would let them, when known.
static int ReportDenied(const char* name) {
    char group[64];
    if (!GroupOfPort(name, group, sizeof group)) return Report(EXIT_PORT, STANDARD_ERROR, TEXT_PORT_UNUSABLE, Shown(name));
    return Report(EXIT_PORT, STANDARD_ERROR, TEXT_PORT_DENIED, Shown(name), Shown(group), Shown(group));
}

// A search where no pad answered: a port it could not open is perhaps the pad's.
static int ReportNoPad(const RefusedPort& refused) {
    if (refused.name[0] && refused.why == PORT_DENIED) return ReportDenied(refused.name);
    if (refused.name[0]) return Report(EXIT_PORT, STANDARD_ERROR, TEXT_PORT_IN_USE, Shown(refused.name));
    return Report(EXIT_NOT_A_PAD, STANDARD_ERROR, TEXT_NO_PAD);
}

// The named port, else the first that answers as a pad.
static int OpenPad(const Arguments& arguments) {
    RefusedPort refused;
    snprintf(portName, sizeof portName, "%s", arguments.port);
    if (!*portName && !FindPad(portName, &refused)) return ReportNoPad(refused);
    switch (OpenPortLink(portName)) {
    case PORT_READY: return EXIT_DONE;
    case PORT_IN_USE: return Report(EXIT_PORT, STANDARD_ERROR, TEXT_PORT_IN_USE, Shown(portName));
    case PORT_UNUSABLE: return Report(EXIT_PORT, STANDARD_ERROR, TEXT_PORT_UNUSABLE, Shown(portName));
    case PORT_DENIED: return ReportDenied(portName);
    default: return Report(EXIT_NOT_A_PAD, STANDARD_ERROR, TEXT_NOT_A_PAD, Shown(portName));
    }
}

static int ReadToProfile(const Arguments& arguments) {
    PadSettings pad;
    if (!ReadPadProfile(&pad)) return ReadFailure();
    size_t length = FormatProfile(pad, profileText, sizeof profileText);
    if (arguments.print) PrintBytes(profileText, length);
    unsigned long error = arguments.save ? WriteProfileFile(arguments.save, profileText, length) : 0;
    return error ? ReportFileFailure(TEXT_SAVE_FAILED, arguments.save, error) : EXIT_DONE;
}

// The file, whole and checked; EXIT_DONE when it holds a profile. A fault
// is told after the file's name, as compilers tell theirs.
static int ReadProfileArgument(const wchar_t* path, PadSettings* profile) {
    int named = FormatText(message, NAME_ROOM, L"%ls: ", path);
    ProfileLoad load = LoadProfileFile(path, profile, message + named);
    if (load == PROFILE_LOADED) return EXIT_DONE;
    PrintOneLine(STANDARD_ERROR, load == PROFILE_FAULTY ? message : message + named);
    return EXIT_USAGE;
}

static int ApplyToPad(const Arguments& arguments, const PadSettings& wanted) {
    PadSettings pad;
    ApplyResult result = ApplyProfileToPad(wanted, arguments.restartOk, &pad);
    if (result == APPLY_UNREAD) return ReadFailure();
    if (result == APPLY_RESTART_FAILED) return Report(EXIT_RESTART, STANDARD_ERROR, TEXT_REBOOT_FAILED);
    bool countKept = result == APPLY_COUNT_KEPT;
    message[0] = 0;
    int differences = AppendDifferences(message, wanted, pad, countKept);
    if (countKept) AppendText(message, TEXT_RESTART_HINT, wanted.buttons);
    bool done = differences == 0 && !countKept;
    PrintOneLine(done ? STANDARD_OUTPUT : STANDARD_ERROR);
    return done ? EXIT_DONE : EXIT_DIFFERS;
}

static int ReleaseAll(void) {
    int crWritten = SendCommand(CMD_RELEASE_ALL, SEND_ACK_IF_CR_WRITTEN);
    if (LinkState != LINK_OPEN) return ReadFailure();
    if (!crWritten || !AckOk()) return Report(EXIT_NOT_A_PAD, STANDARD_ERROR, TEXT_NOT_RELEASED);
    return Report(EXIT_DONE, STANDARD_OUTPUT, TEXT_RELEASED);
}

// A pad's line of the list, on its open link: "COM5 12". A pad that does not
// tell its count is left out.
static bool ListPad(const char* name, void* listed) {
    int count = QueryValue(CMD_COUNT);
    if (count == NO_VALUE) return false;
    wchar_t line[PORT_PATH_SIZE + 16];
    FormatText(line, PORT_PATH_SIZE + 16, L"%ls %d", Shown(name), ShownCount(count));
    PrintLine(STANDARD_OUTPUT, line);
    ++*(int*)listed;
    return false;  // on to the next port
}

// Every port of the search, or the one named.
static int ListPads(const Arguments& arguments) {
    int listed = 0;
    char found[PORT_PATH_SIZE];
    RefusedPort refused;
    if (*arguments.port) {
        int code = OpenPad(arguments);
        if (code != EXIT_DONE) return code;
        if (PadIsReady()) ListPad(portName, &listed);
        code = listed ? EXIT_DONE : ReadFailure();
        CloseLink();
        return code;
    }
    VisitPads(ListPad, &listed, found, &refused);
    return listed ? EXIT_DONE : ReportNoPad(refused);
}

static int RunOnPad(const Arguments& arguments) {
    if (arguments.mode == RUN_LIST) return ListPads(arguments);
    PadSettings wanted;
    int code = arguments.mode == RUN_APPLY ? ReadProfileArgument(arguments.apply, &wanted) : EXIT_DONE;
    if (code == EXIT_DONE) code = OpenPad(arguments);
    if (code != EXIT_DONE) return code;
    if (arguments.mode == RUN_READ) code = ReadToProfile(arguments);
    else if (arguments.mode == RUN_APPLY) code = ApplyToPad(arguments, wanted);
    else code = ReleaseAll();
    CloseLink();
    return code;
}

// The usage text, whole, on a line of its own: it is longer than a line of
// AppendText.
static void AppendUsage(wchar_t* to) {
    int length = (int)wcslen(to);
    if (length) to[length++] = L'\n';
    LoadText(TEXT_USAGE, to + length, MESSAGE_SIZE - length);
}

void FormatRefusal(wchar_t* to, unsigned text, const wchar_t* word, bool withUsage) {
    to[0] = 0;
    AppendText(to, text, word);
    if (withUsage) AppendLine(to, L""), AppendUsage(to);
}

int ReportRefusal(unsigned text, const wchar_t* word, bool withUsage) {
    message[0] = 0;
    AppendText(message, text, word);
    PrintOneLine(STANDARD_ERROR);
    if (withUsage) message[0] = 0, AppendUsage(message), PrintLine(STANDARD_ERROR, message);
    return EXIT_USAGE;
}

static int RunChosenMode(const Arguments& arguments) {
    if (arguments.mode == RUN_HELP) {
        message[0] = 0;
        AppendUsage(message);
        PrintLine(STANDARD_OUTPUT, message);
        return EXIT_DONE;
    }
    if (arguments.mode == RUN_VERSION) {
        PrintLine(STANDARD_OUTPUT, L"padconfig " WIDE(VERSION_TEXT));
        return EXIT_DONE;
    }
    return RunOnPad(arguments);
}

// A run whose output was lost did not do what its caller asked; a failed
// run keeps the code that says why. An interrupted run has given its port
// back and closed the link by now, whatever it had done.
int RunCommandLine(const Arguments& arguments) {
    int code = RunChosenMode(arguments);
    if (LinkInterrupted()) {
        RecordNote("interrupted");
        message[0] = 0;
        AppendText(message, TEXT_INTERRUPTED);
        PrintOneLine(STANDARD_ERROR);
        return EXIT_INTERRUPTED;
    }
    if (code != EXIT_DONE || !WriteFailed()) return code;
    return Report(EXIT_USAGE, STANDARD_ERROR, TEXT_OUTPUT_FAILED);
}
