// The pad side of applying a profile: the link's exchanges only.
#include "../link/serial_link.h"
#include "profile.h"

void SendProfileSettings(const PadProfile& profile) {
    SendCommand(directionCodes[profile.direction].command);
    for (int group = GROUP_B; group <= GROUP_E; group++) SendGroupMask((ButtonGroup)group, profile.masks[group]);
}
