// The pad's device seen from the dialog: Windows asks before it removes a
// device (or updates its driver) and tells when one went or a port came. A
// handle held without asking to be told blocks the removal until a restart.
#include <windows.h>
#include <dbt.h>

#include "../link/serial_link.h"
#include "../link/windows/port_handle.h"
#include "dialog_actions.h"
#include "port_list.h"

static HWND watchingWindow;
static HDEVNOTIFY portWatch;

static void WatchPort(SerialPort* link) {
    if (portWatch) UnregisterDeviceNotification(portWatch);
    portWatch = NULL;
    HANDLE port = HandleOfPort(link);
    if (port == INVALID_HANDLE_VALUE || !watchingWindow) return;
    DEV_BROADCAST_HANDLE filter = {};
    filter.dbch_size = sizeof filter;
    filter.dbch_devicetype = DBT_DEVTYP_HANDLE;
    filter.dbch_handle = port;
    portWatch = RegisterDeviceNotificationW(watchingWindow, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void WatchDevices(HWND dialog) {
    watchingWindow = dialog;
    watchLinkPort = WatchPort;
}

// Removal of the open port's device, asked or done: the link lets it go at
// once. A port that arrives shows in the list as entering the list shows it.
INT_PTR OnDeviceChange(HWND dialog, WPARAM event, LPARAM data) {
    const DEV_BROADCAST_HDR* header = (const DEV_BROADCAST_HDR*)data;
    if (!header) return FALSE;
    bool removal = event == DBT_DEVICEQUERYREMOVE || event == DBT_DEVICEREMOVECOMPLETE;
    if (removal && header->dbch_devicetype == DBT_DEVTYP_HANDLE && LinkState == LINK_OPEN &&
        ((const DEV_BROADCAST_HANDLE*)header)->dbch_handle == HandleOfPort(linkPort)) {
        CloseLink();
        ShowNotConnected(dialog);
    }
    if (event == DBT_DEVICEARRIVAL && header->dbch_devicetype == DBT_DEVTYP_PORT) RefreshPortList(portListWindow);
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);  // a removal asked for is granted
    return TRUE;
}
