#include "core/win32/UnitMain.h"

#include <shlobj.h>

#include "core/DataFile.h"
#include "core/Globals.h"
#include "core/Hotkeys.h"
#include "core/OsServices.h"
#include "core/ProductLinks.h"
#include "core/SharedRoutines.h"
#include "core/TreeRoutines.h"
#include "core/win32/UnitMenuBar.h"
#include "core/Version.h"
#include "resources/resource.h"
#include "settings/Settings.h"
#include "settings/win32/UnitCheckForUpdate.h"
#include "settings/win32/UnitLanguage.h"
#include "ui/Application.h"
#include "ui/WinText.h"

TFmMain::TFmMain() : TForm(u"TFmMain")
{
    ListBoxChinese = LoadBuiltInLanguageTable();
    TimerLogin.SetInterval(100);
    TimerLogin.OnTimer = [this] { TimerLoginTimer(); };
}

void TFmMain::CreateControls()
{
    TrayIcon1.SetOwner(Handle());
    TrayIcon1.SetIcon(static_cast<HICON>(
        LoadImageW(Application->Instance(), MAKEINTRESOURCEW(IDI_QUORVANE), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                   GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
    TrayIcon1.OnMouseDown = [this](TMouseButton b, int x, int y) { TrayIcon1MouseDown(b, x, y); };
    TrayIcon1.OnMouseUp = [this](TMouseButton b, int x, int y) { TrayIcon1MouseUp(b, x, y); };
    FormCreate();
}

void TFmMain::CreateParams(TCreateParams& params)
{
    TForm::CreateParams(params);
    params.Caption = u"Quorvane";
    params.ExStyle |= WS_EX_APPWINDOW;
    params.WndParent = nullptr; // the main window owns the taskbar button itself
    params.Width = params.Height = 0;
    params.X = params.Y = -100;
}

void TFmMain::FormCreate()
{
    SetBounds(-1, -1, 0, 0);
    PostMessageW(Handle(), UM_USERMSG, UserMsgStartup, 0);
}

LRESULT TFmMain::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (TrayIcon1.HandleMessage(msg, wParam, lParam))
        return 0;
    if (msg == UM_USERMSG) {
        UserMsg(wParam);
        return 0;
    }
    if (msg == WM_CLOSE) {
        // Closed from outside (its taskbar button during start-up, a task manager): as Exit.
        if (FmMenuBar)
            FmMenuBar->ActionExitExecute();
        return 0;
    }
    return TForm::WndProc(msg, wParam, lParam);
}

void TFmMain::UserMsg(WPARAM code)
{
    if (code == UserMsgStartup) {
        TimerLogin.SetEnabled(true);
    } else if (code == UserMsgUpdateAvailable) {
        // The framework's own box: not counted, so hotkeys and tray clicks go on working.
        if (Application->MessageDialog(UpdateMessage, ProgramName, MB_YESNO | MB_ICONQUESTION) == IDYES)
            OsShell().ShellOpen(0, ProductDownloadPage, SW_SHOW);
    }
}

namespace {
String ProgramFolder()
{
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    String folder = FromW(path);
    return folder.substr(0, folder.find_last_of(u"\\/") + 1);
}
} // namespace

void TFmMain::TimerLoginTimer()
{
    TimerLogin.SetEnabled(false);
    if (TimerLogin.Tag == 1)
        return;
    TimerLogin.Tag = 1;

    AppFolder = ProgramFolder();
    DataFolder = GetSpecialFolderPath(CSIDL_APPDATA_FOLDER) + u"\\Quorvane\\" + ProgramVersion;
    if (GetFileAttributesW(ToW(DataFolder).c_str()) == INVALID_FILE_ATTRIBUTES)
        SHCreateDirectoryExW(nullptr, ToW(DataFolder).c_str(), nullptr);
    DataFile = DataFolder + u"\\Quorvane.db";
    TTreeNodes& items = SnippetTree();
    SetNodeGlobals(items);
    if (!OsFiles().FileExists(DataFile))
        SaveDataFile(items, RootNode);
    LanguagesFolder = AppFolder + u"Languages";
    LoadDefaultLanguage();
    LoadSettings();
    // A template that cannot be written is reported, and the program starts with the texts
    // applied so far.
    Guarded([] { ApplyLanguage(); });
    AddClipboardMenuRows(items, ClipboardsNode);
    AddMessageMenuRows(items, MessagesNode);
    LoadDataFile(items, RootNode);
    FmMenuBar->InitToolBarMenu();
    FmMenuBar->JoinClipboardChain();
    RegisterAllHotkeys(items);

    ShowWindow(Application->Handle(), SW_HIDE);
    Application->SetTitle(ProgramName);
    TrayIcon1.SetHint(Application->Title() + u" " + ProgramVersion);
    TrayIcon1.SetVisible(true);
    FmMenuBar->Show();
    Hide();
    startupFinished_ = true;
    TCheckForUpdate::Start(Handle());
}

void TFmMain::TrayIcon1MouseDown(TMouseButton button, int, int)
{
    if (button == TMouseButton::Left) {
        FmMenuBar->Show();
        FmMenuBar->SetTop(0);
    }
    SetWindowPos(FmMenuBar->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void TFmMain::TrayIcon1MouseUp(TMouseButton button, int, int)
{
    POINT cursor{};
    GetCursorPos(&cursor);
    if (ModalWindowOpen()) {
        ModalClickAndBeep();
        return;
    }
    if (button == TMouseButton::Right) {
        SetForegroundWindow(Handle());
        FmMenuBar->PopupTrayMenu(Handle(), cursor.x, cursor.y);
    }
}
