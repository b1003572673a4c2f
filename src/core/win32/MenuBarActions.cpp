// The program commands of the menu bar and the tray menu built from the program menu.
#include <windows.h>

#include "core/ClipboardCapture.h"
#include "core/DataFile.h"
#include "core/win32/DialogOpener.h"
#include "core/Globals.h"
#include "core/Hotkeys.h"
#include "core/TrayMenu.h"
#include "core/win32/UnitMain.h"
#include "core/win32/UnitMenuBar.h"
#include "settings/win32/UnitAbout.h"
#include "organize/win32/UnitOrg.h"
#include "settings/win32/UnitLanguage.h"
#include "settings/win32/UnitOptions.h"
#include "ui/Application.h"
#include "settings/Settings.h"
#include "ui/WinText.h"

void TFmMenuBar::ActionOptionsExecute()
{
    // No hotkey pastes while the settings change; afterwards they come back when TurnOnHotkey is
    // on, after Cancel too (RegisterAllHotkeys asks it), so turning the option off leaves them off.
    WithHotkeysReleased(TreeViewData, [this] {
        const std::optional<TOptionsFields> options = TFmOptions::Edit(CurrentOptions());
        if (!options)
            return;
        SetOptions(*options);
        if (AutoDelete)
            TrimClipboardHistory(TreeViewData);
        // A template that cannot be written must not keep the new settings from the bar and the registry.
        Guarded([] { ApplyLanguage(); });
        InitToolBarMenu();
        SaveSettings();
    });
}

void TFmMenuBar::ActionOrganizeExecute(const TTreeNode* preselect)
{
    TDialogCommand<TFmOrg> command;
    command.Prepare = [preselect](TFmOrg& organize) { organize.LoadTreeNodeFromMenuData(preselect); };
    // The bar shows renamed, new and deleted menus; moves and deletions reach the file now.
    command.Apply = [this](TFmOrg&, int) {
        InitToolBarMenu();
        SaveDataFile(TreeViewData, RootNode);
    };
    OpenDialog(FmOrg, command);
}

void TFmMenuBar::ActionHelpExecute()
{
    // Nothing tells whether the file exists: without a help file the command does nothing visible.
    OsShell().ShellOpen(0, AppFolder + u"Quorvane.chm", SW_SHOWMAXIMIZED);
}

void TFmMenuBar::ActionAboutExecute() { OpenDialog(FmAbout, TDialogCommand<TFmAbout>{}); }

void TFmMenuBar::ActionTrayExecute() { Hide(); }

void TFmMenuBar::ActionExitExecute()
{
    // After a failed start-up the settings are defaults or half-placed (the bar never shown):
    // the user's own stay in the registry. The program ends even when the settings cannot be
    // written: the error box says why, and the user is not left with a program that cannot be closed.
    if (FmMain && FmMain->StartupFinished())
        Guarded([] { SaveSettings(); });
    Application->Terminate();
}

void TFmMenuBar::PopupTrayMenu(HWND owner, int x, int y) { PopupMenu1.Popup(owner, x, y); }

void TFmMenuBar::PopupMenu1Popup()
{
    PopupMenu1.Clear();
    BuildTrayMenuItems(ProgramMenuNode, PopupMenu1);
}

void TFmMenuBar::BuildTrayMenuItems(TTreeNode* menu, TPopupMenu& items)
{
    for (TTreeNode* row : TrayMenuRows(menu)) {
        // Bound by node identity.
        std::function<void(TMenuItem&)> onClick;
        if (row == OptionsNode)
            onClick = [this](TMenuItem&) { ActionOptionsExecute(); };
        else if (row == OrganizeNode)
            onClick = [this](TMenuItem&) { ActionOrganizeExecute(nullptr); };
        else if (row == HelpNode)
            onClick = [this](TMenuItem&) { ActionHelpExecute(); };
        else if (row == AboutNode)
            onClick = [this](TMenuItem&) { ActionAboutExecute(); };
        else if (row == ExitNode)
            onClick = [this](TMenuItem&) { ActionExitExecute(); };
        items.Add(row->Text, std::move(onClick));
    }
}
