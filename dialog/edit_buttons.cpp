// A click on a button's check box or a direction radio button goes to the pad at once.
#include "../link/serial_link.h"
#include "../resources/resource_names.h"
#include "../texts/windows/window_texts.h"
#include "dialog_actions.h"
#include "control_ids.h"


void SendButtonGroup(HWND dialog, ButtonGroup group) {
    groupMask = CheckedMask(dialog, group);
    if (CheckLink(dialog, WM_COMMAND, 0, 0)) return;
    SetStatusText(dialog, TEXT_CONNECTED);
    SendGroupMask(group, groupMask);
    ShowIfLinkLost(dialog);
}

// The command follows from the identifier alone: the selected position clicked
// again is sent again.
void SendDirection(HWND dialog, int radio) {
    if (CheckLink(dialog, WM_COMMAND, 0, 0)) return;
    SetStatusText(dialog, TEXT_CONNECTED);
    SendCommand(directionCodes[radio - IDC_DIR_CENTRE].command);
    ShowIfLinkLost(dialog);
}
