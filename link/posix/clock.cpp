// Time on Linux and macOS.
#include <sched.h>
#include <sys/time.h>

#include <cerrno>
#include <ctime>

#include "../clock.h"

double ClockMs(void) {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec * 1000.0 + (double)now.tv_nsec / 1e6;
}

// A signal may end the sleep early: the rest is slept.
void PauseMs(unsigned ms) {
    if (ms == 0) {
        sched_yield();
        return;
    }
    timespec left = {(time_t)(ms / 1000), (long)(ms % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

void AnswerWhileWaiting(void) {}  // no window to keep alive

void ReadLocalTime(LocalTime* now) {
    timeval time;
    gettimeofday(&time, nullptr);
    tm local;
    localtime_r(&time.tv_sec, &local);
    *now = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
            (int)(time.tv_usec / 1000)};
}
