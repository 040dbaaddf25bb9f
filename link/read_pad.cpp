// Reading what the pad holds, for any caller: the dialog shows it, the
// command line prints or compares it.
#include "serial_link.h"

static void ClearSettings(PadSettings* settings) {
    settings->buttons = settings->direction = NO_VALUE;
    for (int group = GROUP_B; group <= GROUP_E; group++) settings->masks[group] = NO_VALUE;
}

// A code that names no position is taken as centre, and the pad is told so.
static int DirectionOfCode(int code) {
    int index = DirectionIndexOfCode(code);
    if (index >= 0) return index;
    SendCommand(CMD_CENTRE);
    return 0;
}

bool PadIsReady(void) {
    DrainInput();
    return QueryValue(CMD_PROBE) == PROBE_READY;
}

static bool QueryAll(PadSettings* settings) {
    if (!PadIsReady()) return false;
    int count = QueryValue(CMD_COUNT);
    if (count == NO_VALUE) return false;
    settings->buttons = count;
    DrainInput();
    int code = QueryValue(CMD_DIRECTION);
    if (code == NO_VALUE) return false;
    settings->direction = DirectionOfCode(code);
    for (int group = GROUP_B; group <= GROUP_E; group++) {
        settings->masks[group] = QueryValue(groupQueries[group]);
        if (settings->masks[group] == NO_VALUE) return false;
    }
    return true;
}

bool ReadPadSettings(PadSettings* settings) {
    ClearSettings(settings);
    if (!QueryAll(settings)) return false;
    SendCommand(CMD_INI_DISP, SEND_NO_PAUSE);
    return true;
}
