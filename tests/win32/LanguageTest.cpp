#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <windows.h>

#include "DialogAccess.h"
#include "Environment.h"
#include "UserState.h"
#include "core/Globals.h"
#include "core/win32/UnitMain.h"
#include "core/win32/MenuBarLabels.h"
#include "core/win32/UnitMenuBar.h"
#include "organize/win32/UnitViewMessage.h"
#include "organize/win32/UnitOrg.h"
#include "settings/win32/UnitLanguage.h"
#include "settings/win32/UnitAbout.h"
#include "settings/win32/UnitOptions.h"
#include "ui/Application.h"
#include "ui/Timer.h"
#include "ui/WinText.h"

namespace {

struct LanguageInWindows : testing::Test {
    TKeptSettingsKey settingsKey; // what OK in the Options window or a drag of the bar stores
    String language, languagesFolder;
    TStringList table;
    std::wstring folder;

    void SetUp() override
    {
        ASSERT_TRUE(PumpUntil([] { return FmMain->TimerLogin.Tag == 1; }));
        language = CurrentLanguage;
        languagesFolder = LanguagesFolder;
        table = FmMain->ListBoxChinese;
        wchar_t temp[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"QuorvaneTemplate";
        DeleteTree(folder);
    }
    void TearDown() override
    {
        CurrentLanguage = language;
        LanguagesFolder = languagesFolder;
        FmMain->ListBoxChinese = table;
        FreeTemplateDialogs();
        FmOptions = nullptr;
        ApplyLanguage();
        FmMenuBar->InitToolBarMenu();
        DeleteTree(folder);
    }
    std::wstring TemplatePath() const { return folder + L"\\Enlish(Program).ini"; }
    TStringList TemplateLines() const
    {
        HANDLE file = CreateFileW(TemplatePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                  nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return {};
        std::vector<std::uint8_t> bytes(GetFileSize(file, nullptr));
        DWORD read = 0;
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
        CloseHandle(file);
        EXPECT_TRUE(bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE);
        EXPECT_TRUE(bytes.size() >= 6 && bytes[bytes.size() - 4] == '\r' && bytes[bytes.size() - 2] == '\n');
        return LanguageTableLines(bytes);
    }
};

TEST_F(LanguageInWindows, StartupAppliedTheBuiltInTable)
{
    ASSERT_FALSE(FmMain->ListBoxChinese.empty());
    EXPECT_EQ(FmMain->ListBoxChinese.front(), u"//Program");
    EXPECT_EQ(FmMain->ListBoxChinese.back(), u"AboutWindow/Button/CheckForUpdates=Check for Updates...");
    EXPECT_EQ(ProgramName, u"Quorvane");
    EXPECT_EQ(FmMain->Caption(), u"Quorvane");
    EXPECT_EQ(Application->Title(), u"Quorvane");
    EXPECT_EQ(FmMain->TrayIcon1.Hint(), u"Quorvane 1.0");
    EXPECT_EQ(EmptyCaption, u"(Empty)");
    EXPECT_EQ(HelpNode->Text, u"Help");
    const char* labels[] = {"Manage", "Clipboards", "Messages"};
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(FmMenuBar->Labels().MenuLabel(i), nullptr);
        EXPECT_EQ(ToUtf8(FmMenuBar->Labels().MenuLabel(i)->Caption()), labels[i]);
    }
    EXPECT_EQ(ClipboardsNode->Item(0)->Text, u"Cut");
    EXPECT_EQ(MessagesNode->Item(1)->Text, u"Organize...");
}

TEST_F(LanguageInWindows, TheOptionsWindowAndTheBarTakeTheTablesTexts)
{
    FmMain->ListBoxChinese = {
        u"Program/Name=Kwor",
        u"MainMenu/Manage=Verwaltung und mehr",
        u"MainMenu/Clipboards/Cut=Ausschneiden",
        u"OptionsWindow/Title/Options=Einstellungen",
        u"OptionsWindow/GroupBox/General=Allgemein:",
        u"OptionsWindow/GroupBox/Clipboard/MaximumMessageCount=Anzahl:",
        u"OptionsWindow/GroupBox/Language/EditLanguageFile/CannotFindProgramFile=Nicht gefunden",
        u"OptionsWindow/Button/Ok=&Gut",
    };
    const auto optionsWindow = MakeWindow<TFmOptions>();
    TFmOptions& options = *optionsWindow;
    FmOptions = &options;
    const int labelWidth = Ui(options).LabelMaxCount->BoundsRect().right - Ui(options).LabelMaxCount->BoundsRect().left;
    ApplyLanguage();
    FmMenuBar->InitToolBarMenu();
    FmOptions = nullptr;

    EXPECT_EQ(ProgramName, u"Kwor");
    EXPECT_EQ(Application->Title(), u"Kwor");
    EXPECT_EQ(FmMain->TrayIcon1.Hint(), u"Kwor 1.0");
    EXPECT_EQ(FmMenuBar->Labels().MenuLabel(0)->Caption(), u"Verwaltung und mehr");
    EXPECT_EQ(ClipboardsNode->Item(0)->Text, u"Ausschneiden"); // the fixed-row pass
    EXPECT_EQ(options.Caption(), u"Einstellungen");
    EXPECT_EQ(Ui(options).GroupBoxGeneral->Text(), u"Allgemein:");
    EXPECT_EQ(Ui(options).BtnOk->Text(), u"&Gut");
    EXPECT_EQ(Ui(options).BtnCancel->Text(), u"Cancel"); // missing keys give the English defaults
    EXPECT_EQ(Ui(options).CheckBoxTurnOnHotkey->Text(), u"Turn on hotkey");
    EXPECT_EQ(Ui(options).CannotFindLanguageFileMsg, u"Nicht gefunden");
    EXPECT_EQ(Ui(options).LabelMaxCount->Text(), u"Anzahl:");
    const RECT label = Ui(options).LabelMaxCount->BoundsRect();
    EXPECT_LT(label.right - label.left, labelWidth); // the label fits its new text
    EXPECT_EQ(label.left, 40);
}

TEST_F(LanguageInWindows, BuiltInTextsOfTheOptionsWindowKeepTheirAccessKeys)
{
    const auto optionsWindow = MakeWindow<TFmOptions>();
    TFmOptions& options = *optionsWindow;
    FmOptions = &options;
    ApplyLanguage();
    FmOptions = nullptr;
    EXPECT_EQ(options.Caption(), u"Options");
    EXPECT_EQ(Ui(options).CheckBoxTurnOnHotkey->Text(), u"T&urn on hotkey");
    EXPECT_EQ(Ui(options).BtnDefault->Text(), u"&Default");
    EXPECT_EQ(Ui(options).BtnOk->Text(), u"&Ok");
    EXPECT_EQ(Ui(options).BtnCancel->Text(), u"&Cancel");
    EXPECT_EQ(Ui(options).LabelChangeLanguage->Text(), u"Change Language:");
}

TEST_F(LanguageInWindows, TemplateModeCreatesTheOptionsWindowHiddenAndWritesEverySection)
{
    CreateDirectoryW(folder.c_str(), nullptr);
    LanguagesFolder = FromW(folder);
    CurrentLanguage = u"GETdefaultENGLISH";
    ASSERT_EQ(FmOptions, nullptr);
    ApplyLanguage();
    ASSERT_NE(FmOptions, nullptr);
    EXPECT_FALSE(FmOptions->Visible());
    EXPECT_EQ(Ui(*FmOptions).BtnOk->Text(), u"&Ok"); // the shown texts still come from the table
    for (TForm* hidden : {static_cast<TForm*>(FmViewMessage), static_cast<TForm*>(FmAbout)}) {
        ASSERT_NE(hidden, nullptr);
        EXPECT_FALSE(hidden->Visible());
    }
    TFmOptions* kept = FmOptions;

    const TStringList lines = TemplateLines();
    ASSERT_GT(lines.size(), 2u);
    EXPECT_EQ(lines[0], u"//Program");
    EXPECT_EQ(lines[1], u"Program/Name=Quorvane");
    TStringList heads;
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].starts_with(u"//"))
            heads.push_back(i ? lines[i - 1] + u"|" + lines[i] : lines[i]);
    EXPECT_EQ(heads, (TStringList{u"//Program", u"|//MainMenu", u"|//OptionsWindow", u"|//NewWindow", u"|//NewMenuWindow",
                                  u"|//NewFolderWindow", u"|//MessageWindow", u"|//OrganizeWindow",
                                  u"|//ViewMessageWindow", u"|//RenameWindow", u"|//PopupMenu", u"|//AboutWindow"}));
    // The template records the English defaults without access keys...
    auto has = [&](const char16_t* line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); };
    EXPECT_TRUE(has(u"OptionsWindow/GroupBox/General/TurnOnHotkey=Turn on hotkey"));
    EXPECT_TRUE(has(u"OptionsWindow/Button/Cancel=Cancel"));
    EXPECT_TRUE(has(u"NewMenuWindow/Title/NewMenu=New Menu"));
    EXPECT_TRUE(has(u"RenameWindow/Label/Name=Name:"));
    EXPECT_TRUE(has(u"ViewMessageWindow/CheckBox/WordWarp=Word Warp"));
    EXPECT_TRUE(has(u"AboutWindow/Button/CheckForUpdates=Check for Updates..."));
    EXPECT_TRUE(has(u"OrganizeWindow/Button/Delete/DeleteItems=Are you sure you want to delete these items?"));
    ASSERT_NE(FmOrg, nullptr);
    EXPECT_FALSE(FmOrg->Visible());
    // ...and every section it holds has the built-in table's keys in the table's order (the
    // editor's title takes one of its two keys).
    auto keysOf = [](const TStringList& from) {
        std::map<String, TStringList> keys;
        String section;
        for (const String& line : from) {
            if (line.starts_with(u"//"))
                section = line;
            else if (!line.empty())
                keys[section].push_back(line.substr(0, line.find(u'=')));
        }
        return keys;
    };
    auto tableKeys = keysOf(table);
    // The hidden editor holds no message: its section has the new message's title only.
    std::erase(tableKeys[u"//MessageWindow"], u"MessageWindow/Title/EditMessage");
    for (const auto& [section, keys] : keysOf(lines)) {
        ASSERT_TRUE(tableKeys.count(section)) << ToUtf8(section);
        EXPECT_EQ(keys, tableKeys.at(section)) << ToUtf8(section);
    }

    // A second run neither makes another window nor grows the template.
    ApplyLanguage();
    EXPECT_EQ(FmOptions, kept);
    EXPECT_EQ(TemplateLines().size(), lines.size());
}

