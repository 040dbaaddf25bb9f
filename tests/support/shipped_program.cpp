#include "shipped_program.h"

#include <windows.h>

static std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    wide.resize(MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &wide[0], (int)wide.size()) - 1);
    return wide;
}

// What is left to read from a file or a pipe; the handle is closed.
static std::string ReadAll(HANDLE handle) {
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (handle != INVALID_HANDLE_VALUE && ReadFile(handle, buffer, sizeof buffer, &got, NULL) && got) text.append(buffer, got);
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    return text;
}

std::string FileText(const std::wstring& path, unsigned long offset) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    SetFilePointer(file, (LONG)offset, NULL, FILE_BEGIN);
    return ReadAll(file);
}

// Bytes as a shell decodes them: in its console's output code page; as they
// are (UTF-8) with none.
static std::string AsShellReads(const std::string& bytes, UINT codePage) {
    if (!codePage || codePage == CP_UTF8 || bytes.empty()) return bytes;
    std::wstring wide(bytes.size(), L'\0');
    wide.resize(MultiByteToWideChar(codePage, 0, bytes.data(), (int)bytes.size(), &wide[0], (int)wide.size()));
    std::string text(wide.size() * 3, '\0');
    text.resize(WideCharToMultiByte(CP_UTF8, 0, wide.data(), (int)wide.size(), &text[0], (int)text.size(), NULL, NULL));
    return text;
}

// This program keeps on through the Ctrl+C it raises for the run.
static BOOL WINAPI KeepOn(DWORD) { return TRUE; }

// Ctrl+C on the console, as a user's key raises it for every process there,
// once due() holds. Wine raises no Ctrl+Break for a process group.
static void InterruptWhenDue(const PROCESS_INFORMATION& process, const std::function<bool()>& due) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < 10000; Sleep(2))
        if (due() || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) break;
    SetConsoleCtrlHandler(KeepOn, TRUE);
    GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
}

// The program from beside this one, with the streams startup names; its exit
// code, or -1 when it had not ended within the time.
static int RunBeside(const wchar_t* program, const std::string& arguments, STARTUPINFOW& startup, int timeoutMs,
                     const std::function<bool()>& due = nullptr, DWORD flags = 0) {
    wchar_t folder[MAX_PATH];
    GetModuleFileNameW(NULL, folder, MAX_PATH);
    *wcsrchr(folder, L'\\') = 0;
    std::wstring command = L"\"" + std::wstring(folder) + L"\\" + program + L"\" " + Wide(arguments);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    PROCESS_INFORMATION process = {};
    DWORD code = (DWORD)-1;
    if (!CreateProcessW(NULL, &command[0], NULL, NULL, TRUE, flags, NULL, NULL, &startup, &process)) return -2;
    if (due) InterruptWhenDue(process, due);
    if (WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0 || !GetExitCodeProcess(process.hProcess, &code))
        TerminateProcess(process.hProcess, 99), code = (DWORD)-1;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return (int)code;
}

// An inheritable file of the temporary folder for a run's stream.
static HANDLE StreamFile(const wchar_t* name, std::wstring* path) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    *path = std::wstring(folder) + name;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
    return CreateFileW(path->c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, NULL);
}

static HANDLE OwnConsole(void);

static ProgramRun RunWithStreamFiles(const std::string& arguments, int timeoutMs, const wchar_t* program,
                                     const std::function<bool()>& due) {
    std::wstring paths[2];
    STARTUPINFOW startup = {};
    startup.hStdOutput = StreamFile(L"padconfig-output.txt", &paths[0]);
    startup.hStdError = StreamFile(L"padconfig-error.txt", &paths[1]);
    ProgramRun run;
    // Windows gives a windowed program no console of its parent's, Wine does:
    // it is kept without one, as on Windows, unless it runs on the console.
    run.exit = RunBeside(program, arguments, startup, timeoutMs, due, due ? 0 : DETACHED_PROCESS);
    CloseHandle(startup.hStdOutput), CloseHandle(startup.hStdError);
    std::string* streams[2] = {&run.output, &run.error};
    for (int i = 0; i < 2; i++)
        *streams[i] = AsShellReads(FileText(paths[i]), due ? GetConsoleOutputCP() : 0);
    return run;
}

ProgramRun RunPadconfig(const std::string& arguments, int timeoutMs, const wchar_t* program) {
    return RunWithStreamFiles(arguments, timeoutMs, program, nullptr);
}

ProgramRun RunPadconfigInterrupted(const std::string& arguments, const std::function<bool()>& due) {
    OwnConsole();
    return RunWithStreamFiles(arguments, 15000, L"padconfig.com", due);
}

// A console of this program's own, whatever it was started with; its own
// standard handles stay as they were.
static HANDLE OwnConsole(void) {
    static HANDLE screen = INVALID_HANDLE_VALUE;
    if (screen != INVALID_HANDLE_VALUE) return screen;
    HANDLE kept[3] = {GetStdHandle(STD_INPUT_HANDLE), GetStdHandle(STD_OUTPUT_HANDLE), GetStdHandle(STD_ERROR_HANDLE)};
    FreeConsole();
    AllocConsole();
    SetStdHandle(STD_INPUT_HANDLE, kept[0]), SetStdHandle(STD_OUTPUT_HANDLE, kept[1]), SetStdHandle(STD_ERROR_HANDLE, kept[2]);
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
    screen = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                         OPEN_EXISTING, 0, NULL);
    return screen;
}

static DWORD ScreenSize(HANDLE screen) {
    CONSOLE_SCREEN_BUFFER_INFO info = {};
    GetConsoleScreenBufferInfo(screen, &info);
    return (DWORD)info.dwSize.X * (DWORD)info.dwSize.Y;
}

static std::string ScreenText(HANDLE screen) {
    std::wstring text(ScreenSize(screen), L' ');
    DWORD got = 0;
    ReadConsoleOutputCharacterW(screen, &text[0], (DWORD)text.size(), COORD{0, 0}, &got);
    std::string bytes(text.size() * 3 + 1, '\0');
    bytes.resize(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)got, &bytes[0], (int)bytes.size(), NULL, NULL));
    return bytes;
}

ProgramRun RunPadconfigAs(const std::string& arguments, ShellLaunch launch) {
    HANDLE screen = OwnConsole(), reading, writing;
    DWORD cleared;
    FillConsoleOutputCharacterW(screen, L' ', ScreenSize(screen), COORD{0, 0}, &cleared);
    SetConsoleCursorPosition(screen, COORD{0, 0});
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
    CreatePipe(&reading, &writing, &inherit, 0);
    SetHandleInformation(reading, HANDLE_FLAG_INHERIT, 0);
    if (launch == CLOSED_PIPE_AND_CONSOLE) CloseHandle(reading), reading = INVALID_HANDLE_VALUE;
    UINT codePage = GetConsoleOutputCP();
    if (launch == PIPE_IN_CODE_PAGE_932) SetConsoleOutputCP(932);
    bool console = launch != PIPES_WITHOUT_CONSOLE;
    STARTUPINFOW startup = {};
    startup.hStdOutput = writing;
    startup.hStdError = launch == PIPE_NO_ERROR ? NULL : console ? screen : writing;
    ProgramRun run;  // it writes far less than a pipe holds
    run.exit = RunBeside(L"padconfig.exe", arguments, startup, 15000, nullptr, console ? 0 : DETACHED_PROCESS);
    CloseHandle(writing);
    run.output = AsShellReads(ReadAll(reading), console ? GetConsoleOutputCP() : 0);
    run.screen = ScreenText(screen);
    SetConsoleOutputCP(codePage);
    return run;
}
