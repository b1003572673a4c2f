#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "Environment.h"
#include "core/Globals.h"
#include "core/OsServices.h"
#include "core/win32/UnitMain.h"
#include "core/win32/MenuBarClipboard.h"
#include "core/win32/UnitMenuBar.h"
#include "ui/WinText.h"

namespace {

HGLOBAL GlobalWith(const void* bytes, std::size_t size)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    return memory;
}

// Puts text on the clipboard, with one more registered format holding the given bytes.
void CopyMarked(const std::wstring& text, const wchar_t* mark, const void* bytes, std::size_t size)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, GlobalWith(text.c_str(), (text.size() + 1) * sizeof(wchar_t)));
    if (mark)
        SetClipboardData(RegisterClipboardFormatW(mark), GlobalWith(bytes, size));
    CloseClipboard();
}

TTreeNode* InHistory(const String& text)
{
    for (int i = 3; i < ClipboardsNode->Count(); ++i)
        if (ClipboardsNode->Item(i)->Content() == text)
            return ClipboardsNode->Item(i);
    return nullptr;
}

TEST(ClipboardViewer, APasswordManagersMarkedCopyIsNeitherCapturedNorSaved)
{
    ASSERT_TRUE(PumpUntil([] { return FmMain->TimerLogin.Tag == 1; }));
    const DWORD no = 0, yes = 1;
    const char anything = 'x';
    const struct {
        const wchar_t* mark;
        const void* bytes;
        std::size_t size;
        bool excluded;
    } cases[] = {
        {L"ExcludeClipboardContentFromMonitorProcessing", &anything, 1, true},
        {L"Clipboard Viewer Ignore", &anything, 1, true},
        {L"CanIncludeInClipboardHistory", &no, sizeof(no), true},
        {L"CanIncludeInClipboardHistory", &yes, sizeof(yes), false},
        {nullptr, nullptr, 0, false},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::wstring secret = L"secret " + std::to_wstring(++n);
        const std::wstring plain = L"plain " + std::to_wstring(n);
        SCOPED_TRACE(c.mark ? c.mark : L"no mark");
        CopyMarked(secret, c.mark, c.bytes, c.size);
        EXPECT_EQ(OsClipboard().ClipboardExcludedFromHistory(), c.excluded);
        CopyMarked(plain, nullptr, nullptr, 0);
        // The unmarked copy after it is captured as usual, and by then the marked one was seen.
        ASSERT_TRUE(PumpUntil([&] { return InHistory(FromW(plain)); }));
        EXPECT_EQ(InHistory(FromW(secret)) != nullptr, !c.excluded);
        for (const std::wstring& copied : {secret, plain})
            if (TTreeNode* entry = InHistory(FromW(copied)))
                SnippetTree().Delete(entry);
    }
}

TEST(ClipboardViewer, TheBarJoinsAtStartUpAndABarLeavesTheChainWhenDestroyed)
{
    ASSERT_TRUE(PumpUntil([] { return FmMain->TimerLogin.Tag == 1; }));
    EXPECT_EQ(GetClipboardViewer(), FmMenuBar->Handle());
    // The system shows a new viewer the clipboard once while it joins; that message is spent.
    EXPECT_FALSE(FmMenuBar->Clipboard().FirstClipboardMsg);

    // A second bar takes the menu font and the paste timer over while it lives.
    TFont* const menuFont = MenuFont;
    ITabPasteTimer* const tabPasteTimer = TabPasteTimer;
    {
        const auto secondWindow = MakeWindow<TFmMenuBar>();
        TFmMenuBar& second = *secondWindow;
        EXPECT_TRUE(second.Clipboard().FirstClipboardMsg);
        second.JoinClipboardChain();
        EXPECT_EQ(second.Clipboard().hNextClip, FmMenuBar->Handle());
        EXPECT_EQ(GetClipboardViewer(), second.Handle());
        EXPECT_FALSE(second.Clipboard().FirstClipboardMsg);
    }
    MenuFont = menuFont;
    TabPasteTimer = tabPasteTimer;
    EXPECT_EQ(GetClipboardViewer(), FmMenuBar->Handle());
}

} // namespace
