// "全ボタン押下" and "全ボタン解除": every button of the pad at once.
#include "../link/serial_link.h"
#include "../resources/resource_names.h"
#include "../texts/windows/window_texts.h"
#include "dialog_actions.h"

void PressAllButtons(HWND dialog) {
    if (CheckLink(dialog, WM_COMMAND, 0, 0)) {
        ShowNotConnected(dialog);
        return;
    }
    SetStatusText(dialog, TEXT_CONNECTED);
    for (int group = GROUP_B; group < GROUP_COUNT; group++)  // f too: it exists on the wire
        SendGroupMask((ButtonGroup)group, MASK_ALL);
    if (ShowIfLinkLost(dialog)) return;
    ResetButtonControls(dialog, BST_CHECKED);
}

void ReleaseAllButtons(HWND dialog) {
    if (CheckLink(dialog, WM_COMMAND, 0, 0)) {
        ShowNotConnected(dialog);
        return;
    }
    int crWritten = SendCommand(CMD_RELEASE_ALL, SEND_ACK_IF_CR_WRITTEN);
    if (ShowIfLinkLost(dialog)) return;
    if (crWritten) {
        ResetButtonControls(dialog, BST_UNCHECKED);
        SetStatusText(dialog, AckOk() ? TEXT_RELEASED : TEXT_RELEASE_FAILED);
    } else {
        SetStatusText(dialog, TEXT_RELEASE_FAILED);  // the command never reached the pad
    }
    InvalidateRect(dialog, NULL, FALSE);
}
