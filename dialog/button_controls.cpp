// The check boxes of the pad's buttons and the direction radio buttons.
#include "dialog_actions.h"
#include "control_ids.h"

int ButtonControlId(int button) { return IDC_BUTTON_FIRST + button; }

// directionCodes lists the positions in the radio buttons' identifier order.
int RadioControlId(int directionIndex) { return IDC_DIR_CENTRE + directionIndex; }

int CheckedMask(HWND dialog, ButtonGroup group) {
    int mask = 0;
    for (int bit = 0; bit < BUTTONS_PER_GROUP; bit++) {
        int button = group * BUTTONS_PER_GROUP + bit;
        if (SendDlgItemMessageA(dialog, ButtonControlId(button), BM_GETCHECK, 0, 0) == BST_CHECKED)
            mask += ButtonBit(button);
    }
    return mask;
}

int CheckedDirection(HWND dialog) {
    for (int index = 0; index < DIRECTION_COUNT; index++)
        if (SendDlgItemMessageA(dialog, RadioControlId(index), BM_GETCHECK, 0, 0) == BST_CHECKED) return index;
    return 0;
}

void SetAllButtonChecks(HWND dialog, WPARAM state) {
    for (int id = IDC_BUTTON_FIRST; id <= IDC_BUTTON_LAST; id++) SendDlgItemMessageA(dialog, id, BM_SETCHECK, state, 0);
}

void ClearDirectionRadios(HWND dialog) {
    for (int id = IDC_DIR_CENTRE; id <= IDC_DIR_UP_LEFT; id++)
        SendDlgItemMessageA(dialog, id, BM_SETCHECK, BST_UNCHECKED, 0);
}

void ResetButtonControls(HWND dialog, WPARAM state) {
    SetAllButtonChecks(dialog, state);
    ClearDirectionRadios(dialog);
    SendDlgItemMessageA(dialog, IDC_DIR_CENTRE, BM_SETCHECK, BST_CHECKED, 0);
}
