#include "menus.h"

#include "../resources/resource_names.h"
#include "dialog_actions.h"
#include "control_ids.h"
#include "instance.h"

// The posted WM_NULL completes the switch to this window, so that the next
// menu too closes on a click elsewhere; TrackPopupMenu's documentation asks for it.
void TrackMenu(HWND window, const char* name, UINT flags, POINT at, UINT greyed) {
    HMENU menu = LoadMenuA(hInstance, name);
    if (greyed) EnableMenuItem(menu, greyed, MF_BYCOMMAND | MF_GRAYED);
    TrackPopupMenu(GetSubMenu(menu, 0), flags, at.x, at.y, 0, window, NULL);
    PostMessageA(window, WM_NULL, 0, 0);
    DestroyMenu(menu);
}

void ShowDialogMenu(HWND dialog, LPARAM point) {
    POINT at = {(LONG)LOWORD(point), (LONG)HIWORD(point)};
    ClientToScreen(dialog, &at);
    // Only a configuration that a read produced is worth saving.
    TrackMenu(dialog, RES_MENU, 0, at, ShowsReadConfiguration(dialog) ? 0 : IDM_SAVE_PROFILE);
}
