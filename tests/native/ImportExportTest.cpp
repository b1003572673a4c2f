#include <gtest/gtest.h>

#include "FakeOs.h"
#include "RecordBytes.h"
#include "TreeBuilder.h"
#include "core/DataFile.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/TreeRoutines.h"
#include "organize/FileDialogs.h"
#include "organize/ImportExport.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

String Units(std::initializer_list<char16_t> units) { return String(units); }

TEST(TextFileContent, DecodesByTheMarkAndNormalisesBreaks)
{
    const struct {
        Bytes file;
        String expected;
        const char* what;
    } cases[] = {
        {{}, u"", "empty file"},
        {{'a', '\n', 'b'}, u"a\r\nb", "ANSI, lone LF"},
        {{'a', '\r', 'b'}, u"a\r\nb", "lone CR"},
        {{'a', '\r', '\n', 'b'}, u"a\r\nb", "CR LF stays one break"},
        {{'a', '\n', '\r', 'b'}, u"a\r\n\r\nb", "LF CR is two breaks"},
        {{'\r', '\r', '\n', '\n'}, u"\r\n\r\n\r\n", "CR, CR LF, LF"},
        {{'x', '\n'}, u"x\r\n", "break at the end kept, none added"},
        {{0xE9, '!'}, u"\u00E9!", "ANSI code page"},
        {{0xC3, 0xA9}, u"\u00C3\u00A9", "UTF-8 without its mark is ANSI"},
        {{0xEF, 0xBB, 0xBF}, u"", "UTF-8 mark alone"},
        {{0xEF, 0xBB, 0xBF, 0xC3, 0xA9, '\n'}, u"\u00E9\r\n", "UTF-8"},
        {{0xEF, 0xBB, 0xBF, 0xF0, 0x9F, 0x98, 0x80}, u"\U0001F600", "UTF-8 outside the BMP"},
        {{0xEF, 0xBB, 0xBF, 0xC3, 'A'}, u"\uFFFDA", "broken UTF-8 sequence keeps the next character"},
        {{0xEF, 0xBB, 0xBF, 'a', 0xC0, 0x80, 'b'}, u"a\uFFFDb", "overlong zero is no zero"},
        {{0xEF, 0xBB, 0xBF, 0xE2, 0x82}, u"\uFFFD", "UTF-8 ending inside a character"},
        {{0xFF, 0xFE, 'a', 0, '\n', 0, 0x3D, 0xD8, 0x00, 0xDE}, u"a\r\n\U0001F600", "UTF-16 LE"},
        {{0xFE, 0xFF, 0, 'a', 0, '\r', 0x04, 0x10}, u"a\r\n\u0410", "UTF-16 BE"},
        {{0xFF, 0xFE}, u"", "UTF-16 mark alone"},
        {{0xFF, 0xFE, 'a', 0, 'b'}, u"a", "odd last byte of UTF-16"},
        {{'a', 'b', 0, 'c', 'd'}, u"ab", "ANSI up to the first NUL"},
        {{0xFF, 0xFE, 'a', 0, '\r', 0, 0, 0, 'c', 0}, u"a\r\n", "UTF-16 up to the first NUL"},
        {{0, 'a'}, u"", "NUL first"},
        {{0xEF, 0xBB, 0xBF, 'a', 0, 'b'}, u"a", "UTF-8 up to the first NUL"},
    };
    FakeOs os;
    for (const auto& c : cases)
        EXPECT_EQ(TextFileContent(c.file), c.expected) << c.what;
}

