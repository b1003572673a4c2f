#include "settings/UnitLanguage.h"

#include <windows.h>

#include <memory>

#include "core/Globals.h"
#include "core/UnitMain.h"
#include "organize/UnitOrg.h"
#include "resources/resource.h"
#include "settings/UnitOptions.h"
#include "ui/Application.h"

namespace {
// The dialogs template mode made: hidden, kept until the program ends. A later template-mode run
// that finds the global empty again (an opener freed its own dialog) takes the kept one back.
struct TTemplateDialogs {
    std::unique_ptr<TFmOptions> Options;
    std::unique_ptr<TFmOrg> Organize;
} templateDialogs;

template <class TDialog>
void CreateHidden(TDialog*& global, std::unique_ptr<TDialog>& kept)
{
    if (global)
        return;
    if (!kept)
        kept = std::make_unique<TDialog>();
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

void ApplyLanguage()
{
    if (IsTemplateMode()) {
        DefaultEnglishLines.clear();
        // Every dialog exists, hidden, so that every section reaches the template; the New
        // chooser, the name dialogs, the editor, Organize, the viewer and About follow Options
        // here in this order.
        CreateHidden(FmOptions, templateDialogs.Options);
        CreateHidden(FmOrg, templateDialogs.Organize);
    }
    TLanguageRun run(FmMain ? FmMain->ListBoxChinese : TStringList{});

    ApplyProgramTexts(run);
    Application->SetTitle(ProgramName);
    if (FmMain) {
        FmMain->SetCaption(ProgramName);
        FmMain->TrayIcon1.SetHint(ProgramName + u" 1.0");
    }
    if (FmMenuBar)
        ApplyMainMenuTexts(run);
    if (FmOptions)
        ApplyOptionsWindowTexts(run, *FmOptions);
    // //NewWindow, //NewMenuWindow, //NewFolderWindow and //MessageWindow come here, each while
    // its window exists.
    if (FmOrg)
        ApplyOrganizeWindowTexts(run, *FmOrg);
    // //ViewMessageWindow and //RenameWindow come here, each while its window exists.
    ApplyPopupMenuTexts(run);
    // //AboutWindow comes here while FmAbout exists.

    if (IsTemplateMode())
        SaveTemplateFile();
}

void FreeTemplateDialogs()
{
    if (FmOptions == templateDialogs.Options.get())
        FmOptions = nullptr;
    templateDialogs.Options.reset();
    if (FmOrg == templateDialogs.Organize.get())
        FmOrg = nullptr;
    templateDialogs.Organize.reset();
}
