#include <gtest/gtest.h>
#include <windows.h>

#include "Environment.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/win32/UnitMain.h"
#include "core/win32/MenuBarLabels.h"
#include "core/win32/UnitMenuBar.h"
#include "menus/win32/UnitHint.h"
#include "menus/win32/UnitMenu.h"
#include "menus/win32/UnitPopupMenu.h"
#include "ui/Application.h"

namespace {

std::wstring ClassOf(HWND h)
{
    wchar_t name[64] = L"";
    GetClassNameW(h, name, 64);
    return name;
}

TEST(ProgramWindows, FiveWindowsInOrderWithTheirClasses)
{
    ASSERT_TRUE(FmMain && FmMenuBar && FmMenu && FmHint && FmPopupMenu);
    EXPECT_EQ(Application->MainForm, static_cast<TForm*>(FmMain));
    const std::pair<HWND, const wchar_t*> windows[] = {
        {FmMain->Handle(), L"TFmMain"}, {FmMenuBar->Handle(), L"TFmMenuBar"}, {FmMenu->Handle(), L"TFmMenu"},
        {FmHint->Handle(), L"TFmHint"}, {FmPopupMenu->Handle(), L"TFmPopupMenu"}};
    for (auto& [window, name] : windows)
        EXPECT_EQ(ClassOf(window), name);
}

TEST(ProgramWindows, BarMenusPreviewAndContextMenuNeverActivate)
{
    const std::pair<HWND, bool> windows[] = {{FmMenuBar->Handle(), true},
                                             {FmMenu->Handle(), true},
                                             {FmHint->Handle(), false},
                                             {FmPopupMenu->Handle(), true}};
    for (auto& [window, marked] : windows) {
        SCOPED_TRACE(testing::Message() << "window " << ClassOf(window).size());
        const DWORD style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
        EXPECT_EQ(style & ~(WS_VISIBLE | WS_CLIPSIBLINGS), static_cast<DWORD>(WS_POPUP));
        const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
        EXPECT_EQ(exStyle & 0x08000088u, 0x08000088u);
        EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
        EXPECT_TRUE(GetClassLongW(window, GCL_STYLE) & CS_SAVEBITS);
        EXPECT_EQ(SendMessageW(window, WM_MOUSEACTIVATE, 0, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)), MA_NOACTIVATE);
        EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA) == OwnWindowMarker, marked);
    }
    EXPECT_EQ(GetWindowLongPtrW(FmMenuBar->Labels().PanelMenuBar.Handle(), GWLP_USERDATA), OwnWindowMarker);
    EXPECT_EQ(FmMenuBar->ClientHeight(), TFmMenuBar::BarHeight);
    EXPECT_EQ(StateBeforeStartup().MenuBarLeft, GetSystemMetrics(SM_CXSCREEN)); // off screen until placed
    EXPECT_NE(MenuFont, nullptr);
}

TEST(ProgramWindows, MainWindowIsEmptyAndOffTheScreen)
{
    for (const TStateBeforeStartup& state : {StateBeforeStartup(), TStateBeforeStartup{0, FmMain->Left(), FmMain->Top(),
                                                                                       FmMain->Width(), FmMain->Height()}}) {
        EXPECT_EQ(state.MainWidth, 0);
        EXPECT_EQ(state.MainHeight, 0);
        EXPECT_EQ(state.MainLeft, -1);
        EXPECT_EQ(state.MainTop, -1);
    }
}

TEST(ProgramWindows, StartupRunsOnceAndLeavesOnlyTheTrayAndTheBar)
{
    EXPECT_FALSE(StateBeforeStartup().TrayIconVisible);
    ASSERT_TRUE(PumpUntil([] { return FmMain->TimerLogin.Tag == 1; }));
    EXPECT_FALSE(FmMain->TimerLogin.Enabled());
    EXPECT_FALSE(FmMain->Visible());
    EXPECT_TRUE(FmMenuBar->Visible());
    EXPECT_FALSE(IsWindowVisible(Application->Handle()));
    EXPECT_TRUE(FmMain->TrayIcon1.Visible());
    EXPECT_EQ(ToUtf8(FmMain->TrayIcon1.Hint()), "Quorvane 1.0");
    EXPECT_EQ(Application->Title(), u"Quorvane");
    EXPECT_EQ(FixedMenuCount, 3);
    EXPECT_EQ(ClipboardsCountAfterStartup(), 3);
    EXPECT_EQ(MessagesNode->Item(0)->ImageIndex, nkNew);
    EXPECT_EQ(DataFile, DataFolder + u"\\Quorvane.db");
    EXPECT_TRUE(DataFolder.ends_with(u"\\Quorvane\\1.0")) << ToUtf8(DataFolder);
    EXPECT_NE(GetFileAttributesW(reinterpret_cast<const wchar_t*>(DataFolder.c_str())), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(AppFolder.back(), u'\\');
    EXPECT_EQ(LanguagesFolder, AppFolder + u"Languages");

    // A second start-up message and tick change nothing.
    const int nodes = SnippetTree().Count();
    PostMessageW(FmMain->Handle(), UM_USERMSG, UserMsgStartup, 0);
    PumpUntil([] { return false; }, 400);
    EXPECT_EQ(SnippetTree().Count(), nodes);
    EXPECT_FALSE(FmMain->TimerLogin.Enabled());
}

} // namespace