TEST(TextFileContent, NameIsTheFileNameWithoutFolderAndExtension)
{
    const String seventy(70, u'n');
    const struct {
        String path;
        String name;
        String extension;
    } cases[] = {
        {u"C:\\Docs\\Notes.TXT", u"Notes", u".TXT"},
        {u"C:\\Docs\\a.b.txt", u"a.b", u".txt"},
        {u"C:\\Docs\\.txt", u"", u".txt"},
        {u"C:\\dir.x\\plain", u"plain", u""},
        {u"C:\\Docs\\" + seventy + u".txt", seventy, u".txt"},
        {u"D:name.qvn", u"name", u".qvn"},
        {u"C:\\Docs\\x.doc", u"x", u".doc"},
    };
    FakeOs os;
    for (const auto& c : cases) {
        EXPECT_EQ(FileExtension(c.path), c.extension) << ToUtf8(c.path);
        TTreeNodes items;
        TTreeNode* folder = AddNode(items, nullptr, u"F", nkFolder);
        os.Files[c.path] = {'x'};
        ImportTextFile(folder, c.path);
        ASSERT_EQ(folder->Count(), 1);
        EXPECT_EQ(folder->Item(0)->Text, c.name) << ToUtf8(c.path);
    }
}

struct ImportTest : testing::Test {
    DigestOs os;
    TTreeNodes items;
    TTreeNode* work = nullptr;
    TTreeNode* folder = nullptr;

    void SetUp() override
    {
        items.OnDeletion = TreeViewDataDeletion;
        StartupTree(items);
        SetNodeGlobals(items);
        work = AddNode(items, RootNode, u"Work", nkFolder);
        AddMessageMenuRows(items, work);
        folder = AddNode(items, work, u"Folder", nkFolder);
        AddNode(items, folder, u"old", nkMessage)->Data = u"kept";
    }

    String Import(const Bytes& bytes)
    {
        os.Files[u"C:\\in\\s.qvn"] = bytes;
        try {
            ImportSnippetFile(folder, u"C:\\in\\s.qvn");
        } catch (const EAppError& e) {
            return e.Message();
        }
        return u"";
    }
};

TEST_F(ImportTest, TextFileBecomesTheLastMessageOfTheFolder)
{
    os.Files[u"C:\\in\\Greeting.txt"] = {0xFF, 0xFE, 'H', 0, 'i', 0, '\n', 0};
    ImportTextFile(folder, u"C:\\in\\Greeting.txt");
    ASSERT_EQ(folder->Count(), 2);
    const TTreeNode* node = folder->Item(1);
    EXPECT_EQ(node->Text, u"Greeting");
    EXPECT_EQ(node->Data, u"Hi\r\n");
    EXPECT_EQ(node->ImageIndex, nkMessage);
    EXPECT_EQ(node->StateIndex, 0);
    EXPECT_EQ(node->ExpandedImageIndex, 0);

    os.Files[u"C:\\in\\empty.txt"] = {};
    ImportTextFile(folder, u"C:\\in\\empty.txt");
    EXPECT_EQ(folder->Item(2)->Data, u"");
}

TEST_F(ImportTest, UnreadableTextFileAddsNothing)
{
    EXPECT_THROW(ImportTextFile(folder, u"C:\\in\\missing.txt"), EAppError);
    EXPECT_EQ(Shape(folder), "old");
}

TEST_F(ImportTest, SnippetRecordsAreRebasedBelowTheFolder)
{
    // Exported from a folder at depth 3: its children had level 4.
    Raw file;
    file.Header()
        .Rec(4, u"A", nkMessage, u"a\r\nb", 0x4041, 9)
        .Rec(4, u"Sub", nkFolder)
        .Rec(5, u"Deep", nkFolder)
        .Rec(6, u"x", nkMessage, Units({u'c', u'u', u't', 0, u'z'}))
        .Rec(5, u"B", nkKind11)
        .Rec(4, u"C", nkMessage, u"\U0001F600");
    EXPECT_EQ(Import(file.v), u"");
    EXPECT_EQ(Shape(folder), "old,A,Sub{Deep{x},B},C");
    const TTreeNode* a = folder->Item(1);
    EXPECT_EQ(a->Level(), folder->Level() + 1);
    EXPECT_EQ(a->Data, u"a\r\nb");
    EXPECT_EQ(a->StateIndex, 0x4041);
    EXPECT_EQ(a->ExpandedImageIndex, 9);
    EXPECT_EQ(folder->Item(2)->Item(0)->Item(0)->Data, u"cut");
    EXPECT_EQ(folder->Item(2)->Item(1)->ImageIndex, nkKind11);
    EXPECT_EQ(folder->Item(3)->Data, u"\U0001F600");
}

