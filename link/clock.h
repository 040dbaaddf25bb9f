// Time as the link and the stand-in need it, from each system's clocks.
#ifndef PADCONFIG_CLOCK_H
#define PADCONFIG_CLOCK_H

// Milliseconds from a fixed point, never going back, to a fraction of one.
double ClockMs(void);
// At least ms milliseconds; 0 lets other threads run.
void PauseMs(unsigned ms);
// Between the slices of a long wait: Windows sees a live window when sent
// messages are answered (no input is taken); other systems do nothing.
void AnswerWhileWaiting(void);

struct LocalTime {
    int year, month, day, hour, minute, second, millisecond;
};
void ReadLocalTime(LocalTime* now);

#endif
