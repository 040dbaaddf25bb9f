// The port list: which port the user chose, and what touching the list does.
#include "port_list.h"

#include <cstdio>
#include <cstring>

#include "../link/windows/port_map.h"
#include "../resources/resource_names.h"
#include "../texts/windows/window_texts.h"
#include "dialog_actions.h"
#include "control_ids.h"

int portRows = PORT_COUNT;
char portNames[PORT_ROWS_MAX][PORT_NAME_SIZE] = {"COM1", "COM2", "COM3", "COM4", "COM5",
                                              "COM6", "COM7", "COM8", "COM9", "COM10"};

// Rows from the ten on: the mapped ports above COM10. Returns the row count.
static int MappedRows(char rows[PORT_ROWS_MAX][PORT_NAME_SIZE]) {
    int numbers[PORT_NUMBER_MAX], count = ReadPortMap(numbers), total = PORT_COUNT;
    for (int i = 0; i < count && total < PORT_ROWS_MAX; i++)
        if (numbers[i] > PORT_COUNT) snprintf(rows[total++], PORT_NAME_SIZE, "COM%d", numbers[i]);
    return total;
}

void RefreshPortList(HWND list) {
    char rows[PORT_ROWS_MAX][PORT_NAME_SIZE] = {};
    int total = MappedRows(rows);
    size_t extra = (size_t)(total - PORT_COUNT) * PORT_NAME_SIZE;
    if (total == portRows && memcmp(rows[PORT_COUNT], portNames[PORT_COUNT], extra) == 0) return;
    char chosen[512] = "";
    GetWindowTextA(list, chosen, sizeof chosen);
    bool typed = SendMessageA(list, CB_GETCURSEL, 0, 0) < 0;
    while (SendMessageA(list, CB_GETCOUNT, 0, 0) > PORT_COUNT) SendMessageA(list, CB_DELETESTRING, PORT_COUNT, 0);
    memcpy(portNames[PORT_COUNT], rows[PORT_COUNT], extra);
    portRows = total;
    for (int row = PORT_COUNT; row < total; row++) SendMessageA(list, CB_ADDSTRING, 0, (LPARAM)portNames[row]);
    LRESULT row = typed ? CB_ERR : SendMessageA(list, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)chosen);
    SendMessageA(list, CB_SETCURSEL, row == CB_ERR ? (WPARAM)-1 : (WPARAM)row, 0);
    if (row == CB_ERR) SetWindowTextA(list, chosen);  // a port that has gone stays as text
}

void FillPortList(HWND list) {
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (int row = 0; row < PORT_COUNT; row++) SendMessageA(list, CB_ADDSTRING, 0, (LPARAM)portNames[row]);
    SendMessageA(list, CB_SETCURSEL, 0, 0);
    portRows = PORT_COUNT;
    RefreshPortList(list);
}

void ChoosePort(HWND list, int number) {
    char name[PORT_NAME_SIZE];
    snprintf(name, sizeof name, "COM%d", number);
    LRESULT row = SendMessageA(list, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)name);
    if (row == CB_ERR && portRows < PORT_ROWS_MAX) {
        memcpy(portNames[portRows], name, sizeof name);
        row = SendMessageA(list, CB_ADDSTRING, 0, (LPARAM)portNames[portRows++]);
    }
    SendMessageA(list, CB_SETCURSEL, (WPARAM)row, 0);
}

int SelectedPortNumber(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_PORT_LIST);
    LRESULT row = SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (row >= 0 && row < portRows) return PortNumberOfText(portNames[row], strlen(portNames[row]));
    char text[64] = "";
    // A longer text would be cut here, and its start could name a port that
    // the whole text does not.
    if (GetWindowTextLengthA(list) >= (int)sizeof text) return 0;
    GetWindowTextA(list, text, sizeof text);
    return PortNumberOfText(text, strlen(text));
}

void SelectedPortName(HWND dialog, char name[PORT_NAME_SIZE]) {
    snprintf(name, PORT_NAME_SIZE, "COM%d", SelectedPortNumber(dialog));
}

void OnPortListNotification(HWND dialog, int code) {
    CloseLink();
    SetStatusText(dialog, TEXT_NOT_CONNECTED);
    InvalidateRect(dialog, NULL, FALSE);
    LinkState = LINK_CLOSED;
    // Ports come and go with their devices: entering the list shows them as they are now.
    if (code == CBN_SETFOCUS || code == CBN_DROPDOWN) RefreshPortList(GetDlgItem(dialog, IDC_PORT_LIST));
}