TEST_F(ImportTest, DamagedSnippetFileAddsNothing)
{
    Raw good;
    good.Header().Rec(2, u"one").Rec(3, u"child").Rec(2, u"two", nkMessage, u"text");
    const std::size_t records = DataFileHeaderSize;
    const struct {
        Bytes file;
        const char* what;
    } cases[] = {
        {Bytes(good.v.begin(), good.v.end() - 1), "last byte cut off"},
        {Bytes(good.v.begin(), good.v.end() - 10), "cut inside the last record"},
        {Bytes(good.v.begin(), good.v.begin() + records + 3), "cut inside the first level"},
        {Bytes(good.v.begin(), good.v.begin() + 40), "cut inside the header"},
        {Bytes(good.v.begin(), good.v.begin() + 4), "magic alone"},
        {Raw().Header().Rec(2, u"one").Rec(4, u"too deep").v, "level two deeper"},
        {Raw().Header().Rec(3, u"one").Rec(2, u"beside the target").v, "level beside the target"},
        {Raw().Header().Rec(2, u"one").I(2).I(4).I(0).I(0).I(3).Units(u"ab").v, "odd name length"},
        {Raw().Header().Rec(2, u"one").I(2).I(4).I(0).I(0).I(-2).v, "negative name length"},
        {Raw().Header().Rec(2, u"one").I(2).I(4).I(0).I(0).I(0).I(1000).v, "content beyond the end"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Import(c.file), u"Cannot import \"C:\\in\\s.qvn\": the file is damaged.") << c.what;
        EXPECT_EQ(Shape(folder), "old") << c.what;
    }
}

TEST_F(ImportTest, FilesWithoutTheMagicOrRecordsAddNothingSilently)
{
    const Bytes cases[] = {{}, {0xC0, 0x78, 0x5A}, {0xC0, 0x78, 0x5A, 0x25, 1, 2, 3}, Raw().Header().v};
    for (const Bytes& file : cases) {
        EXPECT_EQ(Import(file), u"");
        EXPECT_EQ(Shape(folder), "old");
    }
    EXPECT_TRUE(os.Calls.empty());
}

TEST_F(ImportTest, MissingSnippetFileRaisesTheOpenError)
{
    EXPECT_THROW(ImportSnippetFile(folder, u"C:\\in\\gone.qvn"), EAppError);
    EXPECT_EQ(Shape(folder), "old");
}

// A chain of folders, one inside the other, as deep as the given count.
Bytes Chain(int depth)
{
    Raw file;
    file.Header();
    for (int level = 1; level <= depth; ++level)
        file.Rec(level, u"f", nkFolder);
    return file.v;
}

TEST_F(ImportTest, NestingIsLimitedAsTheDataFileLimitsIt)
{
    // The data file's reader takes nodes down to level 1000; the folder stands at level 2.
    const int room = 1000 - folder->Level();
    EXPECT_EQ(Import(Chain(room + 1)), u"Cannot import \"C:\\in\\s.qvn\": the file is damaged.");
    EXPECT_EQ(Shape(folder), "old");

    EXPECT_EQ(Import(Chain(room)), u"");
    int depth = 0;
    for (const TTreeNode* node = folder->Item(1); node; node = node->HasChildren() ? node->Item(0) : nullptr)
        ++depth;
    EXPECT_EQ(depth, room);

    // What one place takes, the data file loads back.
    TTreeNodes loaded;
    TTreeNode* root = StartupTree(loaded);
    const Bytes saved = BuildDataFileBytes(RootNode);
    ASSERT_TRUE(ParseDataFileBytes(loaded, root, saved));
    EXPECT_EQ(BuildDataFileBytes(root), saved);
}

