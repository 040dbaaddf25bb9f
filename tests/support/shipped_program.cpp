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
