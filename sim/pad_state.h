// The firmware's side of the protocol, as far as the tool relies on it:
// what the pad holds and how it answers each command text. No Windows types.
#ifndef PADSIM_PAD_STATE_H
#define PADSIM_PAD_STATE_H

#include <string>

struct PadState {
    int buttonCount = 12;
    int direction = 0;
    int masks[4] = {0, 0, 0, 0};  // groups b..e
    int pendingCount = -1;        // set by "buttom_0=", taken on "reboot"
};

enum AnswerKind {
    ANSWER_ACK,     // a command: "OK" and two more bytes
    ANSWER_VALUE,   // a query: acknowledgement, then the value
    ANSWER_REBOOT,  // acknowledgement now, the button count after the restart
    ANSWER_UNKNOWN  // not a command of this pad
};

struct Answer {
    AnswerKind kind;
    int value;  // for ANSWER_VALUE and ANSWER_REBOOT
};

// Carries out one command line (without its carriage return) on the state.
Answer ApplyCommand(PadState& state, const std::string& line);

// The value as the pad sends it: four upper-case hexadecimal digits and CR LF.
std::string ValueReply(int value);

#endif
