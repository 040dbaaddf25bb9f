#include "pad_state.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

static bool StartsWith(const std::string& line, const char* prefix) {
    return line.compare(0, strlen(prefix), prefix) == 0;
}

// "buttom_x=NNN": three decimal digits, as the tool always sends.
static bool Argument(const std::string& line, int* value) {
    if (line.size() != 12 || line[8] != '=') return false;
    for (int i = 9; i < 12; i++)
        if (line[i] < '0' || line[i] > '9') return false;
    *value = atoi(line.c_str() + 9);
    return true;
}

static Answer Ack() { return {ANSWER_ACK, 0}; }
static Answer Value(int value) { return {ANSWER_VALUE, value}; }

Answer ApplyCommand(PadState& state, const std::string& line) {
    if (line == "1_num?") return Value(255);
    if (line == "btn_num?") return Value(state.buttonCount);
    if (line == "a_num?") return Value(state.direction);
    if (line.size() == 6 && line[0] >= 'b' && line[0] <= 'e' && line.compare(1, 5, "_num?") == 0)
        return Value(state.masks[line[0] - 'b']);
    if (line == "Ini_Disp") return Ack();
    if (line == "btn_off") {
        memset(state.masks, 0, sizeof state.masks);
        return Ack();
    }
    if (line == "reboot") {
        if (state.pendingCount >= 0) state.buttonCount = state.pendingCount;
        state.pendingCount = -1;
        return {ANSWER_REBOOT, state.buttonCount};
    }
    int value;
    if (StartsWith(line, "buttom_") && Argument(line, &value) && value <= 255) {
        char group = line[7];
        if (group == 'a') state.direction = value;
        else if (group >= 'b' && group <= 'e') state.masks[group - 'b'] = value;
        else if (group == '0') state.pendingCount = value == 255 ? 0 : value;
        else if (group != 'f') return {ANSWER_UNKNOWN, 0};
        return Ack();
    }
    return {ANSWER_UNKNOWN, 0};
}

std::string ValueReply(int value) {
    char text[16];
    snprintf(text, sizeof text, "%04X\r\n", (unsigned)value & 0xFFFF);
    return text;
}
