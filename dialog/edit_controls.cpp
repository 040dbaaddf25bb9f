// Which controls a user may edit: only after the pad has been read.
#include "../link/serial_link.h"
#include "../resources/resource_names.h"
#include "../texts/windows/window_texts.h"
#include "dialog_actions.h"
#include "control_ids.h"

static const int editControls[] = {IDC_RESTART,     IDC_PRESS_ALL,       IDC_RELEASE_ALL,
                                   IDC_COUNT_LIST,  IDC_FRAME_COUNT,     IDC_FRAME_DIRECTION,
                                   IDC_FRAME_BUTTONS};

void SetEditControlsEnabled(HWND dialog, int flag) {
    if (flag != 0 && flag != 1) return;
    for (int id : editControls) EnableWindow(GetDlgItem(dialog, id), flag);
    for (int id = IDC_DIR_CENTRE; id <= IDC_DIR_UP_LEFT; id++) EnableWindow(GetDlgItem(dialog, id), flag);
    // Check boxes are enabled only up to the pad's button count, by the read.
    if (flag == 0)
        for (int id = IDC_BUTTON_FIRST; id <= IDC_BUTTON_LAST; id++) EnableWindow(GetDlgItem(dialog, id), FALSE);
}

bool ShowsReadConfiguration(HWND dialog) { return IsWindowEnabled(GetDlgItem(dialog, IDC_FRAME_BUTTONS)) != FALSE; }

// Painted at once: an action may block right after setting it.
void SetStatusText(HWND dialog, UINT text) {
    SetTextOf(GetDlgItem(dialog, IDC_STATUS), text);
    UpdateWindow(GetDlgItem(dialog, IDC_STATUS));
}

void ShowNotConnected(HWND dialog) {
    SetStatusText(dialog, TEXT_NOT_CONNECTED);
    InvalidateRect(dialog, NULL, FALSE);
}

bool ShowIfLinkLost(HWND dialog) {
    if (LinkState == LINK_OPEN) return false;
    ShowNotConnected(dialog);
    return true;
}
