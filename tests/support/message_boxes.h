// Records every message box the code under test shows, and closes it: the
// MessageBoxW import is interposed on (the real box still opens), and a CBT
// hook presses its default button once it is up (Yes or No, as told, where
// the box asks).
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
// A box that asks Yes or No is answered so (IDYES, the start, or IDNO).
void AnswerYesNoWith(int button);
std::vector<ShownBox>& ShownBoxes(void);
// Called while a box is up, before it is closed (for checks of the dialog
// as the user sees it behind the box).
void OnBoxShown(void (*callback)(const ShownBox&));

#endif
