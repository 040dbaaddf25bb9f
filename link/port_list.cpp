// The port list: which port the user chose, and what touching the list does.
#include "port_list.h"

#include <cstring>

#include "../dialog/config_dialog.h"
#include "../dialog/control_ids.h"
#include "../dialog/texts.h"
#include "serial_link.h"

// With no row selected the user has typed into the field: take the text only
// when it names one of the ten ports, never an index outside them.
static int PortRowOfText(const char* text) {
    while (*text == ' ' || *text == '\t') text++;
    size_t length = strlen(text);
    while (length > 0 && (text[length - 1] == ' ' || text[length - 1] == '\t')) length--;
    for (int row = 0; row < PORT_COUNT; row++)
        if (strlen(portNames[row]) == length && _strnicmp(portNames[row], text, length) == 0) return row;
    return -1;
}

int SelectedPortRow(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_PORT_LIST);
    LRESULT row = SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (row >= 0 && row < PORT_COUNT) return (int)row;
    char text[64] = "";
    // A longer text would be cut here, and its start could name a port that
    // the whole text does not.
    if (GetWindowTextLengthA(list) >= (int)sizeof text) return -1;
    GetWindowTextA(list, text, sizeof text);
    return PortRowOfText(text);
}

void OnPortListNotification(HWND dialog) {
    CloseLink();
    SetStatusText(dialog, TEXT_NOT_CONNECTED);
    InvalidateRect(dialog, NULL, FALSE);
    LinkState = LINK_CLOSED;
}
