#include "settings/UnitLanguage.h"

#include <windows.h>

#include <memory>

#include "core/Globals.h"
#include "core/UnitMain.h"
#include "core/Version.h"
#include "organize/UnitMessage.h"
#include "organize/UnitNew.h"
#include "organize/UnitRename.h"
#include "organize/UnitViewMessage.h"
#include "organize/UnitOrg.h"
#include "resources/resource.h"
#include "settings/UnitAbout.h"
#include "settings/UnitOptions.h"
#include "ui/Application.h"

namespace {
// The dialogs template mode made: hidden, kept until the program ends. A later template-mode run
// that finds the global empty again (an opener freed its own dialog) takes the kept one back.
struct TTemplateDialogs {
    std::unique_ptr<TFmOptions> Options;
    std::unique_ptr<TFmNew> New;
    std::unique_ptr<TFmAddFolderRename> NewMenu;
    std::unique_ptr<TFmAddFolderRename> NewFolder;
    std::unique_ptr<TFmMessage> Message;
    std::unique_ptr<TFmOrg> Organize;
    std::unique_ptr<TFmViewMessage> ViewMessage;
    std::unique_ptr<TFmAddFolderRename> Rename;
    std::unique_ptr<TFmAbout> About;
} templateDialogs;

template <class TDialog>
void FreeHidden(TDialog*& global, std::unique_ptr<TDialog>& kept)
{
    if (global == kept.get())
        global = nullptr;
    kept.reset();
}

template <class TDialog>
void CreateHidden(TDialog*& global, std::unique_ptr<TDialog>& kept)
{
    if (global)
        return;
    if (!kept)
        kept = MakeWindow<TDialog>();
    global = kept.get();
}
} // namespace

TStringList LoadBuiltInLanguageTable()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(IDR_LANGUAGETABLE), RT_RCDATA);
    if (!resource)
        return {};
    HGLOBAL loaded = LoadResource(instance, resource);
    const auto* bytes = static_cast<const std::uint8_t*>(LockResource(loaded));
    if (!bytes)
        return {};
    return LanguageTableLines(std::vector<std::uint8_t>(bytes, bytes + SizeofResource(instance, resource)));
}

void ApplyOptionsWindowTexts(TLanguageRun& run, TFmOptions& options)
{
    run.Section(u"OptionsWindow");
    options.SetCaption(run.Text(u"OptionsWindow/Title/Options", u"Options"));
    options.GroupBoxGeneral->SetText(run.Text(u"OptionsWindow/GroupBox/General", u"General:"));
    options.CheckBoxAutoHide->SetText(
        run.Text(u"OptionsWindow/GroupBox/General/AutoHideMenubar", u"Auto hide menu bar"));
    options.CheckBoxTurnOnHotkey->SetText(run.Text(u"OptionsWindow/GroupBox/General/TurnOnHotkey", u"Turn on hotkey"));
    options.GroupBoxClipboard->SetText(run.Text(u"OptionsWindow/GroupBox/Clipboard", u"Clipboard:"));
    options.CheckBoxAutoCapture->SetText(
        run.Text(u"OptionsWindow/GroupBox/Clipboard/AutoCaptureClipboardMessage", u"Auto capture clipboard message"));
    options.CheckBoxAutoDelete->SetText(run.Text(u"OptionsWindow/GroupBox/Clipboard/AutoDeleteOldClipboardMessage",
                                                 u"Auto delete old clipboard message"));
    options.LabelMaxCount->SetText(
        run.Text(u"OptionsWindow/GroupBox/Clipboard/MaximumMessageCount", u"Maximum message count:"));
    options.GroupBoxLanguage->SetText(run.Text(u"OptionsWindow/GroupBox/Language", u"Language:"));
    options.LabelChangeLanguage->SetText(
        run.Text(u"OptionsWindow/GroupBox/Language/ChangeLanguage", u"Change Language:"));
    options.BtnEditLanguageFile->SetText(
        run.Text(u"OptionsWindow/GroupBox/Language/EditLanguageFile", u"Edit Language File..."));
    options.CannotFindLanguageFileMsg = run.Text(
        u"OptionsWindow/GroupBox/Language/EditLanguageFile/CannotFindProgramFile", u"Cannot find the program file");
    options.BtnDefault->SetText(run.Text(u"OptionsWindow/Button/Default", u"Default"));
    options.BtnOk->SetText(run.Text(u"OptionsWindow/Button/Ok", u"Ok"));
    options.BtnCancel->SetText(run.Text(u"OptionsWindow/Button/Cancel", u"Cancel"));
}