TEST_F(LanguageInWindows, ATemplateThatCannotBeWrittenLeavesTheTextsApplied)
{
    LanguagesFolder = FromW(folder); // the folder does not exist
    CurrentLanguage = u"GetDefaultEnglish";
    ProgramName = u"before";
    PopupSaveAsCaption = u"before";
    FmMain->ListBoxChinese = {u"Program/Name=Kwor"};
    EXPECT_THROW(ApplyLanguage(), EAppError);
    EXPECT_EQ(ProgramName, u"Kwor");
    EXPECT_EQ(Application->Title(), u"Kwor");
    EXPECT_EQ(PopupSaveAsCaption, u"Save As...");
    EXPECT_EQ(DefaultEnglishLines.front(), u"//Program");
    EXPECT_EQ(DefaultEnglishLines.back(), u"AboutWindow/Button/CheckForUpdates=Check for Updates...");
    EXPECT_FALSE(PathExists(TemplatePath()));
}

TEST_F(LanguageInWindows, OptionsStillOpensAndSavesWhenTheTemplateCannotBeWritten)
{
    // A folder in the template's place: it can never be written. A language file of the template
    // mode's name keeps the list's choice, so template mode stays on after OK.
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW(TemplatePath().c_str(), nullptr);
    CloseHandle(CreateFileW((folder + L"\\GetDefaultEnglish.ini").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            0, nullptr));
    LanguagesFolder = FromW(folder);
    CurrentLanguage = u"getdefaultenglish";
    std::vector<String> errors;
    auto saved = Application->OnException;
    Application->OnException = [&](const String& text) { errors.push_back(text); };
    bool shown = false;
    TTimer press;
    press.SetInterval(50);
    press.OnTimer = [&] {
        if (FmOptions && Application->ModalLevel > 0 && FmOptions->Visible()) {
            press.SetEnabled(false);
            shown = true;
            SendMessageW(Ui(*FmOptions).BtnOk->Handle(), BM_CLICK, 0, 0);
        }
    };
    press.SetEnabled(true);
    FmMenuBar->ActionOptionsExecute();
    Application->OnException = saved;
    EXPECT_TRUE(shown);
    ASSERT_EQ(errors.size(), 2u); // before the window opened and after OK
    EXPECT_NE(errors[0].find(u"Enlish(Program).ini"), String::npos) << ToUtf8(errors[0]);
    // OK went on to store the settings.
    EXPECT_EQ(CurrentLanguage, u"GetDefaultEnglish");
    wchar_t stored[64] = L"";
    DWORD size = sizeof(stored);
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Quorvane-cn\\1.0", L"CurrentLanguage", RRF_RT_REG_SZ,
                           nullptr, stored, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(stored), L"GetDefaultEnglish");
}

} // namespace
