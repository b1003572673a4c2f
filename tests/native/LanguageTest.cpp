#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "FakeOs.h"
#include "core/Globals.h"
#include "core/TreeRoutines.h"
#include "settings/Language.h"

namespace {

struct Language : testing::Test {
    FakeOs os;
    TTreeNodes items;
    void SetUp() override
    {
        BuildDefaultTree(items);
        SetNodeGlobals(items);
    }
    // Runs the sections of the core in the order of a language run.
    static void RunCoreSections(const TStringList& table)
    {
        TLanguageRun run(table);
        ApplyProgramTexts(run);
        ApplyMainMenuTexts(run);
        ApplyPopupMenuTexts(run);
    }
};

TEST_F(Language, LookupRules)
{
    const struct {
        const char* what;
        TStringList lines;
        String key;
        String expected;
    } cases[] = {
        {"missing key gives the default", {u"Other=x"}, u"Program/Name", u"DEFAULT"},
        {"empty table gives the default", {}, u"Program/Name", u"DEFAULT"},
        {"exact key", {u"Program/Name=Q"}, u"Program/Name", u"Q"},
        {"ASCII case ignored", {u"PROGRAM/name=Q"}, u"Program/Name", u"Q"},
        {"non-ASCII case counts", {u"\u00c4=upper"}, u"\u00e4", u"DEFAULT"},
        {"blank before = makes another key", {u"Program/Name =Q"}, u"Program/Name", u"DEFAULT"},
        {"blank before the key makes another key", {u" Program/Name=Q"}, u"Program/Name", u"DEFAULT"},
        {"blank after = stays in the text", {u"Program/Name= Q "}, u"Program/Name", u" Q "},
        {"only the first = splits", {u"A=b=c=="}, u"A", u"b=c=="},
        {"empty text is a text", {u"A="}, u"A", u""},
        {"first match wins", {u"a=first", u"A=second"}, u"A", u"first"},
        {"lines without = are skipped", {u"//A", u"A", u"", u"A=found"}, u"A", u"found"},
        {"NUL cuts the text", {String(u"A=be\0fore", 9)}, u"A", u"be"},
        {"NUL in the key part must match", {String(u"A\0=x", 4), u"A=y"}, u"A", u"y"},
        {"a key longer than the line's", {u"A=x"}, u"AB", u"DEFAULT"},
        {"a prefix is no match", {u"Program/Name/More=x"}, u"Program/Name", u"DEFAULT"},
        {"an empty key matches a line that starts with =", {u"=x"}, u"", u"x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(GetLanguageText(c.lines, c.key, u"DEFAULT"), c.expected);
    }
    EXPECT_TRUE(DefaultEnglishLines.empty()); // nothing recorded outside template mode
}

TEST_F(Language, TemplateModeByNameInAnyAsciiCase)
{
    const std::pair<String, bool> cases[] = {{u"GetDefaultEnglish", true},   {u"getdefaultenglish", true},
                                             {u"GETDEFAULTENGLISH", true},   {u"GetDefaultEnglish ", false},
                                             {u"GetDefaultEnglis", false},   {u"", false},
                                             {u"Default(English)", false}};
    for (const auto& [language, on] : cases) {
        CurrentLanguage = language;
        EXPECT_EQ(IsTemplateMode(), on) << ToUtf8(language);
    }
}

TEST_F(Language, TemplateModeRecordsEveryLookupWithItsDefault)
{
    CurrentLanguage = u"getDefaultEnglish";
    const TStringList table = {u"A=translated"};
    EXPECT_EQ(GetLanguageText(table, u"A", u"English"), u"translated"); // the table still wins
    EXPECT_EQ(GetLanguageText(table, u"B", u"x=y"), u"x=y");
    GetLanguageText(table, u"", u"//Section");
    AddDefaultEnglishLine(u"", u"");
    EXPECT_EQ(DefaultEnglishLines, (TStringList{u"A=English", u"B=x=y", u"//Section", u""}));
}

TEST_F(Language, TheWorkingListSplitsItemsAgain)
{
    const struct {
        TStringList items;
        TStringList lines;
    } cases[] = {
        {{}, {}},
        {{u"a", u"", u"b"}, {u"a", u"", u"b"}},
        {{u"a\r\nb", u"c\nd\re"}, {u"a", u"b", u"c", u"d", u"e"}},
        {{u"a\r"}, {u"a", u""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TLanguageRun(c.items).Lines(), c.lines);
    EXPECT_EQ(SplitLines(u"x\r\ny\n"), (TStringList{u"x", u"y"}));
    EXPECT_EQ(SplitLines(u"\n\n"), (TStringList{u"", u""}));
}

TEST_F(Language, TemplateBytesAndTheFileInTheLanguagesFolder)
{
    DefaultEnglishLines = {u"//P", u"K=\u00e9", u""};
    const std::vector<std::uint8_t> expected = {0xFF, 0xFE, '/', 0, '/', 0, 'P', 0, '\r', 0, '\n', 0, 'K', 0,
                                                '=',  0,    0xE9, 0, '\r', 0, '\n', 0, '\r', 0, '\n', 0};
    EXPECT_EQ(TemplateFileBytes(DefaultEnglishLines), expected);
    EXPECT_EQ(TemplateFileBytes({}), (std::vector<std::uint8_t>{0xFF, 0xFE}));

    LanguagesFolder = u"C:\\Q\\Languages";
    SaveTemplateFile();
    EXPECT_EQ(os.Files[u"C:\\Q\\Languages\\Enlish(Program).ini"], expected);

    os.FailWrites = true;
    EXPECT_THROW(SaveTemplateFile(), EAppError);
    EXPECT_EQ(DefaultEnglishLines.size(), 3u); // the lines stay for the next run
}

TEST_F(Language, CoreSectionsApplyTheTable)
{
    RunCoreSections({u"Program/Name=Kwor", u"program/updatemessage=New!", u"MainMenu/Manage=Verwalten",
                     u"MainMenu/Manage/Exit=Ende", u"MainMenu/Clipboards/Cut=Aus", u"MainMenu/Messages/Empty=",
                     u"PopupMenu/SaveAs=Speichern", u"PopupMenu/Delete/DeleteFolder=Ordner?"});
    EXPECT_EQ(ProgramName, u"Kwor");
    EXPECT_EQ(UpdateMessage, u"New!");
    EXPECT_EQ(ProgramMenuNode->Text, u"Verwalten");
    EXPECT_EQ(ExitNode->Text, u"Ende");
    EXPECT_EQ(HelpNode->Text, u"Help"); // the default tree said "Help..."
    EXPECT_EQ(CutCaption, u"Aus");
    EXPECT_EQ(EmptyCaption, u"");
    EXPECT_EQ(PopupSaveAsCaption, u"Speichern");
    EXPECT_EQ(PopupDeleteFolderMsg, u"Ordner?");
    EXPECT_EQ(PopupDeleteMessageMsg, u"Are you sure you want to delete this message?");
}

TEST_F(Language, ATableWithoutMenuKeysLeavesTheEnglishDefaults)
{
    ProgramMenuNode->Text = OptionsNode->Text = ClipboardsNode->Text = u"?";
    CutCaption = NewCaption = EmptyCaption = PopupCutToCaption = u"?";
    RunCoreSections({u"//MainMenu", u"Program/Name=Kwor"});
    const std::pair<const String*, const char*> texts[] = {
        {&ProgramMenuNode->Text, "Manage"},    {&OptionsNode->Text, "Options..."},
        {&OrganizeNode->Text, "Organize..."},  {&HelpNode->Text, "Help"},
        {&AboutNode->Text, "About..."},        {&MinimizeToTrayNode->Text, "Minimize to Tray"},
        {&ExitNode->Text, "Exit"},             {&ClipboardsNode->Text, "Clipboards"},
        {&MessagesNode->Text, "Messages"},     {&CutCaption, "Cut"},
        {&CopyCaption, "Copy"},                {&NewCaption, "New..."},
        {&OrganizeCaption, "Organize..."},     {&EmptyCaption, "(Empty)"},
        {&PopupCutToCaption, "Cut to"},        {&PopupSortCaption, "Sort"},
        {&UpdateMessage, "Quorvane has updated to a new version. Do you want to download now?"},
    };
    for (auto [text, expected] : texts)
        EXPECT_EQ(ToUtf8(*text), expected);
    EXPECT_EQ(ProgramName, u"Kwor");
}

TEST_F(Language, TheFixedRowPassRecaptionsRowsZeroAndOneOfMenusWithMoreThanTwo)
{
    auto add = [&](TTreeNode* menu, std::initializer_list<const char16_t*> rows) {
        for (const char16_t* row : rows)
            items.AddChild(menu, row);
    };
    add(ClipboardsNode, {u"r0", u"r1", u"r2"});
    add(MessagesNode, {u"r0", u"r1"});          // 2 children: left alone
    TTreeNode* user = items.AddChild(RootNode, u"User");
    add(user, {u"a message", u"a folder", u"-", u"x"}); // whatever those rows are
    TTreeNode* small = items.AddChild(RootNode, u"Small");
    add(small, {u"s0"});
    RunCoreSections({u"MainMenu/Clipboards/Cut=C1", u"MainMenu/Clipboards/Copy=C2", u"MainMenu/Messages/New=N1",
                     u"MainMenu/Messages/Organize=N2"});
    const struct {
        TTreeNode* menu;
        std::vector<String> rows;
    } cases[] = {
        {ProgramMenuNode, {u"Options...", u"Organize...", u"-"}}, // index 0 is never re-captioned
        {ClipboardsNode, {u"C1", u"C2", u"r2"}},
        {MessagesNode, {u"r0", u"r1"}},
        {user, {u"N1", u"N2", u"-", u"x"}},
        {small, {u"s0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.menu->Text));
        for (size_t i = 0; i < c.rows.size(); ++i)
            EXPECT_EQ(c.menu->Item(static_cast<int>(i))->Text, c.rows[i]);
    }
}

TEST_F(Language, ASecondRunGivesTheSameTexts)
{
    const TStringList table = {u"MainMenu/Manage=M", u"PopupMenu/Sort=S"};
    RunCoreSections(table);
    ProgramMenuNode->Text = PopupSortCaption = u"changed";
    RunCoreSections(table);
    EXPECT_EQ(ProgramMenuNode->Text, u"M");
    EXPECT_EQ(PopupSortCaption, u"S");
}

// The built-in table as the program carries it.
TStringList ShippedTable()
{
    std::ifstream file(QV_SOURCE_DIR "/src/resources/LanguageTable.txt", std::ios::binary);
    return LanguageTableLines(std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), {}));
}

TEST_F(Language, TheShippedTableHoldsEverySectionInOrderAndEachKeyOnce)
{
    const TStringList table = ShippedTable();
    const std::vector<String> order = {
        u"//Program",       u"//MainMenu",       u"//OptionsWindow",     u"//NewWindow",
        u"//NewMenuWindow", u"//NewFolderWindow", u"//MessageWindow",    u"//OrganizeWindow",
        u"//ViewMessageWindow", u"//RenameWindow", u"//PopupMenu",       u"//AboutWindow"};
    std::vector<String> sections;
    std::set<String> keys;
    String section;
    for (size_t i = 0; i < table.size(); ++i) {
        const String& line = table[i];
        if (line.empty()) {
            ASSERT_LT(i + 1, table.size()) << "no blank line after the last section";
            EXPECT_EQ(table[i + 1].substr(0, 2), u"//") << "a blank line stands only between sections";
            continue;
        }
        if (line.starts_with(u"//")) {
            EXPECT_TRUE(i == 0 || table[i - 1].empty()) << ToUtf8(line);
            sections.push_back(line);
            section = line.substr(2);
            continue;
        }
        const size_t equals = line.find(u'=');
        ASSERT_NE(equals, String::npos) << ToUtf8(line);
        const String key = line.substr(0, equals);
        EXPECT_TRUE(key.starts_with(section + u"/")) << ToUtf8(key) << " outside its section";
        EXPECT_TRUE(keys.insert(key).second) << ToUtf8(key) << " twice";
        EXPECT_FALSE(line.substr(equals + 1).empty()) << ToUtf8(key);
    }
    EXPECT_EQ(sections, order);
    EXPECT_EQ(keys.size(), 96u);
}

TEST_F(Language, TemplateLinesOfTheCoreSectionsAreTheShippedTablesLines)
{
    // The shipped texts are the English defaults: the template of these sections is the table.
    CurrentLanguage = u"GetDefaultEnglish";
    const TStringList table = ShippedTable();
    RunCoreSections(table);
    ASSERT_GE(DefaultEnglishLines.size(), 2u);
    EXPECT_EQ(DefaultEnglishLines[0], u"//Program");
    EXPECT_EQ(DefaultEnglishLines[1], u"Program/Name=Quorvane");
    auto sectionOf = [](const TStringList& lines, StringView name) {
        TStringList part;
        bool in = false;
        for (const String& line : lines) {
            if (line.starts_with(u"//"))
                in = line.substr(2) == name;
            if (in && !line.empty())
                part.push_back(line);
        }
        return part;
    };
    for (const char16_t* name : {u"Program", u"MainMenu", u"PopupMenu"}) {
        SCOPED_TRACE(ToUtf8(name));
        EXPECT_EQ(sectionOf(DefaultEnglishLines, name), sectionOf(table, name));
    }
    // A blank line and the section line open every section after the first.
    const TStringList heads = [&] {
        TStringList h;
        for (size_t i = 0; i < DefaultEnglishLines.size(); ++i)
            if (DefaultEnglishLines[i].starts_with(u"//"))
                h.push_back((i ? DefaultEnglishLines[i - 1] + u"|" : String(u"|")) + DefaultEnglishLines[i]);
        return h;
    }();
    EXPECT_EQ(heads, (TStringList{u"|//Program", u"|//MainMenu", u"|//PopupMenu"}));
    EXPECT_EQ(DefaultEnglishLines.size(), 3u + 2 + 14 + 2 + 13);
}

} // namespace