// //NewMenuWindow, //NewFolderWindow and //RenameWindow: one window class, told apart by the
// section word and the title's key word.
void ApplyNameWindowTexts(TLanguageRun& run, TFmAddFolderRename& dialog, const String& section,
                          const String& titleWord, const String& title)
{
    run.Section(section);
    dialog.SetCaption(run.Text(section + u"/Title/" + titleWord, title));
    dialog.LabelName->SetText(run.Text(section + u"/Label/Name", u"Name:"));
    dialog.BtnOk->SetText(run.Text(section + u"/Button/Ok", u"Ok"));
    dialog.BtnCancel->SetText(run.Text(section + u"/Button/Cancel", u"Cancel"));
}

void ApplyNewWindowTexts(TLanguageRun& run, TFmNew& chooser)
{
    run.Section(u"NewWindow");
    chooser.SetCaption(run.Text(u"NewWindow/Title/New", u"New"));
    chooser.BtnNewMenu->SetText(run.Text(u"NewWindow/Button/NewMenu", u"New Menu..."));
    chooser.BtnNewFolder->SetText(run.Text(u"NewWindow/Button/NewFolder", u"New Folder..."));
    chooser.BtnNewMessage->SetText(run.Text(u"NewWindow/Button/NewMessage", u"New Message..."));
    chooser.BtnClose->SetText(run.Text(u"NewWindow/Button/Close", u"Close"));
}

void ApplyMessageWindowTexts(TLanguageRun& run, TFmMessage& editor)
{
    run.Section(u"MessageWindow");
    if (editor.CurNode)
        editor.SetCaption(run.Text(u"MessageWindow/Title/EditMessage", u"Edit Message"));
    else
        editor.SetCaption(run.Text(u"MessageWindow/Title/NewMessage", u"New Message"));
    editor.LabelName->SetText(run.Text(u"MessageWindow/Label/Name", u"Name:"));
    editor.LabelContent->SetText(run.Text(u"MessageWindow/Label/Content", u"Content:"));
    editor.LabelHotkey->SetText(run.Text(u"MessageWindow/Label/Hotkey", u"Hotkey:"));
    editor.CheckBoxWordWarp->SetText(run.Text(u"MessageWindow/CheckBox/WordWarp", u"Word Warp"));
    editor.SetCheckBoxWidth();
    editor.BtnInsert->SetText(run.Text(u"MessageWindow/Button/Insert", u"Insert"));
    editor.MnInsertDate->Caption = run.Text(u"MessageWindow/Button/Insert/InsertDate", u"Insert Date");
    editor.MnInsertTime->Caption = run.Text(u"MessageWindow/Button/Insert/InsertTime", u"Insert Time");
    editor.MnInsertKey->Caption = run.Text(u"MessageWindow/Button/Insert/InsertKey", u"Insert Key");
    editor.BtnOk->SetText(run.Text(u"MessageWindow/Button/Ok", u"Ok"));
    editor.HotkeyAlreadyExistsMsg = run.Text(u"MessageWindow/Button/Ok/Message/HotkeyAlreadyExists",
                                             u"The hotkey already exists. Do you want to select another hotkey?");
    editor.HotkeyRegistrationFailedMsg =
        run.Text(u"MessageWindow/Button/Ok/Message/HotkeyRegistrationFailed",
                 u"Hotkey registration failed. Do you want to select another hotkey?");
    editor.BtnCancel->SetText(run.Text(u"MessageWindow/Button/Cancel", u"Cancel"));
}

void ApplyOrganizeWindowTexts(TLanguageRun& run, TFmOrg& organize)
{
    run.Section(u"OrganizeWindow");
    organize.SetCaption(run.Text(u"OrganizeWindow/Title/Organize", u"Organize"));
    organize.SBtnNewMenu->SetCaption(run.Text(u"OrganizeWindow/Button/NewMenu", u"New Menu..."));
    organize.SBtnNewFolder->SetCaption(run.Text(u"OrganizeWindow/Button/NewFolder", u"New Folder..."));
    organize.SBtnNewMessage->SetCaption(run.Text(u"OrganizeWindow/Button/NewMessage", u"New Message..."));
    organize.SBtnRename->SetCaption(run.Text(u"OrganizeWindow/Button/Rename", u"Rename"));
    organize.SBtnEdit->SetCaption(run.Text(u"OrganizeWindow/Button/Edit", u"Edit..."));
    organize.SBtnDelete->SetCaption(run.Text(u"OrganizeWindow/Button/Delete", u"Delete"));
    organize.DeleteMessageMsg = run.Text(u"OrganizeWindow/Button/Delete/DeleteMessage",
                                         u"Are you sure you want to delete this message?");
    organize.DeleteFolderMsg =
        run.Text(u"OrganizeWindow/Button/Delete/DeleteFolder", u"Are you sure you want to delete this folder?");
    organize.DeleteItemsMsg =
        run.Text(u"OrganizeWindow/Button/Delete/DeleteItems", u"Are you sure you want to delete these items?");
    organize.SBtnSort->SetCaption(run.Text(u"OrganizeWindow/Button/Sort", u"Sort"));
    organize.SBtnImport->SetCaption(run.Text(u"OrganizeWindow/Button/Import", u"Import..."));
    organize.SBtnExport->SetCaption(run.Text(u"OrganizeWindow/Button/Export", u"Export..."));
    organize.SBtnClose->SetCaption(run.Text(u"OrganizeWindow/Button/Close", u"Close"));
}

