#include "screen_state.h"

#include "dialog_harness.h"

std::string BoxPattern(HWND dialog, bool (*holds)(HWND, int)) {
    std::string pattern;
    for (int i = 0; i < 32; i++) {
        if (i > 0 && i % 8 == 0) pattern += ' ';
        pattern += holds(dialog, 1027 + i) ? '1' : '0';
    }
    return pattern;
}

std::string Checked(HWND dialog) { return BoxPattern(dialog, IsChecked); }
std::string Enabled(HWND dialog) { return BoxPattern(dialog, IsEnabled); }

std::string CheckedRadios(HWND dialog) {
    std::string ids;
    for (int id = 1059; id <= 1067; id++)
        if (IsChecked(dialog, id)) ids += (ids.empty() ? "" : ",") + std::to_string(id);
    return ids;
}

int CountRow(HWND dialog) { return (int)SendDlgItemMessageA(dialog, 1017, CB_GETCURSEL, 0, 0); }