TEST_F(ImportTest, NodeSnippetFileHoldsTheNodesInsideAMenuWithoutItsFixedRows)
{
    AddNode(items, work, u"M", nkMessage, 0x2041)->Data = u"m";
    const Bytes expected =
        Raw().Header().Rec(2, u"Folder", nkFolder).Rec(3, u"old", nkMessage, u"kept").Rec(2, u"M", nkMessage, u"m", 0x2041).v;
    EXPECT_EQ(NodeSnippetFile(work), expected);
    EXPECT_EQ(NodeSnippetFile(folder), Raw().Header().Rec(3, u"old", nkMessage, u"kept").v);
    EXPECT_EQ(NodeSnippetFile(AddNode(items, work, u"empty", nkFolder)), Raw().Header().v);
}

TEST_F(ImportTest, ItemsSnippetFileHoldsEachItemWithItsDescendants)
{
    TTreeNode* m = AddNode(items, work, u"M", nkMessage, 0x2041);
    m->Data = String(u"up to\0here", 10);
    m->ExpandedImageIndex = 3;
    const Bytes expected = Raw()
                               .Header()
                               .Rec(2, u"M", nkMessage, u"up to", 0x2041, 3)
                               .Rec(2, u"Folder", nkFolder)
                               .Rec(3, u"old", nkMessage, u"kept")
                               .v;
    EXPECT_EQ(ItemsSnippetFile({m, folder}), expected);
}

TEST_F(ImportTest, ExportedFolderImportsBackAsItWas)
{
    TTreeNode* inner = AddNode(items, folder, u"Inner", nkFolder);
    AddNode(items, inner, u"hot", nkMessage, 0x6042)->Data = u"line\r\nline";
    AddNode(items, inner, u"Empty", nkFolder);
    const Bytes file = ItemsSnippetFile({folder});
    const std::string before = Shape(work, FixedMenuCount);

    os.Files[u"C:\\out\\Folder.qvn"] = file;
    ASSERT_TRUE(ImportSnippetFile(MessagesNode, u"C:\\out\\Folder.qvn"));
    EXPECT_EQ(Shape(MessagesNode, FixedMenuCount), before);
    const TTreeNode* copy = MessagesNode->Item(FixedMenuCount);
    EXPECT_EQ(copy->ImageIndex, nkFolder);
    EXPECT_EQ(copy->Item(1)->Item(0)->StateIndex, 0x6042);
    EXPECT_EQ(copy->Item(1)->Item(0)->Data, u"line\r\nline");
    EXPECT_EQ(ItemsSnippetFile({copy}), file);
}

} // namespace

namespace {

// Answers the dialogs as a user would and records what they were shown.
struct FakeDialogs : IFileDialogs {
    std::vector<String> Chosen;           // the open dialog's files; none for Cancel
    std::optional<String> Saved;          // the save dialog's file; none for Cancel
    std::function<void()> WhileOpen;     // runs inside the dialog, as its message loop would
    std::vector<std::string> Shown;

    std::vector<String> OpenFiles(StringView filter) override
    {
        Shown.push_back("open " + ToUtf8(filter));
        if (WhileOpen)
            WhileOpen();
        return Chosen;
    }
    std::optional<String> SaveFile(StringView fileName, StringView defaultExtension, StringView filter) override
    {
        Shown.push_back("save " + ToUtf8(fileName) + " " + ToUtf8(defaultExtension) + " " + ToUtf8(filter));
        if (WhileOpen)
            WhileOpen();
        return Saved;
    }
};

struct ImportExportCommands : ImportTest {
    FakeDialogs dialogs;
    int refreshed = 0;

    void RunExport(const TExportSource& source) { ExportFiles(dialogs, source); }