void ApplyViewMessageWindowTexts(TLanguageRun& run, TFmViewMessage& viewer)
{
    run.Section(u"ViewMessageWindow");
    viewer.CheckBoxWordWarp->SetText(run.Text(u"ViewMessageWindow/CheckBox/WordWarp", u"Word Warp"));
    viewer.SetCheckBoxWidth();
}

void ApplyAboutWindowTexts(TLanguageRun& run, TFmAbout& about)
{
    run.Section(u"AboutWindow");
    about.SetCaption(run.Text(u"AboutWindow/Title/About", u"About"));
    about.LabelAppName->SetCaption(ProgramName);
    about.LabelVersion->SetText(run.Text(u"AboutWindow/Label/Version", u"Version:"));
    about.LabelHomePage->SetText(run.Text(u"AboutWindow/Label/HomePage", u"Home Page:"));
    about.LabelEmail->SetText(run.Text(u"AboutWindow/Label/Email", u"E-Mail:"));
    about.BtnOk->SetText(run.Text(u"AboutWindow/Button/Ok", u"Ok"));
    about.BtnCheckForUpdates->SetText(run.Text(u"AboutWindow/Button/CheckForUpdates", u"Check for Updates..."));
}

void ApplyLanguage()
{
    if (IsTemplateMode()) {
        DefaultEnglishLines.clear();
        // Every dialog exists, hidden, so that every section reaches the template; Organize
        // comes between the editor and the viewer.
        CreateHidden(FmOptions, templateDialogs.Options);
        CreateHidden(FmNew, templateDialogs.New);
        CreateHidden(FmNewMenu, templateDialogs.NewMenu);
        CreateHidden(FmNewFolder, templateDialogs.NewFolder);
        CreateHidden(FmMessage, templateDialogs.Message);
        CreateHidden(FmOrg, templateDialogs.Organize);
        CreateHidden(FmViewMessage, templateDialogs.ViewMessage);
        CreateHidden(FmRename, templateDialogs.Rename);
        CreateHidden(FmAbout, templateDialogs.About);
    }
    TLanguageRun run(FmMain ? FmMain->ListBoxChinese : TStringList{});

    ApplyProgramTexts(run);
    Application->SetTitle(ProgramName);
    if (FmMain) {
        FmMain->SetCaption(ProgramName);
        FmMain->TrayIcon1.SetHint(ProgramName + u" " + ProgramVersion);
    }
    if (FmMenuBar)
        ApplyMainMenuTexts(run);
    if (FmOptions)
        ApplyOptionsWindowTexts(run, *FmOptions);
    if (FmNew)
        ApplyNewWindowTexts(run, *FmNew);
    if (FmNewMenu)
        ApplyNameWindowTexts(run, *FmNewMenu, u"NewMenuWindow", u"NewMenu", u"New Menu");
    if (FmNewFolder)
        ApplyNameWindowTexts(run, *FmNewFolder, u"NewFolderWindow", u"NewFolder", u"New Folder");
    if (FmMessage)
        ApplyMessageWindowTexts(run, *FmMessage);
    if (FmOrg)
        ApplyOrganizeWindowTexts(run, *FmOrg);
    if (FmViewMessage)
        ApplyViewMessageWindowTexts(run, *FmViewMessage);
    if (FmRename)
        ApplyNameWindowTexts(run, *FmRename, u"RenameWindow", u"Rename", u"Rename");
    ApplyPopupMenuTexts(run);
    if (FmAbout)
        ApplyAboutWindowTexts(run, *FmAbout);

    if (IsTemplateMode())
        SaveTemplateFile();
}

void FreeTemplateDialogs()
{
    FreeHidden(FmOptions, templateDialogs.Options);
    FreeHidden(FmNew, templateDialogs.New);
    FreeHidden(FmNewMenu, templateDialogs.NewMenu);
    FreeHidden(FmNewFolder, templateDialogs.NewFolder);
    FreeHidden(FmMessage, templateDialogs.Message);
    FreeHidden(FmOrg, templateDialogs.Organize);
    FreeHidden(FmViewMessage, templateDialogs.ViewMessage);
    FreeHidden(FmRename, templateDialogs.Rename);
    FreeHidden(FmAbout, templateDialogs.About);
}
