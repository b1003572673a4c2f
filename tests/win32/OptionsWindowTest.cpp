#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "DialogAccess.h"
#include "Environment.h"
#include "UserState.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/win32/UnitMain.h"
#include "core/win32/UnitMenuBar.h"
#include "settings/win32/UnitOptions.h"
#include "ui/Application.h"
#include "ui/Timer.h"
#include "ui/WinText.h"

namespace {

struct OptionsWindow : testing::Test {
    TKeptSettingsKey settingsKey; // what OK in the Options window or a drag of the bar stores
    // The settings after start-up, put back after each test.
    bool autoHide, turnOnHotkey, autoCapture, autoDelete;
    int count;
    String language, languagesFolder;

    void SetUp() override
    {
        ASSERT_TRUE(PumpUntil([] { return FmMain->TimerLogin.Tag == 1; }));
        autoHide = AutoHide;
        turnOnHotkey = TurnOnHotkey;
        autoCapture = AutoCapture;
        autoDelete = AutoDelete;
        count = ClipboardMaxCount;
        language = CurrentLanguage;
        languagesFolder = LanguagesFolder;
    }
    void TearDown() override
    {
        AutoHide = autoHide;
        TurnOnHotkey = turnOnHotkey;
        AutoCapture = autoCapture;
        AutoDelete = autoDelete;
        ClipboardMaxCount = count;
        CurrentLanguage = language;
        LanguagesFolder = languagesFolder;
        while (ClipboardsNode->Count() > 3)
            SnippetTree().Delete(ClipboardsNode->Item(3));
        FmMenuBar->InitToolBarMenu();
    }
    static RECT Bounds(const TStdControl& control) { return control.BoundsRect(); }
    static void Type(TStdControl& field, const wchar_t* text)
    {
        SetWindowTextW(field.Handle(), L"");
        for (const wchar_t* p = text; *p; ++p)
            SendMessageW(field.Handle(), WM_CHAR, *p, 0);
    }
};

TEST_F(OptionsWindow, LayoutWithTheLanguageGroupHiddenAndTheWindowShorter)
{
    const auto optionsWindow = MakeWindow<TFmOptions>(CurrentOptions());
    TFmOptions& options = *optionsWindow;
    EXPECT_EQ(ToUtf8(FromW([&] {
                  wchar_t caption[64] = L"";
                  GetWindowTextW(options.Handle(), caption, 64);
                  return std::wstring(caption);
              }())),
              "Options");
    const DWORD style = static_cast<DWORD>(GetWindowLongW(options.Handle(), GWL_STYLE));
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_FALSE(style & WS_THICKFRAME);
    // Owned by the program's hidden main window: no taskbar button of its own.
    EXPECT_EQ(GetWindow(options.Handle(), GW_OWNER), FmMain->Handle());
    EXPECT_FALSE(GetWindowLongW(options.Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    // The 378 x 336 layout inside an 8-pixel border, less the hidden language group.
    EXPECT_EQ(options.ClientWidth(), 378 + 16);
    EXPECT_EQ(options.ClientHeight(), 336 - 90 + 16);
    EXPECT_EQ(options.Left(), (GetSystemMetrics(SM_CXSCREEN) - options.Width()) / 2);
    EXPECT_EQ(options.Top(), (GetSystemMetrics(SM_CYSCREEN) - options.Height()) / 2);
    EXPECT_FALSE(Ui(options).GroupBoxLanguage->Visible());
    EXPECT_FALSE(Ui(options).ComboBoxLanguages->Visible());
    EXPECT_FALSE(Ui(options).BtnEditLanguageFile->Visible());

    const struct {
        TStdControl* control;
        RECT bounds;
        const char* caption;
    } controls[] = {
        {Ui(options).GroupBoxGeneral.get(), {8, 8, 386, 98}, "General:"},
        {Ui(options).CheckBoxAutoHide.get(), {24, 32, 368, 49}, "Auto hide menu bar"},
        {Ui(options).CheckBoxTurnOnHotkey.get(), {24, 62, 368, 79}, "T&urn on hotkey"},
        {Ui(options).GroupBoxClipboard.get(), {8, 98, 386, 218}, "Clipboard:"},
        {Ui(options).CheckBoxAutoCapture.get(), {24, 122, 368, 139}, "Auto capture clipboard message"},
        {Ui(options).CheckBoxAutoDelete.get(), {24, 152, 368, 169}, "Auto delete old clipboard message"},
        // 11 pixels below the groups, at the right end of the layout.
        {Ui(options).BtnDefault.get(), {145, 229, 220, 254}, "&Default"},
        {Ui(options).BtnOk.get(), {228, 229, 303, 254}, "&Ok"},
        {Ui(options).BtnCancel.get(), {311, 229, 386, 254}, "&Cancel"},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(c.caption);
        RECT r = Bounds(*c.control);
        EXPECT_TRUE(EqualRect(&r, &c.bounds)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
        EXPECT_EQ(ToUtf8(c.control->Text()), c.caption);
    }
    EXPECT_EQ(ToUtf8(Ui(options).LabelMaxCount->Text()), "Maximum message count:");
    EXPECT_EQ(Bounds(*Ui(options).LabelMaxCount).left, 40);
    EXPECT_EQ(Bounds(*Ui(options).LabelMaxCount).top, 183);
    // The field and its up-down together are 100 x 22 at (178, 178).
    RECT field = Bounds(*Ui(options).SpinEditMaxCount), upDown{};
    GetWindowRect(Ui(options).SpinEditMaxCount->UpDown(), &upDown);
    MapWindowPoints(HWND_DESKTOP, options.Handle(), reinterpret_cast<POINT*>(&upDown), 2);
    const int fieldLeft = std::max<int>(178, Bounds(*Ui(options).LabelMaxCount).right + 6);
    EXPECT_EQ(field.left, fieldLeft); // right of its label whatever the font
    EXPECT_EQ(field.top, 178);
    EXPECT_LE(upDown.right, fieldLeft + 100);
    EXPECT_GE(upDown.right, fieldLeft + 96);
    EXPECT_EQ(field.bottom, 200);
    int low = 0, high = 0;
    SendMessageW(Ui(options).SpinEditMaxCount->UpDown(), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                 reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 5);
    EXPECT_EQ(high, 99999);
    EXPECT_EQ(SendMessageW(Ui(options).SpinEditMaxCount->Handle(), EM_GETLIMITTEXT, 0, 0), 5);
    EXPECT_TRUE(GetWindowLongW(Ui(options).BtnOk->Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);

    // Tab order: the groups' controls, then Default, Ok, Cancel.
    std::vector<HWND> order;
    HWND h = Ui(options).CheckBoxAutoHide->Handle();
    for (int i = 0; i < 8; ++i, h = GetNextDlgTabItem(options.Handle(), h, FALSE))
        order.push_back(h);
    EXPECT_EQ(order, (std::vector<HWND>{Ui(options).CheckBoxAutoHide->Handle(), Ui(options).CheckBoxTurnOnHotkey->Handle(),
                                        Ui(options).CheckBoxAutoCapture->Handle(), Ui(options).CheckBoxAutoDelete->Handle(),
                                        Ui(options).SpinEditMaxCount->Handle(), Ui(options).BtnDefault->Handle(),
                                        Ui(options).BtnOk->Handle(), Ui(options).BtnCancel->Handle()}));
}

TEST_F(OptionsWindow, ControlsStartFromTheSettings)
{
    const struct {
        bool autoHide, hotkey, capture, autoDelete;
        int count, shown;
    } cases[] = {{true, false, false, false, 3, 5}, {false, true, true, true, 20, 20}, {false, true, true, true, 250000, 99999}};
    for (const auto& c : cases) {
        AutoHide = c.autoHide;
        TurnOnHotkey = c.hotkey;
        AutoCapture = c.capture;
        AutoDelete = c.autoDelete;
        ClipboardMaxCount = c.count;
        const auto optionsWindow = MakeWindow<TFmOptions>(CurrentOptions());
        TFmOptions& options = *optionsWindow;
        EXPECT_EQ(Ui(options).CheckBoxAutoHide->Checked(), c.autoHide);
        EXPECT_EQ(Ui(options).CheckBoxTurnOnHotkey->Checked(), c.hotkey);
        EXPECT_EQ(Ui(options).CheckBoxAutoCapture->Checked(), c.capture);
        EXPECT_EQ(Ui(options).CheckBoxAutoDelete->Checked(), c.autoDelete);
        EXPECT_EQ(Ui(options).SpinEditMaxCount->Value(), c.shown);
        EXPECT_EQ(Ui(options).SpinEditMaxCount->Enabled(), c.autoDelete);
        EXPECT_EQ(Ui(options).LabelMaxCount->Enabled(), c.autoDelete);
        EXPECT_EQ(IsWindowEnabled(Ui(options).SpinEditMaxCount->UpDown()) != FALSE, c.autoDelete);
    }
}

TEST_F(OptionsWindow, DefaultSetsTheControlsOnlyAndOkCopiesThem)
{
    AutoHide = true;
    AutoDelete = false;
    ClipboardMaxCount = 50;
    CurrentLanguage.clear();
    const auto optionsWindow = MakeWindow<TFmOptions>(CurrentOptions());
    TFmOptions& options = *optionsWindow;
    options.BtnDefaultClick();
    EXPECT_FALSE(Ui(options).CheckBoxAutoHide->Checked());
    EXPECT_TRUE(Ui(options).CheckBoxAutoDelete->Checked());
    EXPECT_TRUE(Ui(options).SpinEditMaxCount->Enabled()); // the click handler ran
    EXPECT_EQ(Ui(options).SpinEditMaxCount->Value(), 20);
    EXPECT_TRUE(AutoHide);
    EXPECT_EQ(ClipboardMaxCount, 50);

    SendMessageW(Ui(options).CheckBoxAutoDelete->Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(Ui(options).SpinEditMaxCount->Enabled());
    SendMessageW(Ui(options).CheckBoxAutoDelete->Handle(), BM_CLICK, 0, 0);

    const std::pair<const wchar_t*, int> typed[] = {{L"3", 5}, {L"99999", 99999}, {L"123456", 12345}, {L"-7", 5},
                                                    {L"", 5},  {L"+42", 42},       {L"4a2", 42}};
    for (auto [text, stored] : typed) {
        Type(*Ui(options).SpinEditMaxCount, text); // letters are refused as they are typed
        options.ModalResult = 0;
        options.BtnOkClick();
        EXPECT_EQ(options.Fields().ClipboardMaxCount, stored) << ToUtf8(FromW(text));
        EXPECT_EQ(options.ModalResult, mrOk);
    }
    const TOptionsFields confirmed = options.Fields();
    EXPECT_FALSE(confirmed.AutoHide);
    EXPECT_TRUE(confirmed.AutoDelete);
    EXPECT_EQ(confirmed.CurrentLanguage, u"Default(English)"); // no language file matched an empty name
    EXPECT_TRUE(AutoHide) << "the settings change only when the Options command takes what OK gave";
}

TEST_F(OptionsWindow, LanguageFilesAreListedAndTheCurrentOneSelected)
{
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"QuorvaneLanguages";
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW((folder + L"\\Folder.ini").c_str(), nullptr);
    // A folder is no language file whatever else its attributes say (Wine marks a name that
    // begins with a dot hidden, Windows takes the attribute).
    const std::wstring hidden = folder + L"\\.Hidden.ini";
    CreateDirectoryW(hidden.c_str(), nullptr);
    SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_NE(GetFileAttributesW(hidden.c_str()), DWORD(FILE_ATTRIBUTE_DIRECTORY));
    ASSERT_NE(GetFileAttributesW(hidden.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    for (const wchar_t* name : {L"Deutsch.ini", L"readme.txt", L"Francais.INI", L"noext"})
        CloseHandle(CreateFileW((folder + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    LanguagesFolder = FromW(folder);
    CurrentLanguage = u"deutsch";
    {
        const auto optionsWindow = MakeWindow<TFmOptions>(CurrentOptions());
        TFmOptions& options = *optionsWindow;
        std::vector<String> items;
        for (int i = 0; i < Ui(options).ComboBoxLanguages->Count(); ++i)
            items.push_back(Ui(options).ComboBoxLanguages->Item(i));
        ASSERT_EQ(items.size(), 3u);
        EXPECT_EQ(items[0], u"Default(English)");
        EXPECT_TRUE((items[1] == u"Deutsch" && items[2] == u"Francais") ||
                    (items[1] == u"Francais" && items[2] == u"Deutsch"));
        EXPECT_EQ(Ui(options).ComboBoxLanguages->Item(Ui(options).ComboBoxLanguages->ItemIndex()), u"Deutsch");
        options.BtnOkClick();
        EXPECT_EQ(options.Fields().CurrentLanguage, u"Deutsch");
    }
    for (const wchar_t* name : {L"Deutsch.ini", L"readme.txt", L"Francais.INI", L"noext"})
        DeleteFileW((folder + L"\\" + name).c_str());
    RemoveDirectoryW((folder + L"\\Folder.ini").c_str());
    SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(hidden.c_str());
    RemoveDirectoryW(folder.c_str());
}

// Presses a button of the Options window once its modal loop runs.
class PressWhenOpen {
public:
    explicit PressWhenOpen(std::function<void(TFmOptions&)> press) : press_(std::move(press))
    {
        timer_.SetInterval(50);
        timer_.OnTimer = [this] {
            if (FmOptions && Application->ModalLevel > 0 && FmOptions->Visible()) {
                timer_.SetEnabled(false);
                press_(*FmOptions);
            }
        };
        timer_.SetEnabled(true);
    }

private:
    std::function<void(TFmOptions&)> press_;
    TTimer timer_;
};

TEST_F(OptionsWindow, OkTrimsTheClipboardsRebuildsTheBarAndSavesTheSettings)
{
    AutoDelete = true;
    AutoHide = false;
    FmMenuBar->InitToolBarMenu();
    TTreeNodes& items = SnippetTree();
    while (ClipboardsNode->Count() > 3) // what other tests captured
        items.Delete(ClipboardsNode->Item(3));
    for (int i = 0; i < 10; ++i)
        items.AddChild(ClipboardsNode, u"entry " + String(1, char16_t(u'0' + i)))->ImageIndex = nkMessage;
    PressWhenOpen press([](TFmOptions& options) {
        SendMessageW(Ui(options).CheckBoxAutoHide->Handle(), BM_CLICK, 0, 0);
        SetWindowTextW(Ui(options).SpinEditMaxCount->Handle(), L"6");
        SendMessageW(Ui(options).BtnOk->Handle(), BM_CLICK, 0, 0);
    });
    FmMenuBar->ActionOptionsExecute();
    EXPECT_EQ(FmOptions, nullptr);
    EXPECT_EQ(Application->ModalLevel, 0);
    EXPECT_TRUE(AutoHide);
    EXPECT_EQ(ClipboardMaxCount, 6);
    ASSERT_EQ(ClipboardsNode->Count(), 3 + 6);
    EXPECT_EQ(ClipboardsNode->Item(3)->Text, u"entry 0");
    EXPECT_EQ(ClipboardsNode->Item(8)->Text, u"entry 5");
    EXPECT_EQ(FmMenuBar->Top(), -23);
    DWORD stored = 0, size = sizeof(stored);
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Quorvane-cn\\1.0", L"ClipboardMaxCount", RRF_RT_REG_DWORD,
                           nullptr, &stored, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(stored, 6u);
    size = sizeof(stored);
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\Quorvane-cn\\1.0", L"MenuBarTop", RRF_RT_REG_DWORD, nullptr, &stored,
                 &size);
    EXPECT_EQ(static_cast<int>(stored), -23);
}

TEST_F(OptionsWindow, CancelAfterDefaultChangesNothing)
{
    AutoHide = true;
    ClipboardMaxCount = 7;
    FmMenuBar->InitToolBarMenu();
    for (int i = 0; i < 10; ++i)
        SnippetTree().AddChild(ClipboardsNode, u"entry");
    PressWhenOpen press([](TFmOptions& options) {
        SendMessageW(Ui(options).BtnDefault->Handle(), BM_CLICK, 0, 0);
        SendMessageW(Ui(options).BtnCancel->Handle(), BM_CLICK, 0, 0);
    });
    FmMenuBar->ActionOptionsExecute();
    EXPECT_EQ(FmOptions, nullptr);
    EXPECT_TRUE(AutoHide);
    EXPECT_EQ(ClipboardMaxCount, 7);
    EXPECT_EQ(ClipboardsNode->Count(), 13);
}

} // namespace
