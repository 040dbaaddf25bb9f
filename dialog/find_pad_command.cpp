// "パッドを探す": the port whose device answers as the pad is chosen in the
// port list; the next action opens it as usual.
#include <cstring>

#include "../link/find_pad.h"
#include "../link/port_names.h"
#include "../link/serial_link.h"
#include "../resources/resource_names.h"
#include "../texts/windows/window_texts.h"
#include "dialog_actions.h"
#include "control_ids.h"
#include "port_list.h"

void FindPadForUser(HWND dialog) {
    SetEditControlsEnabled(dialog, 0);  // what the dialog shows may be another pad's
    SetStatusText(dialog, TEXT_FINDING);
    RefreshPortList(portListWindow);
    char name[PORT_PATH_SIZE];
    if (!FindPad(name)) {
        SetStatusText(dialog, TEXT_NOT_CONNECTED);
        ShowMessage(dialog, TEXT_NO_PAD, TEXT_FIND_CAPTION, MB_OK | MB_ICONINFORMATION);
        return;
    }
    int number = PortNumberOfText(name, strlen(name));
    ChoosePort(portListWindow, number);
    SetTextWithNumber(GetDlgItem(dialog, IDC_STATUS), TEXT_PAD_ON_PORT, number);
}
