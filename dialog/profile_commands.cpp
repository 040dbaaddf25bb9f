// The dialog's Save and Load commands: file dialogs, boxes, and the order in
// which the pad is read, restarted, set and read back.
#include <windows.h>
#include <commdlg.h>

#include "../link/serial_link.h"
#include "../profile/profile.h"
#include "../resources/resource_names.h"
#include "../texts/windows/window_texts.h"
#include "dialog_actions.h"
#include "control_ids.h"
#include "instance.h"
#include "profile_commands.h"

static WCHAR profilePath[PATH_SIZE], fileTypes[128], message[MESSAGE_SIZE];
static char profileText[PROFILE_TEXT_MAX];

// "Pad settings (*.padprofile)", then the pattern, each ended by a NUL.
static void PrepareFileDialog(OPENFILENAMEW* box, HWND owner, DWORD flags) {
    WCHAR name[64] = L"";
    LoadStringW(hInstance, TEXT_PROFILE_FILES, name, ARRAYSIZE(name));
    int length = wsprintfW(fileTypes, L"%s (*.%s)|*.%s|", name, PROFILE_EXTENSION, PROFILE_EXTENSION);
    for (int i = 0; i < length; i++)
        if (fileTypes[i] == L'|') fileTypes[i] = 0;
    fileTypes[length] = 0;
    ZeroMemory(box, sizeof *box);
    box->lStructSize = sizeof *box;
    box->hwndOwner = owner;
    box->lpstrFilter = fileTypes;
    box->lpstrFile = profilePath;
    box->nMaxFile = PATH_SIZE;
    box->lpstrDefExt = PROFILE_EXTENSION;
    box->Flags = flags | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
}

// False when no file was chosen: cancelled, or the dialog failed, which is told.
static bool ChooseFile(HWND dialog, OPENFILENAMEW* box, BOOL(WINAPI* choose)(OPENFILENAMEW*), UINT caption) {
    if (choose(box)) return true;
    DWORD error = CommDlgExtendedError();
    message[0] = 0;
    if (error) AppendText(message, TEXT_FILE_DIALOG_FAILED, error), ShowTextMessage(dialog, message, caption, MB_OK | MB_ICONERROR);
    return false;
}

static void ShowFileFailure(HWND dialog, UINT text, UINT caption, unsigned long error) {
    message[0] = 0;
    AppendFileFailure(message, text, profilePath, error);
    ShowTextMessage(dialog, message, caption, MB_OK | MB_ICONERROR);
}

// The count list's row; a count it has no row for, as the enabled boxes show it.
static int ShownButtonCount(HWND dialog) {
    int row = (int)SendMessageA(countListWindow, CB_GETCURSEL, 0, 0), enabled = 0;
    if (row >= 0) return row;
    for (int button = 0; button < BUTTON_COUNT_MAX; button++)
        enabled += IsWindowEnabled(GetDlgItem(dialog, ButtonControlId(button))) != FALSE;
    return enabled;
}

static void ShownProfile(HWND dialog, PadSettings* profile) {
    profile->buttons = ShownButtonCount(dialog);
    profile->direction = CheckedDirection(dialog);
    for (int group = GROUP_B; group <= GROUP_E; group++) profile->masks[group] = CheckedMask(dialog, (ButtonGroup)group);
}

void SaveProfileForUser(HWND dialog) {
    if (!ShowsReadConfiguration(dialog)) return;  // the menu offers it only then
    OPENFILENAMEW box;
    PrepareFileDialog(&box, dialog, OFN_OVERWRITEPROMPT);
    if (!ChooseFile(dialog, &box, GetSaveFileNameW, TEXT_SAVE_CAPTION)) return;
    PadSettings profile;
    ShownProfile(dialog, &profile);
    size_t length = FormatProfile(profile, profileText, sizeof profileText);
    unsigned long error = WriteProfileFile(profilePath, profileText, length);
    if (error) ShowFileFailure(dialog, TEXT_SAVE_FAILED, TEXT_SAVE_CAPTION, error);
}

// Yes: the restart runs as "USB再起動" runs it, with the file's count chosen.
// False when the pad is not in a state to go on with.
static bool MatchCount(HWND dialog, int count, bool* countKept) {
    int padCount = ShownButtonCount(dialog);
    *countKept = false;
    if (padCount == count) return true;
    message[0] = 0;
    AppendText(message, TEXT_ASK_RESTART, count, padCount);
    if (ShowTextMessage(dialog, message, TEXT_LOAD_CAPTION, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return *countKept = true;
    SendMessageA(countListWindow, CB_SETCURSEL, count, 0);
    RestartDevice(dialog);
    return ShowsReadConfiguration(dialog);
}

// The read after the settings, against the file.
static void TellHowPadMatches(HWND dialog, const PadSettings& wanted, bool countKept) {
    PadSettings pad;
    ShownProfile(dialog, &pad);
    message[0] = 0;
    int count = AppendDifferences(message, wanted, pad, countKept);
    ShowTextMessage(dialog, message, TEXT_LOAD_CAPTION, MB_OK | (count ? MB_ICONWARNING : MB_ICONINFORMATION));
}

// The pad's count comes from the dialog when it shows a read, else from one.
static void ApplyProfile(HWND dialog, const PadSettings& profile) {
    if (!ShowsReadConfiguration(dialog)) ReadPadConfiguration(dialog);
    bool countKept;
    if (!ShowsReadConfiguration(dialog) || !MatchCount(dialog, profile.buttons, &countKept)) return;
    if (CheckLink(dialog, WM_COMMAND, 0, 0)) {
        ShowNotConnected(dialog);
        return;
    }
    SetStatusText(dialog, TEXT_CONNECTED);
    SendProfileSettings(profile);
    if (ShowIfLinkLost(dialog)) return;
    ReadPadConfiguration(dialog);
    if (ShowsReadConfiguration(dialog)) TellHowPadMatches(dialog, profile, countKept);
}

void LoadProfileForUser(HWND dialog) {
    OPENFILENAMEW box;
    PrepareFileDialog(&box, dialog, OFN_FILEMUSTEXIST);
    if (!ChooseFile(dialog, &box, GetOpenFileNameW, TEXT_LOAD_CAPTION)) return;
    PadSettings profile;
    if (LoadProfileFile(profilePath, &profile, message) == PROFILE_LOADED) return ApplyProfile(dialog, profile);
    ShowTextMessage(dialog, message, TEXT_LOAD_CAPTION, MB_OK | MB_ICONERROR);
}
