// The native command line's figures: its start-up (--version) and a game
// launcher's --apply of a profile with the pad's own count, each from
// process start to exit, against the stand-in pacing its answers at the
// line's 9600 baud, beside the protocol's floor. Linux: the stand-in's
// line is a pair of pseudo-terminals (tests/support/pty_pair.h).
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
static double TimeRun(std::vector<std::string> words, int* failed) {
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
    if (posix_spawn(&child, argv[0], &streams, nullptr, argv.data(), environ) == 0) waitpid(child, &status, 0);
    double took = ClockMs() - start;
    posix_spawn_file_actions_destroy(&streams);
    *failed += !(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return took;
}

int main(int argc, char** argv) {
    int runs = argc > 1 ? atoi(argv[1]) : 7;
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
    std::vector<double> startup, apply;
    int failed = 0;
    for (int run = 0; run < runs; run++) startup.push_back(TimeRun({PADCONFIG_PROGRAM, "--version"}, &failed));
    for (int run = 0; run < runs; run++)
        apply.push_back(TimeRun({PADCONFIG_PROGRAM, "--port", pair.toolPath, "--apply", profile}, &failed));
    StopPadSim(sim);
    StopPair(&pair);
    double floor = FirstRead() + ApplyProfile(), start = Median(startup), measured = Median(apply);
    double bound = floor * 1.05 + start;
    printf("| `padconfig --version` (the start-up), native | 0 | %.1f | %s |\n", start, start < 20 ? "under 20 ms" : "OVER 20 ms");
    printf("| `padconfig --port /dev/pts/N --apply game.padprofile`, same count, native | %.1f | %.1f | %.1f, %s |\n",
           floor, measured, bound, measured <= bound ? "within" : "OVER");
    if (failed) printf("\n%d runs did not end with exit code 0.\n", failed);
    remove(profile);
    return failed ? 1 : 0;
}
