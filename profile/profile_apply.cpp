// The pad side of applying a profile: the link's exchanges only.
#include "../link/serial_link.h"
#include "profile.h"

void SendProfileSettings(const PadSettings& profile) {
    SendCommand(directionCodes[profile.direction].command);
    for (int group = GROUP_B; group <= GROUP_E; group++) SendGroupMask((ButtonGroup)group, profile.masks[group]);
}

bool ReadPadProfile(PadSettings* pad) {
    bool read = ReadPadSettings(pad);
    if (pad->buttons != NO_VALUE) pad->buttons = ShownCount(pad->buttons);
    return read;
}

// As the dialog's Load, without a window: a pad of another count is
// restarted only when allowed, and the settings go on in either case.
ApplyResult ApplyProfileToPad(const PadSettings& wanted, bool restartOk, PadSettings* pad) {
    if (!ReadPadProfile(pad)) return APPLY_UNREAD;
    bool countKept = pad->buttons != wanted.buttons && !restartOk;
    if (pad->buttons != wanted.buttons && restartOk) {
        RestartResult restart = RestartPad(wanted.buttons);
        if (restart == RESTART_LINK_LOST) return APPLY_UNREAD;
        if (restart != RESTARTED) return APPLY_RESTART_FAILED;
        if (!ReadRestartedPad(pad)) return APPLY_UNREAD;
        pad->buttons = ShownCount(pad->buttons);
    }
    SendProfileSettings(wanted);
    if (!ReadPadProfile(pad)) return APPLY_UNREAD;
    return countKept ? APPLY_COUNT_KEPT : APPLY_READ_BACK;
}
