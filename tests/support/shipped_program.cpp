#include "shipped_program.h"

#include <windows.h>

static std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    wide.resize(MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &wide[0], (int)wide.size()) - 1);
    return wide;
}

static std::string WholeFile(const wchar_t* path) {
    std::string text;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    char buffer[4096];
    DWORD got = 0;
    while (file != INVALID_HANDLE_VALUE && ReadFile(file, buffer, sizeof buffer, &got, NULL) && got) text.append(buffer, got);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return text;
}

ProgramRun RunPadconfig(const std::string& arguments, int timeoutMs) {
    wchar_t folder[MAX_PATH], outputPath[MAX_PATH];
    GetModuleFileNameW(NULL, folder, MAX_PATH);
    *wcsrchr(folder, L'\\') = 0;
    GetTempPathW(MAX_PATH, outputPath);
    lstrcatW(outputPath, L"padconfig-output.txt");
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
    HANDLE output = CreateFileW(outputPath, GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, NULL);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = output;
    std::wstring command = L"\"" + std::wstring(folder) + L"\\padconfig.exe\" " + Wide(arguments);
    PROCESS_INFORMATION process = {};
    ProgramRun run;
    if (CreateProcessW(NULL, &command[0], NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process)) {
        DWORD code = 0;
        if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0 && GetExitCodeProcess(process.hProcess, &code))
            run.exit = (int)code;
        else
            TerminateProcess(process.hProcess, 99);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(output);
    run.output = WholeFile(outputPath);
    return run;
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
    DWORD done;
    FillConsoleOutputCharacterW(screen, L' ', ScreenSize(screen), COORD{0, 0}, &done);
    SetConsoleCursorPosition(screen, COORD{0, 0});
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
    CreatePipe(&reading, &writing, &inherit, 0);
    SetHandleInformation(reading, HANDLE_FLAG_INHERIT, 0);
    if (launch == CLOSED_PIPE_AND_CONSOLE) CloseHandle(reading);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writing;
    startup.hStdError = launch == PIPE_NO_ERROR ? NULL : screen;
    wchar_t folder[MAX_PATH];
    GetModuleFileNameW(NULL, folder, MAX_PATH);
    *wcsrchr(folder, L'\\') = 0;
    std::wstring command = L"\"" + std::wstring(folder) + L"\\padconfig.exe\" " + Wide(arguments);
    PROCESS_INFORMATION process = {};
    ProgramRun run;
    BOOL started = CreateProcessW(NULL, &command[0], NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process);
    CloseHandle(writing);
    DWORD code = 0;  // what it writes is far less than the pipe holds
    if (started && WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0 && GetExitCodeProcess(process.hProcess, &code))
        run.exit = (int)code;
    else if (started)
        TerminateProcess(process.hProcess, 99);
    if (started) CloseHandle(process.hProcess), CloseHandle(process.hThread);
    char buffer[4096];
    while (started && launch != CLOSED_PIPE_AND_CONSOLE && ReadFile(reading, buffer, sizeof buffer, &done, NULL) && done)
        run.output.append(buffer, done);
    if (launch != CLOSED_PIPE_AND_CONSOLE) CloseHandle(reading);
    run.screen = ScreenText(screen);
    return run;
}
