// The benchmark: how long each pad action takes against the stand-in pacing
// its answers at the line's real 9600 baud, beside the floor that the
// protocol itself sets; how fast the tool starts; and whether a long run of
// clicks leaks memory or handles. Prints a Markdown table.
#include <windows.h>
#include <commdlg.h>
#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "api_hook.h"
#include "control_ids.h"
#include "dialog_harness.h"
#include "message_boxes.h"
#include "pad_harness.h"
#include "protocol_floor.h"
#include "remote_dialog.h"
#include "serial_link.h"
#include "shipped_program.h"

namespace {

// --- Measuring ----------------------------------------------------------

double NowMs() {
    static LARGE_INTEGER frequency;
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)now.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

double boxOpenedMs;
void NoteBoxOpened(const ShownBox&) { boxOpenedMs = NowMs(); }

// One action's wall time: from the click to its end, or to its box opening.
double TimeClick(HWND dialog, int id) {
    boxOpenedMs = 0;
    double start = NowMs();
    Click(dialog, id);
    double end = boxOpenedMs ? boxOpenedMs : NowMs();
    return end - start;
}

struct Action {
    const char* name;
    double (*floor)();
    int id;
    bool freshLink;  // the link closed before each run: the handshake is part of it
};

const Action actions[] = {
    {"first action: read with the handshake", FirstRead, 1005, true},
    {"read on an open link", Read, 1005, false},
    {"one box click", []() { return Command(); }, 1027, false},
    {"press all", PressAll, 1003, false},
    {"release all", ReleaseAll, 1004, false},
    {"restart, prompt reply", Restart, 1075, false},
    {"load a profile, same count", ApplyProfile, IDM_LOAD_PROFILE, false},
};

// The open-file dialog answers with a profile for the stand-in's 12 buttons.
WCHAR profilePath[MAX_PATH];
extern "C" void* __imp_GetOpenFileNameW;
BOOL WINAPI NameProfile(LPOPENFILENAMEW box) {
    lstrcpynW(box->lpstrFile, profilePath, box->nMaxFile);
    return TRUE;
}
void PrepareProfile(void) {
    static const char text[] = "[pad]\r\nbuttons=12\r\ndirection=up\r\nset=1,5,9,12\r\n";
    GetTempPathW(MAX_PATH, profilePath);
    lstrcatW(profilePath, L"bench.padprofile");
    HANDLE file = CreateFileW(profilePath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written;
    WriteFile(file, text, sizeof text - 1, &written, NULL);
    CloseHandle(file);
    PatchImport(&__imp_GetOpenFileNameW, (void*)NameProfile);
}

// Each returns how many of its runs failed.
int MeasureActions(int runs) {
    PadSim sim;
    sim.config.paced = true;
    sim.config.rebootDelayMs = 0;
    sim.config.state.buttonCount = 12;
    if (!StartPadOnPair(sim, 1)) return printf("FAILED: no stand-in on COM21\n"), 1;
    StartRecordingBoxes();
    OnBoxShown(NoteBoxOpened);
    PrepareProfile();
    HWND dialog = CreateConfigDialog();
    Click(dialog, 1005);  // an open link and enabled controls to begin with
    printf("| action | floor (ms) | measured median (ms) | measured / floor |\n|---|---:|---:|---:|\n");
    for (const Action& action : actions) {
        std::vector<double> times;
        for (int run = 0; run < runs; run++) {
            if (action.freshLink) Click(dialog, 1016);  // closes the link, as touching the port list does
            times.push_back(TimeClick(dialog, action.id));
        }
        double measured = Median(times), floor = action.floor();
        printf("| %s | %.1f | %.1f | %.3f |\n", action.name, floor, measured, measured / floor);
    }
    DestroyConfigDialog(dialog);
    StopPadSim(sim);
    return 0;
}

// --- The command line: a game launcher's apply, from start to exit -------

void TimeRun(const std::string& arguments, Runs& runs, const wchar_t* program) {
    double start = NowMs();
    ProgramRun run = RunPadconfig(arguments, 60000, program);
    runs.ms.push_back(NowMs() - start);
    runs.failed += run.exit != 0;
}

// The bound: the protocol's floor, 5 % more, and the program's start-up as
// "--version" takes it (a run that opens no port). A shell runs the console
// twin, so its row is measured too.
int MeasureCommandLine(int runs) {
    char path[MAX_PATH * 3];
    WideCharToMultiByte(CP_UTF8, 0, profilePath, -1, path, sizeof path, NULL, NULL);
    const wchar_t* const programs[] = {L"padconfig.exe", L"padconfig.com"};
    Runs startup[2], apply[2];
    for (int p = 0; p < 2; p++)
        for (int run = 0; run < runs; run++) TimeRun("--version", startup[p], programs[p]);
    PadSim sim;
    sim.config.paced = true;
    sim.config.state.buttonCount = 12;
    if (!StartPadOnPair(sim, 1)) return printf("FAILED: no stand-in on COM21\n"), 1;
    for (int p = 0; p < 2; p++)
        for (int run = 0; run < runs; run++) TimeRun("--port COM1 --apply \"" + std::string(path) + "\"", apply[p], programs[p]);
    StopPadSim(sim);
    double floor = FirstRead() + ApplyProfile();
    printf("\nThe command line, from process start to exit:\n\n"
           "| run | floor (ms) | measured median (ms) | bound: floor + 5 %% + start-up (ms) |\n|---|---:|---:|---:|\n");
    int failed = 0;
    for (int p = 0; p < 2; p++) {
        printf("| `%ls --version` (the start-up) | 0 | %s | |\n", programs[p], Measured(startup[p]).c_str());
        printf("| `%ls --port COM1 --apply game.padprofile`, same count | %.1f | %s | %s |\n", programs[p], floor,
               Measured(apply[p]).c_str(), Judged(apply[p], startup[p], floor).c_str());
        failed += startup[p].failed + apply[p].failed;
    }
    return failed;
}

// --- The shipped program: start-up, memory and handles -------------------

// A run whose dialog did not show, or that did not end with exit code 0 once closed, failed.
int MeasureStartup(int runs) {
    Runs times;
    for (int run = 0; run < runs; run++) {
        RemoteProgram program;
        double start = NowMs();
        bool shown = StartPadconfig(program);
        times.ms.push_back(NowMs() - start);
        if (shown) PostMessageA(GetDlgItem(program.dialog, 1), BM_CLICK, 0, 0);
        times.failed += !shown || WaitForExit(program) != 0;
        EndProgram(program);
    }
    printf("\nFrom process start to the dialog shown, the median of %d runs (ms): %s.\n", runs, Measured(times).c_str());
    return times.failed;
}

// The system's handle table, counted for one process. Wine answers
// GetProcessHandleCount with 0, but keeps this table.
struct HandleEntry {
    ULONG processId;
    BYTE type, flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
};
static char handleTable[1 << 24];

DWORD CountHandlesInTable(DWORD processId) {
    ULONG length = 0;
    if (NtQuerySystemInformation((SYSTEM_INFORMATION_CLASS)16, handleTable, sizeof handleTable, &length) != 0)
        return 0;
    ULONG count = *(ULONG*)handleTable;
    const HandleEntry* entries = (const HandleEntry*)(handleTable + sizeof(ULONG_PTR));
    DWORD owned = 0;
    for (ULONG i = 0; i < count; i++) owned += entries[i].processId == processId;
    return owned;
}

void PrintUse(const PROCESS_INFORMATION& process, int clicks) {
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
    DWORD handles = 0;
    GetProcessHandleCount(process.hProcess, &handles);
    printf("| %d | %.0f | %lu | %lu |\n", clicks, memory.WorkingSetSize / 1024.0, handles,
           CountHandlesInTable(process.dwProcessId));
}

int MeasureLeaks(int clicks) {
    PadSim sim;
    if (!StartPadOnPair(sim, 1)) return printf("FAILED: no stand-in on COM21\n"), 1;
    RemoteProgram program;
    if (!StartPadconfig(program)) return printf("FAILED: the dialog did not show\n"), 1;
    printf("\nThe shipped tool after box clicks on an open link:\n\n"
           "| clicks | working set (KiB) | GetProcessHandleCount | handles in the system table |\n"
           "|---:|---:|---:|---:|\n");
    for (int click = 1; click <= clicks; click++) {
        SendMessageA(program.dialog, WM_COMMAND, MAKEWPARAM(1027, BN_CLICKED), 0);  // waits for the exchange
        if (click == 100 || click == clicks) PrintUse(program.process, click);
    }
    PostMessageA(GetDlgItem(program.dialog, 1), BM_CLICK, 0, 0);
    int exit = WaitForExit(program);
    EndProgram(program);
    StopPadSim(sim);
    if (exit != 0) printf("FAILED: the tool ended with %d\n", exit);
    return exit != 0;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? atoi(argv[1]) : 7;
    printf("Each action %d times against the stand-in at 9600 baud; the median.\n\n", runs);
    int failed = MeasureActions(runs) + MeasureCommandLine(runs) + MeasureStartup(5) + MeasureLeaks(1000);
    if (failed) printf("\nFAILED: %d runs did not end as they should.\n", failed);
    return failed ? 1 : 0;
}
