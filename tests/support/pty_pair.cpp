#include "pty_pair.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sched.h>
#include <signal.h>
#include <unistd.h>

#include <cstring>

#include "clock.h"

static bool OpenTerminal(int* master, int* slave, std::string* path) {
    char name[128];
    if (openpty(master, slave, name, nullptr, nullptr) != 0) return false;
    fcntl(*master, F_SETFD, FD_CLOEXEC), fcntl(*slave, F_SETFD, FD_CLOEXEC);  // a run holds no end but its own
    *path = name;
    return true;
}

// The run is told as soon as the bytes complete the text: it has not yet
// read its answer. Its process id is known within moments of its start.
static void SignalAt(Pair* pair) {
    const char* text = pair->signalAt;
    if (!text || pair->passed.find(text) == std::string::npos) return;
    pair->signalAt = nullptr;
    for (double start = ClockMs(); !pair->signalTo && ClockMs() - start < 10000;) sched_yield();
    for (int signal : pair->signals)
        if (signal && pair->signalTo) kill(pair->signalTo, signal);
}

// The tool's bytes to the pad, up to the end of the pull's text when they
// complete it; then its master closes at once.
static void PassFromTool(Pair* pair, const char* bytes, size_t got) {
    size_t before = pair->passed.size();
    pair->passed.append(bytes, got);
    const char* pull = pair->pullAt;
    size_t at = pull ? pair->passed.find(pull) : std::string::npos;
    size_t end = at == std::string::npos ? pair->passed.size() : at + strlen(pull);
    (void)!write(pair->padMaster, bytes, end - before);
    SignalAt(pair);
    if (at == std::string::npos) return;
    close(pair->toolSlave), close(pair->toolMaster);
    pair->toolMaster = pair->toolSlave = -1;
    pair->pulledAt = ClockMs();
}

// The slaves stay open here too, so that a master never sees a hang-up
// while the tool or the stand-in is between opens.
static void Relay(Pair* pair) {
    char bytes[4096];
    while (pair->running) {
        pollfd ends[2] = {{pair->toolMaster, POLLIN, 0}, {pair->padMaster, POLLIN, 0}};
        if (poll(ends, 2, 2) <= 0) continue;
        for (int i = 0; i < 2; i++) {
            if (!(ends[i].revents & POLLIN)) continue;
            ssize_t got = read(ends[i].fd, bytes, sizeof bytes);
            if (got > 0 && i == 0) PassFromTool(pair, bytes, (size_t)got);
            else if (got > 0 && pair->toolMaster >= 0) (void)!write(pair->toolMaster, bytes, (size_t)got);
        }
    }
}

bool StartPair(Pair* pair) {
    if (!OpenTerminal(&pair->toolMaster, &pair->toolSlave, &pair->toolPath) ||
        !OpenTerminal(&pair->padMaster, &pair->padSlave, &pair->padPath))
        return false;
    pair->relay = std::thread(Relay, pair);
    return true;
}

void StopPair(Pair* pair) {
    pair->running = false;
    if (pair->relay.joinable()) pair->relay.join();
    for (int fd : {pair->toolMaster, pair->toolSlave, pair->padMaster, pair->padSlave})
        if (fd >= 0) close(fd);
}

