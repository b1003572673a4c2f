// The message viewer and the About window, each opened the way a user opens it, looked at while
// its modal loop runs, and closed.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Environment.h"
#include "core/Globals.h"
#include "core/Hotkeys.h"
#include "core/NodeKinds.h"
#include "core/ProductLinks.h"
#include "core/TreeRoutines.h"
#include "core/win32/UnitMain.h"
#include "core/win32/UnitMenuBar.h"
#include "OsDoubles.h"
#include "menus/win32/UnitMenu.h"
#include "menus/win32/UnitWideMenuItem.h"
#include "organize/win32/UnitViewMessage.h"
#include "settings/win32/UnitAbout.h"
#include "settings/win32/UnitLanguage.h"
#include "ui/Application.h"
#include "ui/Timer.h"
#include "ui/WinText.h"

namespace {

// Runs look on the dialog in global once its modal loop runs, then closes it as its close box does.
template <class TDialog>
class WhenOpen {
public:
    WhenOpen(TDialog*& global, std::function<void(TDialog&)> look) : look_(std::move(look))
    {
        timer_.SetInterval(20);
        timer_.OnTimer = [this, &global] {
            if (global && Application->ModalLevel > 0 && global->Visible()) {
                timer_.SetEnabled(false);
                look_(*global);
                ran = true;
                PostMessageW(global->Handle(), WM_CLOSE, 0, 0);
            }
        };
        timer_.SetEnabled(true);
    }
    bool ran = false;

private:
    std::function<void(TDialog&)> look_;
    TTimer timer_;
};

String WindowText(HWND window)
{
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return FromW(text);
}

struct Viewer : testing::Test {
    TTreeNode* node = nullptr;
    void SetUp() override
    {
        ASSERT_TRUE(PumpUntil([] { return FmMain->TimerLogin.Tag == 1; }));
        node = SnippetTree().AddChild(MessagesNode, u"Greeting");
        node->ImageIndex = nkMessage;
        node->Data = u"Dear <^DATE>,\r\n" + String(300, u'w') + u"\r\nbye<^K=09>";
    }
    void TearDown() override
    {
        if (node)
            DeleteNodeTree(node);
    }
};

TEST_F(Viewer, ShowsTheNameAndTheTextAsStoredReadOnlyWithTheWrapSwitch)
{
    const bool hotkeysOn = TurnOnHotkey;
    TurnOnHotkey = true;
    node->StateIndex = HotkeyCtrl | HotkeyAlt | VK_F7;
    RegisterAllHotkeys(SnippetTree());
    WhenOpen<TFmViewMessage> look(FmViewMessage, [&](TFmViewMessage& viewer) {
        EXPECT_EQ(WindowText(viewer.Handle()), u"Greeting");
        EXPECT_EQ(viewer.MemoText->Text(), *node->Data); // macros as typed
        EXPECT_TRUE(viewer.MemoText->ReadOnly());
        EXPECT_TRUE(GetWindowLongW(viewer.Handle(), GWL_STYLE) & WS_THICKFRAME);
        EXPECT_EQ(viewer.ClientWidth(), 624);
        EXPECT_EQ(viewer.ClientHeight(), 462);
        EXPECT_EQ(viewer.CheckBoxWordWarp->Text(), u"&Word Warp"); // the language table's text
        EXPECT_TRUE(viewer.CheckBoxWordWarp->Checked());
        const RECT box = viewer.CheckBoxWordWarp->BoundsRect();
        EXPECT_EQ(box.right - box.left, DialogTextSize(u"Word Warp").cx + 20); // as wide as its caption
        EXPECT_EQ(box.left, 6);
        EXPECT_TRUE(node->Enabled) << "the hotkeys stay registered";
        auto style = [&] { return static_cast<DWORD>(GetWindowLongW(viewer.MemoText->Handle(), GWL_STYLE)); };
        EXPECT_FALSE(style() & WS_HSCROLL);
        EXPECT_TRUE(style() & WS_VSCROLL);
        SendMessageW(viewer.CheckBoxWordWarp->Handle(), BM_CLICK, 0, 0);
        EXPECT_TRUE(style() & WS_HSCROLL);
        EXPECT_TRUE(style() & ES_READONLY);
        EXPECT_EQ(viewer.MemoText->Text(), *node->Data);
        SendMessageW(viewer.CheckBoxWordWarp->Handle(), BM_CLICK, 0, 0);
        EXPECT_FALSE(style() & WS_HSCROLL);
        // Typing changes nothing.
        SendMessageW(viewer.MemoText->Handle(), WM_CHAR, L'x', 0);
        EXPECT_EQ(viewer.MemoText->Text(), *node->Data);
        // A larger window, a larger text area.
        viewer.SetBounds(viewer.Left(), viewer.Top(), viewer.Width() + 100, viewer.Height() + 50);
        const RECT memo = viewer.MemoText->BoundsRect();
        EXPECT_EQ(memo.right, viewer.ClientWidth());
        EXPECT_EQ(memo.bottom, viewer.ClientHeight() - 23);
    });
    ViewMessage(node);
    EXPECT_TRUE(look.ran);
    EXPECT_EQ(FmViewMessage, nullptr);
    EXPECT_EQ(Application->ModalLevel, 0);
    UnregisterAllHotkeys(SnippetTree());
    TurnOnHotkey = hotkeysOn;
}

TEST_F(Viewer, TheNodeMayLeaveTheTreeWhileTheViewerIsOpen)
{
    const String text = *node->Data;
    WhenOpen<TFmViewMessage> look(FmViewMessage, [&](TFmViewMessage& viewer) {
        DeleteNodeTree(node);
        node = nullptr;
        EXPECT_EQ(viewer.MemoText->Text(), text);
    });
    ViewMessage(node);
    EXPECT_TRUE(look.ran);
}

// The real services, with the shell's openings recorded instead of started.
class ShellRecordingOs : public TWin32Shell {
public:
    std::vector<std::string> opened;
    void ShellOpen(std::uintptr_t owner, StringView target, int show) override
    {
        opened.push_back((owner ? "owner " : "none ") + ToUtf8(target) + " " + std::to_string(show));
    }
};

struct AboutWindow : testing::Test {
    TOsServices real;
    ShellRecordingOs os;
    void SetUp() override
    {
        ASSERT_TRUE(PumpUntil([] { return FmMain->TimerLogin.Tag == 1; }));
        real = OsServices();
        SetOsServices(WithDouble(real, os));
    }
    void TearDown() override { SetOsServices(real); }
};

TEST_F(AboutWindow, ShowsNameAndVersionAndOpensEachLinkThroughTheShell)
{
    WhenOpen<TFmAbout> look(FmAbout, [&](TFmAbout& about) {
        EXPECT_EQ(WindowText(about.Handle()), u"About");
        // The name row shows the language table's program name, whatever the layout said.
        about.LabelAppName->SetCaption(u"layout");
        ApplyLanguage();
        EXPECT_EQ(about.LabelAppName->Caption(), ProgramName);
        EXPECT_EQ(about.LabelVersionNumber->Text(), u"1.0");
        EXPECT_EQ(about.LabelVersion->Text(), u"Version:");
        EXPECT_EQ(about.LabelHomePage->Text(), u"Home Page:");
        EXPECT_EQ(about.LabelEmail->Text(), u"E-Mail:");
        EXPECT_EQ(about.BtnCheckForUpdates->Text(), u"Check for Updates...");
        EXPECT_EQ(about.BtnOk->Text(), u"Ok");
        EXPECT_EQ(about.LabelHomePaggeURL->Caption(), ProductWebSite);
        EXPECT_EQ(about.LabelEMailURL->Caption(), ProductEmail);
        EXPECT_EQ(about.LabelQQ->Caption(), ProductMessengerNumber);
        EXPECT_EQ(about.ClientWidth(), 298 + 16);
        EXPECT_EQ(about.ClientHeight(), 196 + 16);
        EXPECT_EQ(GetWindow(about.Handle(), GW_OWNER), FmMain->Handle());

        // The pointer on a link underlines that link only; the caption labels never change.
        TLabel* links[] = {about.LabelHomePaggeURL, about.LabelEMailURL, about.LabelQQ};
        auto underlined = [](const TLabel& label) {
            LOGFONTW font{};
            GetObjectW(label.Font, sizeof(font), &font);
            return font.lfUnderline != 0;
        };
        for (TLabel* link : links) {
            link->DoMouseEnter();
            for (TLabel* other : links)
                EXPECT_EQ(underlined(*other), other == link);
            link->DoMouseLeave();
            EXPECT_FALSE(underlined(*link));
        }
        // The hand over a link, the arrow beside it.
        const POINT origin = about.LabelEMailURL->ClientOrigin();
        SetCursorPos(origin.x + 3, origin.y + about.LabelEMailURL->Height() / 2);
        SendMessageW(about.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(about.Handle()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));

        for (TLabel* link : links)
            link->Click();
        SendMessageW(about.BtnCheckForUpdates->Handle(), BM_CLICK, 0, 0);
    });
    FmMenuBar->ActionAboutExecute();
    EXPECT_TRUE(look.ran);
    EXPECT_EQ(FmAbout, nullptr);
    EXPECT_EQ(os.opened, (std::vector<std::string>{
                             "none " + ToUtf8(ProductWebSite) + " 5",
                             "owner mailto:" + ToUtf8(ProductEmail) + " 3",
                             "none " + ToUtf8(ProductMessengerChat) + " 5",
                             "owner " + ToUtf8(ProductDownloadPage) + " 3",
                         }));
}

TEST_F(AboutWindow, OkClosesItAndTheTrayMenuAndTheProgramMenuOpenIt)
{
    int opened = 0;
    WhenOpen<TFmAbout> first(FmAbout, [&](TFmAbout& about) {
        ++opened;
        SendMessageW(about.BtnOk->Handle(), BM_CLICK, 0, 0);
    });
    FmMenuBar->PopupMenu1Popup();
    bool found = false;
    for (const TMenuItem& item : FmMenuBar->TrayMenu().Items())
        if (item.Caption == AboutNode->Text) {
            const_cast<TMenuItem&>(item).Click();
            found = true;
        }
    EXPECT_TRUE(found);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(FmAbout, nullptr);

    WhenOpen<TFmAbout> second(FmAbout, [&](TFmAbout&) { ++opened; });
    FmMenu->Node = ProgramMenuNode;
    FmMenu->LoadData(10, 26);
    FmMenu->Show();
    for (TWideMenuItem* row : FmMenu->WideMenuItem)
        if (row->Node == AboutNode) {
            row->Click();
            break;
        }
    EXPECT_EQ(opened, 2);
    EXPECT_FALSE(FmMenu->Visible());
    FmMenu->Node = nullptr;
    FmMenu->LoadData(0, 0);
}

} // namespace
