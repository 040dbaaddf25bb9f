// The native command line's figures: its start-up (--version) and a game
// launcher's --apply of a profile with the pad's own count, each from
// process start to exit, against the stand-in pacing its answers at the
// line's 9600 baud, beside the protocol's floor. Linux: the stand-in's
// line is a pair of pseudo-terminals (tests/support/pty_pair.h).
// "native_bench RUNS KIND COMMAND...": another build's padconfig, an ARM one
// under an emulator, in place of this one, its rows named KIND.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "clock.h"
#include "pad_sim.h"
#include "protocol_floor.h"
#include "pty_pair.h"

extern char** environ;

// One run's wall time, its output left out; a run that fails is counted.
static void TimeRun(std::vector<std::string> words, Runs& runs) {
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(&word[0]);
    argv.push_back(nullptr);
    posix_spawn_file_actions_t streams;
    posix_spawn_file_actions_init(&streams);
    posix_spawn_file_actions_addopen(&streams, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&streams, 2, "/dev/null", O_WRONLY, 0);
    double start = ClockMs();
    pid_t child;
    int status = -1;
    if (posix_spawnp(&child, argv[0], &streams, nullptr, argv.data(), environ) == 0) waitpid(child, &status, 0);
    double took = ClockMs() - start;
    posix_spawn_file_actions_destroy(&streams);
    runs.ms.push_back(took);
    runs.failed += !(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// The program's command with more words behind it.
static std::vector<std::string> With(std::vector<std::string> command, std::vector<std::string> more) {
    command.insert(command.end(), more.begin(), more.end());
    return command;
}

int main(int argc, char** argv) {
    int runs = argc > 1 ? atoi(argv[1]) : 7;
    const char* kind = argc > 3 ? argv[2] : "native";
    std::vector<std::string> program = {PADCONFIG_PROGRAM};
    if (argc > 3) program.assign(argv + 3, argv + argc);
    const char* profile = "/tmp/padconfig-bench.padprofile";
    FILE* file = fopen(profile, "wb");
    if (!file) return perror(profile), 1;
    fputs("[pad]\r\nbuttons=12\r\ndirection=up\r\nset=1,5,9,12\r\n", file);
    fclose(file);
    Pair pair;
    PadSim sim;
    sim.config.paced = true;
    sim.config.state.buttonCount = 12;
    if (!StartPair(&pair) || !StartPadSim(sim, pair.padPath.c_str())) return fputs("no pair for the stand-in\n", stderr), 1;
    Runs startup, apply;
    for (int run = 0; run < runs; run++) TimeRun(With(program, {"--version"}), startup);
    for (int run = 0; run < runs; run++) TimeRun(With(program, {"--port", pair.toolPath, "--apply", profile}), apply);
    StopPadSim(sim);
    StopPair(&pair);
    double floor = FirstRead() + ApplyProfile();
    // The 20 ms bound is the native start-up's; an emulator's start says nothing of a board's.
    const char* quick = Spoiled(startup) || argc > 3 ? "" : Median(startup.ms) < 20 ? "under 20 ms" : "OVER 20 ms";
    printf("| `padconfig --version` (the start-up), %s | 0 | %s | %s |\n", kind, Measured(startup).c_str(), quick);
    printf("| `padconfig --port /dev/pts/N --apply game.padprofile`, same count, %s | %.1f | %s | %s |\n", kind, floor,
           Measured(apply).c_str(), Judged(apply, startup, floor).c_str());
    remove(profile);
    return startup.failed || apply.failed ? 1 : 0;
}
