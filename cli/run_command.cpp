// Each run opens the pad's port, does one thing, closes the port, and ends
// with an exit code; the file a run reads is checked before any port opens.
#include "run_command.h"

#include "../dialog/texts.h"
#include "../link/find_pad.h"
#include "../link/serial_link.h"
#include "../profile/profile.h"
#include "../shell/app.h"
#include "console.h"
#include "version.h"

constexpr int NAME_ROOM = PATH_SIZE + 4;  // a file's name and ": " before a message
static WCHAR message[NAME_ROOM + MESSAGE_SIZE];
static char profileText[PROFILE_TEXT_MAX];
static int portNumber;

// The message's lines as one: a break after a colon or a sentence's end
// becomes a blank, any other "; ".
static bool EndsClause(WCHAR c) { return c == L':' || c == L'.' || c == L'：' || c == L'。'; }

static void PrintOneLine(DWORD stream, const WCHAR* text = message) {
    WCHAR line[MESSAGE_SIZE];
    int length = 0;
    for (const WCHAR* at = text; *at && length < MESSAGE_SIZE - 3; at++) {
        if (*at != L'\n') line[length++] = *at;
        else if (at > text && EndsClause(at[-1])) line[length++] = L' ';
        else line[length++] = L';', line[length++] = L' ';
    }
    line[length] = 0;
    PrintLine(stream, line);
}

// The text with its arguments as one line on the stream; returns the code.
static int Report(int code, DWORD stream, UINT text, ...) {
    va_list arguments;
    va_start(arguments, text);
    message[0] = 0;
    AppendTextList(message, text, arguments);
    va_end(arguments);
    PrintOneLine(stream);
    return code;
}

// A read that failed: the port went away, or what answered is no pad.
static int ReadFailure(void) {
    if (LinkState != LINK_OPEN) return Report(EXIT_PORT, STD_ERROR_HANDLE, TEXT_LINK_LOST, portNumber);
    return Report(EXIT_NOT_A_PAD, STD_ERROR_HANDLE, TEXT_NOT_A_PAD, portNumber);
}

int ReportFileFailure(UINT text, const WCHAR* path, DWORD error) {
    message[0] = 0;
    AppendFileFailure(message, text, path, error);
    PrintOneLine(STD_ERROR_HANDLE);
    return EXIT_USAGE;
}

// The named port, else the first that answers as a pad.
static int OpenPad(const Arguments& arguments) {
    int inUse = 0;
    portNumber = arguments.port ? arguments.port : FindPad(&inUse);
    if (!portNumber && inUse) return Report(EXIT_PORT, STD_ERROR_HANDLE, TEXT_PORT_IN_USE, inUse);  // perhaps the pad's
    if (!portNumber) return Report(EXIT_NOT_A_PAD, STD_ERROR_HANDLE, TEXT_NO_PAD);
    switch (OpenPortLink(portNumber)) {
    case PORT_READY: return EXIT_DONE;
    case PORT_IN_USE: return Report(EXIT_PORT, STD_ERROR_HANDLE, TEXT_PORT_IN_USE, portNumber);
    case PORT_UNUSABLE: return Report(EXIT_PORT, STD_ERROR_HANDLE, TEXT_PORT_UNUSABLE, portNumber);
    default: return Report(EXIT_NOT_A_PAD, STD_ERROR_HANDLE, TEXT_NOT_A_PAD, portNumber);
    }
}

static int ReadToProfile(const Arguments& arguments) {
    PadSettings pad;
    if (!ReadPadProfile(&pad)) return ReadFailure();
    DWORD length = (DWORD)FormatProfile(pad, profileText, sizeof profileText);
    if (arguments.print) PrintBytes(profileText, length);
    DWORD error = arguments.save ? WriteProfileFile(arguments.save, profileText, length) : 0;
    return error ? ReportFileFailure(TEXT_SAVE_FAILED, arguments.save, error) : EXIT_DONE;
}

// The file, whole and checked; EXIT_DONE when it holds a profile. A fault
// is told after the file's name, as compilers tell theirs.
static int ReadProfileArgument(const WCHAR* path, PadSettings* profile) {
    int named = FormatText(message, NAME_ROOM, L"%s: ", path);
    ProfileLoad load = LoadProfileFile(path, profile, message + named);
    if (load == PROFILE_LOADED) return EXIT_DONE;
    PrintOneLine(STD_ERROR_HANDLE, load == PROFILE_FAULTY ? message : message + named);
    return EXIT_USAGE;
}

