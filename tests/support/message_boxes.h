// Records every message box the code under test shows, and closes it: the
// MessageBoxW import is interposed on (the real box still opens), and a CBT
// hook presses its default button once it is up.
#ifndef TESTS_MESSAGE_BOXES_H
#define TESTS_MESSAGE_BOXES_H

#include <windows.h>

#include <string>
#include <vector>

struct ShownBox {
    HWND owner;
    std::string text;     // UTF-8
    std::string caption;
    UINT flags;
};

void StartRecordingBoxes(void);
std::vector<ShownBox>& ShownBoxes(void);
// Called while a box is up, before it is closed (for checks of the dialog
// as the user sees it behind the box).
void OnBoxShown(void (*callback)(const ShownBox&));

#endif
