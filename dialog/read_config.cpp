// "PAD情報取得": read the pad's configuration into the dialog.
#include "../link/serial_link.h"
#include "../resources/resource_names.h"
#include "../texts/windows/window_texts.h"
#include "dialog_actions.h"
#include "control_ids.h"


static void RestorePadInfoButton(void) {
    SetTextOf(padInfoButton, TEXT_PAD_INFO);
    EnableWindow(padInfoButton, TRUE);
}

// The link could not be used.
static void EndReadUnlinked(HWND dialog) {
    SetStatusText(dialog, TEXT_NOT_CONNECTED);
    SetEditControlsEnabled(dialog, 0);
    RestorePadInfoButton();
    InvalidateRect(dialog, NULL, FALSE);
}

// The pad is not ready, or stopped answering part-way: nothing half-read can
// be edited, since every editing control stays disabled.
static void EndReadFailed(HWND dialog) {
    RestorePadInfoButton();
    SetStatusText(dialog, TEXT_READ_FAILED);
    SetEditControlsEnabled(dialog, 0);
    ShowMessage(dialog, TEXT_PROBE_FAILED, TEXT_PAD_INFO, MB_OK | MB_ICONERROR);
}

static void ShowButtonCount(HWND dialog, int count) {
    // Out of range: no row selected. Wine keeps the old row for an index past
    // the end, so such a count is passed as -1.
    bool listed = count >= 0 && count <= BUTTON_COUNT_MAX;
    SendMessageA(countListWindow, CB_SETCURSEL, listed ? (WPARAM)count : (WPARAM)-1, 0);
    for (int button = 0; button < BUTTON_COUNT_MAX; button++)
        if (button < count) EnableWindow(GetDlgItem(dialog, ButtonControlId(button)), TRUE);
    for (int button = 0; button < BUTTON_COUNT_MAX; button++)
        if (button >= count) EnableWindow(GetDlgItem(dialog, ButtonControlId(button)), FALSE);
}

static void ShowGroupMask(HWND dialog, ButtonGroup group, int mask) {
    for (int bit = 0; bit < BUTTONS_PER_GROUP; bit++) {
        int button = group * BUTTONS_PER_GROUP + bit;
        if (mask & ButtonBit(button)) SendDlgItemMessageA(dialog, ButtonControlId(button), BM_SETCHECK, BST_CHECKED, 0);
    }
}

// What the read reached: a read that failed part-way shows as far as it got,
// while every editing control stays disabled.
static void ShowSettings(HWND dialog, const PadSettings& settings) {
    if (settings.buttons == NO_VALUE) return;
    ShowButtonCount(dialog, settings.buttons);
    SetAllButtonChecks(dialog, BST_UNCHECKED);
    ClearDirectionRadios(dialog);
    if (settings.direction == NO_VALUE) return;
    SendDlgItemMessageA(dialog, RadioControlId(settings.direction), BM_SETCHECK, BST_CHECKED, 0);
    for (int group = GROUP_B; group <= GROUP_E && settings.masks[group] != NO_VALUE; group++)
        ShowGroupMask(dialog, (ButtonGroup)group, settings.masks[group]);
}

void ReadPadConfiguration(HWND dialog) {
    SetEditControlsEnabled(dialog, 0);
    padInfoButton = GetDlgItem(dialog, IDC_PAD_INFO);
    EnableWindow(padInfoButton, FALSE);
    SetTextOf(padInfoButton, TEXT_PAD_INFO_BUSY);
    UpdateWindow(dialog);  // the busy state shows before the link blocks
    if (CheckLink(dialog, WM_COMMAND, IDC_PAD_INFO, 0)) {
        EndReadUnlinked(dialog);
        return;
    }
    SetStatusText(dialog, TEXT_CONNECTED);
    PadSettings settings;
    bool gotValues = ReadPadSettings(&settings);
    ShowSettings(dialog, settings);
    if (LinkState != LINK_OPEN) {  // the port went away part-way
        EndReadUnlinked(dialog);
        return;
    }
    if (!gotValues) {
        EndReadFailed(dialog);
        return;
    }
    SetEditControlsEnabled(dialog, 1);
    RestorePadInfoButton();
    InvalidateRect(dialog, NULL, FALSE);
}
