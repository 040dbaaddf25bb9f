// The shipped padconfig.exe, started as a user starts it, driven from here.
#include <gtest/gtest.h>

#include <windows.h>

#include "remote_dialog.h"

namespace {

class ShippedProgram : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(StartPadconfig(program)) << "no dialog appeared"; }
    void TearDown() override { EndProgram(program); }
    RemoteProgram program;
};

TEST_F(ShippedProgram, ShowsOnlyTheDialogAndKeepsItsMainWindowHidden) {
    std::vector<HWND> visible = TopLevelWindows(program.process.dwProcessId, true);
    ASSERT_EQ(visible.size(), 1u) << "visible top-level windows";
    EXPECT_EQ(visible[0], program.dialog);
    HWND main = FindMainWindow(program.process.dwProcessId);
    ASSERT_NE(main, nullptr) << "no window of class Brisvel(USB)";
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_EQ(GetWindow(program.dialog, GW_OWNER), nullptr) << "the dialog has no owner";
}

TEST_F(ShippedProgram, ExitButtonEndsTheProcessWithCodeZero) {
    PostMessageA(GetDlgItem(program.dialog, 1), BM_CLICK, 0, 0);
    EXPECT_EQ(WaitForExit(program), 0);
}

TEST_F(ShippedProgram, CloseBoxEndsTheProcessWithCodeZero) {
    PostMessageA(program.dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(WaitForExit(program), 0);
}

TEST_F(ShippedProgram, EscapeDoesNotCloseTheDialog) {
    PostMessageA(program.dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(WaitForExit(program, 500), -1) << "the process ended on identifier 2";
    EXPECT_TRUE(IsWindowVisible(program.dialog));
}

TEST_F(ShippedProgram, CloseSentToTheHiddenMainWindowEndsTheProcessWithCodeZero) {
    HWND main = FindMainWindow(program.process.dwProcessId);
    ASSERT_NE(main, nullptr);
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(program), 0);
}

}  // namespace