static int ApplyToPad(const Arguments& arguments, const PadSettings& wanted) {
    PadSettings pad;
    ApplyResult result = ApplyProfileToPad(wanted, arguments.restartOk, &pad);
    if (result == APPLY_UNREAD) return ReadFailure();
    if (result == APPLY_RESTART_FAILED) return Report(EXIT_RESTART, STD_ERROR_HANDLE, TEXT_REBOOT_FAILED);
    bool countKept = result == APPLY_COUNT_KEPT;
    message[0] = 0;
    int differences = AppendDifferences(message, wanted, pad, countKept);
    if (countKept) AppendText(message, TEXT_RESTART_HINT, wanted.buttons);
    bool done = differences == 0 && !countKept;
    PrintOneLine(done ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    return done ? EXIT_DONE : EXIT_DIFFERS;
}

static int ReleaseAll(void) {
    int crWritten = SendCommand(CMD_RELEASE_ALL, SEND_ACK_IF_CR_WRITTEN);
    if (LinkState != LINK_OPEN) return ReadFailure();
    if (!crWritten || !AckOk()) return Report(EXIT_NOT_A_PAD, STD_ERROR_HANDLE, TEXT_NOT_RELEASED);
    return Report(EXIT_DONE, STD_OUTPUT_HANDLE, TEXT_RELEASED);
}

// A pad's line of the list, on its open link: "COM5 12". A pad that does not
// tell its count is left out.
static bool ListPad(int number, void* listed) {
    int count = QueryValue(CMD_COUNT);
    if (count == NO_VALUE) return false;
    WCHAR line[32];
    wsprintfW(line, L"COM%d %d", number, ShownCount(count));
    PrintLine(STD_OUTPUT_HANDLE, line);
    ++*(int*)listed;
    return false;  // on to the next port
}

// Every port of the search, or the one named.
static int ListPads(const Arguments& arguments) {
    int listed = 0, inUse = 0;
    if (arguments.port) {
        int code = OpenPad(arguments);
        if (code != EXIT_DONE) return code;
        if (PadIsReady()) ListPad(portNumber, &listed);
        code = listed ? EXIT_DONE : ReadFailure();
        CloseLink();
        return code;
    }
    VisitPads(ListPad, &listed, &inUse);
    if (listed) return EXIT_DONE;
    if (inUse) return Report(EXIT_PORT, STD_ERROR_HANDLE, TEXT_PORT_IN_USE, inUse);  // perhaps a pad's
    return Report(EXIT_NOT_A_PAD, STD_ERROR_HANDLE, TEXT_NO_PAD);
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

// The usage text, whole: it is longer than a line of AppendText.
static void AppendUsage(void) {
    int length = lstrlenW(message);
    if (length) message[length++] = L'\n';
    LoadStringW(hInstance, TEXT_USAGE, message + length, MESSAGE_SIZE - length);
}

int RefuseToStart(const Arguments& arguments, UINT text, const WCHAR* word, bool withUsage) {
    message[0] = 0;
    AppendText(message, text, word);
    if (arguments.mode == RUN_DIALOG && !(withUsage && HasConsole())) {
        if (withUsage) AppendLine(message, L""), AppendUsage();
        ShowTextMessage(NULL, message, TEXT_APP_CAPTION, MB_OK | MB_ICONERROR);
        return EXIT_USAGE;
    }
    PrintOneLine(STD_ERROR_HANDLE);
    if (withUsage) message[0] = 0, AppendUsage(), PrintLine(STD_ERROR_HANDLE, message);
    return EXIT_USAGE;
}

static int RunChosenMode(const Arguments& arguments) {
    if (arguments.mode == RUN_HELP) {
        message[0] = 0;
        AppendUsage();
        PrintLine(STD_OUTPUT_HANDLE, message);
        return EXIT_DONE;
    }
    if (arguments.mode == RUN_VERSION) {
        PrintLine(STD_OUTPUT_HANDLE, L"padconfig " WIDE(VERSION_TEXT));
        return EXIT_DONE;
    }
    return RunOnPad(arguments);
}

// A run whose output was lost did not do what its caller asked; a failed
// run keeps the code that says why.
int RunCommandLine(const Arguments& arguments) {
    int code = RunChosenMode(arguments);
    if (code != EXIT_DONE || !WriteFailed()) return code;
    return Report(EXIT_USAGE, STD_ERROR_HANDLE, TEXT_OUTPUT_FAILED);
}