    void RunImport(TTreeNode* target)
    {
        ImportFiles(dialogs, target, [this] { ++refreshed; });
    }
};

TEST_F(ImportExportCommands, ImportAddsTextThenSnippetFilesAndSkipsOthers)
{
    os.Files[u"C:\\in\\Note.TXT"] = {'n', '\n'};
    os.Files[u"C:\\in\\set.QvN"] = Raw().Header().Rec(5, u"S1").Rec(5, u"S2", nkFolder).Rec(6, u"S3").v;
    os.Files[u"C:\\in\\x.doc"] = {'d'};
    dialogs.Chosen = {u"C:\\in\\Note.TXT", u"C:\\in\\set.QvN", u"C:\\in\\x.doc", u"C:\\in\\noext"};
    RunImport(folder);
    EXPECT_EQ(dialogs.Shown, std::vector<std::string>{"open " + ToUtf8(ImportFilter)});
    EXPECT_EQ(Shape(folder), "old,Note,S1,S2{S3}");
    EXPECT_EQ(folder->Item(1)->Data, u"n\r\n");
    EXPECT_EQ(refreshed, 1);
}

TEST_F(ImportExportCommands, CancelledImportChangesNothing)
{
    RunImport(folder);
    EXPECT_EQ(Shape(folder), "old");
    EXPECT_EQ(refreshed, 0);
}

TEST_F(ImportExportCommands, TargetDeletedWhileTheDialogIsOpenGetsNothing)
{
    os.Files[u"C:\\in\\a.txt"] = {'a'};
    dialogs.Chosen = {u"C:\\in\\a.txt"};
    dialogs.WhileOpen = [&] { DeleteNodeTree(folder); };
    const int before = items.Count();
    RunImport(folder);
    EXPECT_EQ(items.Count(), before - 2);
    EXPECT_EQ(refreshed, 0);
}

TEST_F(ImportExportCommands, AFailingFileStopsTheImportAfterTheFilesBeforeIt)
{
    os.Files[u"C:\\in\\a.txt"] = {'a'};
    os.Files[u"C:\\in\\bad.qvn"] = Raw().Header().Rec(2, u"lost").I(2).v;
    os.Files[u"C:\\in\\c.txt"] = {'c'};
    for (const char16_t* second : {u"C:\\in\\bad.qvn", u"C:\\in\\missing.txt"}) {
        dialogs.Chosen = {u"C:\\in\\a.txt", second, u"C:\\in\\c.txt"};
        refreshed = 0;
        EXPECT_THROW(RunImport(folder), EAppError);
        EXPECT_EQ(refreshed, 1);
    }
    EXPECT_EQ(Shape(folder), "old,a,a");
    try {
        dialogs.Chosen = {u"C:\\in\\bad.qvn"};
        RunImport(folder);
    } catch (const EAppError& e) {
        EXPECT_EQ(e.Message(), u"Cannot import \"C:\\in\\bad.qvn\": the file is damaged.");
    }
}

TEST_F(ImportExportCommands, ExportChoosesTheFileByFocusAndSelection)
{
    TTreeNode* m1 = AddNode(items, work, u"M1", nkMessage);
    m1->Data = u"one";
    TTreeNode* m2 = AddNode(items, work, u"M2", nkMessage);
    TTreeNode* slash = AddNode(items, work, u"a/b:", nkMessage);
    const struct {
        TExportSource source;
        const char* shown; // file name, default extension, filter; "" for nothing
        Bytes bytes;
        std::optional<String> message;
    } cases[] = {
        {{TOrgPane::List, work, {m1}}, "M1 txt Text file(*.txt)|*.txt", {}, u"one"},
        {{TOrgPane::List, work, {folder}}, "Folder qvn Quorvane data files (*.qvn)|*.qvn",
         Raw().Header().Rec(2, u"Folder", nkFolder).Rec(3, u"old", nkMessage, u"kept").v, std::nullopt},
        {{TOrgPane::List, work, {m2, m1}}, "Work qvn Quorvane data files (*.qvn)|*.qvn",
         Raw().Header().Rec(2, u"M2").Rec(2, u"M1", nkMessage, u"one").v, std::nullopt},
        {{TOrgPane::List, work, {}}, "", {}, std::nullopt},
        {{TOrgPane::Tree, folder, {m1, m2}}, "Folder qvn Quorvane data files (*.qvn)|*.qvn",
         Raw().Header().Rec(3, u"old", nkMessage, u"kept").v, std::nullopt},
        {{TOrgPane::Tree, nullptr, {m1}}, "", {}, std::nullopt},
        {{TOrgPane::List, nullptr, {m1, m2}}, "Message qvn Quorvane data files (*.qvn)|*.qvn",
         Raw().Header().Rec(2, u"M1", nkMessage, u"one").Rec(2, u"M2").v, std::nullopt},
        {{TOrgPane::List, work, {slash}}, "a_b_ txt Text file(*.txt)|*.txt", {}, u""},
    };
    for (const auto& c : cases) {
        const std::optional<TExportFile> file = ExportFileOf(c.source);
        ASSERT_EQ(file.has_value(), *c.shown != '\0') << c.shown;
        if (!file)
            continue;
        EXPECT_EQ(ToUtf8(file->FileName + u" " + file->DefaultExtension + u" " + file->Filter), c.shown);
        EXPECT_EQ(file->Bytes, c.bytes) << c.shown;
        EXPECT_EQ(file->Message, c.message) << c.shown;
    }
}

TEST_F(ImportExportCommands, ExportWritesTheChosenFileWholeAndNothingOnCancel)
{
    const TExportSource source{TOrgPane::Tree, folder, {}};
    RunExport(source);
    EXPECT_TRUE(os.Calls.empty());

    dialogs.Saved = u"C:\\out\\f.qvn";
    dialogs.WhileOpen = [&] { DeleteNodeTree(folder); };
    RunExport(source);
    EXPECT_EQ(os.Calls, std::vector<std::string>{"WriteWholeFile C:\\out\\f.qvn 114"});
    EXPECT_EQ(os.Files[u"C:\\out\\f.qvn"], Raw().Header().Rec(3, u"old", nkMessage, u"kept").v);
}

TEST_F(ImportExportCommands, ExportedMessageIsATextFileOfItsUtf16Text)
{
    TTreeNode* m = AddNode(items, work, u"Hello", nkMessage);
    m->Data = u"Hi\r\n\U0001F600";
    TTreeNode* empty = AddNode(items, work, u"Empty", nkMessage);
    dialogs.Saved = u"C:\\out\\Hello.txt";
    RunExport({TOrgPane::List, work, {m}});
    EXPECT_EQ(dialogs.Shown, std::vector<std::string>{"save Hello txt Text file(*.txt)|*.txt"});
    EXPECT_EQ(os.Files[u"C:\\out\\Hello.txt"],
              (Bytes{0xFF, 0xFE, 'H', 0, 'i', 0, '\r', 0, '\n', 0, 0x3D, 0xD8, 0x00, 0xDE}));

    dialogs.Saved = u"C:\\out\\Empty.txt";
    RunExport({TOrgPane::List, work, {empty}});
    EXPECT_EQ(os.Files[u"C:\\out\\Empty.txt"], (Bytes{0xFF, 0xFE}));
    EXPECT_EQ(os.Calls, (std::vector<std::string>{"WriteWholeFile C:\\out\\Hello.txt 14",
                                                  "WriteWholeFile C:\\out\\Empty.txt 2"}));
}

TEST_F(ImportExportCommands, ExportWriteErrorIsRaised)
{
    os.FailWrites = true;
    dialogs.Saved = u"C:\\out\\f.qvn";
    try {
        RunExport({TOrgPane::Tree, work, {}});
        FAIL() << "no error";
    } catch (const EAppError& e) {
        EXPECT_EQ(e.Message().rfind(u"Cannot create file \"C:\\out\\f.qvn\". ", 0), 0u);
    }
    EXPECT_FALSE(os.FileExists(u"C:\\out\\f.qvn"));
}

} // namespace
