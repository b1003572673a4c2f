#include <gtest/gtest.h>
#include <windows.h>

#include "Environment.h"
#include "core/Globals.h"
#include "core/UnitMain.h"
#include "core/UnitMenuBar.h"

namespace {

TEST(ClipboardViewer, TheBarJoinsAtStartUpAndABarLeavesTheChainWhenDestroyed)
{
    ASSERT_TRUE(PumpUntil([] { return FmMain->TimerLogin.Tag == 1; }));
    EXPECT_EQ(GetClipboardViewer(), FmMenuBar->Handle());
    // The system shows a new viewer the clipboard once while it joins; that message is spent.
    EXPECT_FALSE(FmMenuBar->FirstClipboardMsg);

    TFont* const menuFont = MenuFont; // a second bar takes the menu font over while it lives
    {
        TFmMenuBar second;
        EXPECT_TRUE(second.FirstClipboardMsg);
        second.hNextClip = SetClipboardViewer(second.Handle());
        EXPECT_EQ(second.hNextClip, FmMenuBar->Handle());
        EXPECT_EQ(GetClipboardViewer(), second.Handle());
        EXPECT_FALSE(second.FirstClipboardMsg);
    }
    MenuFont = menuFont;
    EXPECT_EQ(GetClipboardViewer(), FmMenuBar->Handle());
}

} // namespace
