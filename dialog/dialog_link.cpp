// The dialog's way into the link: the port chosen in the port list, and a
// port that cannot be opened told to the user.
#include "../link/serial_link.h"
#include "../resources/resource_names.h"
#include "../texts/windows/window_texts.h"
#include "dialog_actions.h"
#include "port_list.h"

static int ReportOpenFailure(HWND dialog) {
    ShowMessage(dialog, TEXT_OPEN_FAILED, TEXT_OPEN_CAPTION, MB_OK | MB_ICONERROR | MB_SYSTEMMODAL);
    ackBuffer[0] = 0;
    LinkState = LINK_FAILED;
    SetEditControlsEnabled(dialog, 0);
    return 0;
}

int OpenLink(HWND dialog) {
    if (LinkState == LINK_OPEN) return 1;  // the pad is not asked again
    char name[PORT_NAME_SIZE];
    SelectedPortName(dialog, name);
    OpenResult result = OpenPortLink(name);
    if (result == PORT_UNUSABLE || result == PORT_IN_USE || result == PORT_DENIED) return ReportOpenFailure(dialog);
    if (result == PORT_READY) return 1;
    LinkState = LINK_FAILED;
    return 0;
}

int CheckLink(HWND dialog, UINT, WPARAM, LPARAM) { return OpenLink(dialog) == 1 ? 0 : 1; }
