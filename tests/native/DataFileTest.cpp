#include <gtest/gtest.h>

#include "FakeOs.h"
#include "RecordBytes.h"
#include "TreeBuilder.h"
#include "core/DataFile.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/TreeRoutines.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TTreeNode* AddMenu(TTreeNodes& items, String name)
{
    TTreeNode* menu = AddNode(items, RootNode, std::move(name), nkFolder);
    AddMessageMenuRows(items, menu);
    return menu;
}

struct DataFileTest : testing::Test {
    DigestOs os;
    TTreeNodes items;

    void SetUp() override
    {
        DataFile = u"C:\\AppData\\Quorvane\\1.0\\Quorvane.db";
        UnreadableDataFile.clear();
        items.OnDeletion = TreeViewDataDeletion;
        StartupTree(items);
        SetNodeGlobals(items);
    }
    void TearDown() override { UnreadableDataFile.clear(); }

    Bytes& File() { return os.Files[DataFile]; }
};

TEST_F(DataFileTest, FirstStartWritesThe88ByteFile)
{
    SaveDataFile(items, RootNode);
    EXPECT_EQ(File(), Raw().Header().I(0).I(0).I(0).v);
    const Bytes head(File().begin(), File().begin() + 12);
    EXPECT_EQ(head, (Bytes{0xC0, 0x78, 0x5A, 0x24, 0xE8, 0x03, 0x00, 0x00, 'D', 0, '4', 0}));
    EXPECT_EQ(File().size(), 88u);
}

TEST_F(DataFileTest, WorkExampleIs132BytesAndLoadsBack)
{
    TTreeNode* a = AddNode(items, AddMenu(items, u"Work"), u"A", nkMessage);
    a->Data = u"x";
    SaveDataFile(items, RootNode);
    const Bytes tail = {1, 0, 0, 0, 8, 0, 0, 0, 'W', 0, 'o', 0, 'r', 0, 'k', 0, 0, 0, 0, 0, 0, 0, 0, 0,
                        28, 0, 0, 0, 2, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 'A', 0,
                        2, 0, 0, 0, 'x', 0};
    EXPECT_EQ(File(), Raw().Header().Append(Raw{tail}).v);
    EXPECT_EQ(File().size(), 132u);

    TTreeNodes loaded;
    TTreeNode* root = StartupTree(loaded);
    ASSERT_TRUE(ParseDataFileBytes(loaded, root, File()));
    EXPECT_EQ(Shape(root, 1), "Clipboards{Cut,Copy,-},Messages{New...,Organize...,-},Work{New...,Organize...,-,A}");
    const TTreeNode* work = root->Item(3);
    EXPECT_EQ(work->ImageIndex, nkFolder);
    EXPECT_EQ(work->SelectedIndex, FolderOpenImageIndex);
    EXPECT_EQ(work->Item(3)->Data, u"x");
    EXPECT_EQ(work->Item(3)->SelectedIndex, -1);
}

TEST_F(DataFileTest, RoundTripKeepsEveryStoredField)
{
    TTreeNode* work = AddMenu(items, u"Work");
    AddMenu(items, u"Empty menu");
    TTreeNode* folder = AddNode(items, work, u"Folder \U0001F600", nkFolder);
    TTreeNode* deep = AddNode(items, AddNode(items, folder, u"Inner", nkFolder), u"deep", nkMessage, 0x6041);
    deep->Data = u"line 1\r\nline 2 \U00010348";
    deep->ExpandedImageIndex = 77;
    AddNode(items, folder, u"empty folder", nkFolder);
    for (int kind : {int(nkSeparator), int(nkKind8), int(nkNew), int(nkCell), 12345})
        AddNode(items, work, u"kind", kind);
    AddNode(items, ClipboardsNode, u"clip", nkMessage)->Data = u"copied";
    AddNode(items, MessagesNode, u"hot", nkMessage, 0x2070)->Data = String(u"cut\0here", 8);
    SaveDataFile(items, RootNode);

    TTreeNodes loaded;
    TTreeNode* root = StartupTree(loaded);
    ASSERT_TRUE(ParseDataFileBytes(loaded, root, File()));
    EXPECT_EQ(Shape(root, 1), Shape(RootNode, 1));
    ASSERT_EQ(loaded.Count(), items.Count());
    for (int i = 0; i < items.Count(); ++i) {
        const TTreeNode* want = items.GetNodeFromIndex(i);
        const TTreeNode* got = loaded.GetNodeFromIndex(i);
        if (want->Level() < 2 || (want->Level() == 2 && (want->Index() < 3 || want->Parent() == ProgramMenuNode)))
            continue; // not stored: the root, the menus' own fields, their fixed rows, the program menu
        EXPECT_EQ(got->ImageIndex, want->ImageIndex) << i;
        EXPECT_EQ(got->StateIndex, want->StateIndex) << i;
        EXPECT_EQ(got->ExpandedImageIndex, want->ExpandedImageIndex) << i;
        EXPECT_EQ(got->Content(), StringView(want->Content()).substr(0, want->Content().find(u'\0'))) << i;
        EXPECT_TRUE(got->Data.has_value()) << i; // read rows always carry a content, maybe empty
        EXPECT_TRUE(got->Enabled);
    }
    EXPECT_EQ(BuildDataFileBytes(root), File());
}

TEST_F(DataFileTest, SurrogatePairsCountAsCodeUnits)
{
    AddNode(items, MessagesNode, u"\U0001F600", nkMessage)->Data = u"\u00E9\U0001F600";
    SaveDataFile(items, RootNode);
    const Raw records = Raw().Rec(2, u"\U0001F600", nkMessage, u"\u00E9\U0001F600");
    EXPECT_EQ(File(), Raw().Header().I(0).I(0).Block(records).v);
    EXPECT_EQ(File()[88 + 16], 4);      // NameBytes: two code units
    EXPECT_EQ(File()[88 + 24], 6);      // ContentBytes: three code units
}

TEST_F(DataFileTest, LevelsAloneRebuildTheShape)
{
    const Raw records = Raw().Rec(2, u"F1", nkFolder).Rec(3, u"F2", nkFolder).Rec(4, u"r1").Rec(3, u"r2").Rec(2, u"r3");
    ReadNodeRecords(items, MessagesNode, records.v);
    EXPECT_EQ(Shape(MessagesNode), "New...,Organize...,-,F1{F2{r1},r2},r3");
}

TEST_F(DataFileTest, SnippetRecordsAreRebasedBelowTheTarget)
{
    TTreeNode* work = AddMenu(items, u"Work");
    // Exported from a folder at depth 3: the records start at level 4.
    const Raw file = Raw().Header().Rec(4, u"a", nkFolder).Rec(5, u"b").Rec(4, u"c").Rec(5, u"d", nkFolder).Rec(6, u"e");
    ReadNodeRecords(items, work, file.v, DataFileHeaderSize);
    EXPECT_EQ(Shape(work, 3), "a{b},c{d{e}}");
    EXPECT_EQ(work->Item(3)->Level(), 2);
    EXPECT_EQ(work->Item(4)->Item(0)->Item(0)->Level(), 4);

    TTreeNode* folder = AddNode(items, work, u"deep", nkFolder);
    ReadNodeRecords(items, folder, Raw().Rec(2, u"x").Rec(2, u"y").v); // from a menu into a folder at level 2
    EXPECT_EQ(Shape(folder), "x,y");
    EXPECT_EQ(folder->Item(0)->Level(), 3);

    const int before = items.Count();
    ReadNodeRecords(items, work, Raw().Header().v, DataFileHeaderSize); // a snippet file with only its header
    EXPECT_EQ(items.Count(), before);
}

TEST_F(DataFileTest, InvalidLevelKeepsTheRecordsBeforeIt)
{
    const struct {
        const char* what;
        Raw records;
        const char* message;
        const char* kept;
    } cases[] = {
        {"two deeper", Raw().Rec(3, u"a", nkFolder).Rec(4, u"b").Rec(6, u"c"), "Invalid level (6) for item \"\"", "a{b}"},
        {"beside the target", Raw().Rec(3, u"a").Rec(2, u"b"), "Invalid level (2) for item \"\"", "a"},
        {"above the target", Raw().Rec(3, u"a", nkFolder).Rec(4, u"b").Rec(1, u"c"), "Invalid level (1) for item \"\"", "a{b}"},
        {"rebased beside", Raw().Rec(6, u"a").Rec(4, u"b"), "Invalid level (1) for item \"\"", "a"},
        {"far below", Raw().Rec(3, u"a").Rec(-2147483647 - 1, u"b"), "Invalid level (-2147483648) for item \"\"", "a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TTreeNode* target = AddNode(items, MessagesNode, u"T", nkFolder); // level 2
        const int outside = items.Count() - SubtreeCount(target);
        try {
            ReadNodeRecords(items, target, c.records.v);
            ADD_FAILURE() << "no error";
        } catch (const ETreeViewError& e) {
            EXPECT_EQ(ToUtf8(e.Message()), c.message);
        }
        EXPECT_EQ(Shape(target), c.kept);
        EXPECT_EQ(items.Count() - SubtreeCount(target), outside);
        DeleteNodeTree(target);
    }
}

TEST_F(DataFileTest, HostileRecordsStopWithAnErrorInsideTheTarget)
{
    Raw tooDeep;
    for (int level = 2; level <= 1002; ++level)
        tooDeep.Rec(level, u"n", nkFolder);
    const struct {
        const char* what;
        Raw records;
        const char* kept;
    } cases[] = {
        {"negative name length", Raw().Rec(2, u"ok").I(2).I(4).I(0).I(0).I(-2), "ok"},
        {"odd name length", Raw().I(2).I(4).I(0).I(0).I(3).Units(u"ab").I(0), ""},
        {"name past the end", Raw().I(2).I(4).I(0).I(0).I(0x7FFFFFFE).Units(u"ab"), ""},
        {"content past the end", Raw().I(2).I(4).I(0).I(0).S(u"n").I(6).Units(u"ab"), ""},
        {"negative content length", Raw().I(2).I(4).I(0).I(0).S(u"n").I(-2147483647 - 1), ""},
        {"fixed part cut short", Raw().Rec(2, u"ok").I(2).I(4), "ok"},
        {"record of two bytes", Raw{{2, 0}}, ""},
        {"content length missing", Raw().I(2).I(4).I(0).I(0).S(u"n"), ""},
        {"nested too deep", tooDeep, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TTreeNode* target = AddNode(items, MessagesNode, u"T", nkFolder);
        const int outside = items.Count() - SubtreeCount(target);
        EXPECT_THROW(ReadNodeRecords(items, target, c.records.v), EDataFileError);
        if (c.kept) {
            EXPECT_EQ(Shape(target), c.kept);
        }
        EXPECT_EQ(items.Count() - SubtreeCount(target), outside);
        DeleteNodeTree(target);
    }
}

TEST_F(DataFileTest, HostileDataFilesStopWithAnErrorAndAddNothingAtTheTop)
{
    const Raw good = Raw().Rec(2, u"kept");
    const std::string plain = "Clipboards{Cut,Copy,-},Messages{New...,Organize...,-}";
    const struct {
        const char* what;
        Raw file;
        std::string loaded; // the menus as the records before the error left them
    } cases[] = {
        {"header cut short", Raw().I(0x245A78C0).I(1000), plain},
        {"header only", Raw().Header(), plain},
        {"huge menu count", Raw().Header().I(0x7FFFFFFF).S(u"M").I(0).I(0).I(0), plain},
        {"negative menu count", Raw().Header().I(-1).I(0).I(0), plain},
        {"menu name past the end", Raw().Header().I(1).I(200).I(0).I(0).I(0), plain},
        {"negative block size", Raw().Header().I(0).Block(good).I(-4),
         "Clipboards{Cut,Copy,-,kept},Messages{New...,Organize...,-}"},
        {"block past the end", Raw().Header().I(0).I(0).I(1000).Append(good), plain},
        {"block size missing", Raw().Header().I(1).S(u"M").I(0).I(0), plain + ",M{New...,Organize...,-}"},
        {"damaged record in a block", Raw().Header().I(0).I(0).I(10).Append(good), plain},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TTreeNodes loaded;
        TTreeNode* root = StartupTree(loaded);
        EXPECT_THROW(ParseDataFileBytes(loaded, root, c.file.v), EDataFileError);
        EXPECT_EQ(loaded.Count(), SubtreeCount(root)); // nothing beside the root
        EXPECT_EQ(Shape(root->Item(0)), "Options...,Organize...,-,Help...,About...,-,Minimize to Tray,Exit");
        EXPECT_EQ(Shape(root, 1), c.loaded);
    }
}

TEST_F(DataFileTest, WrongMagicLoadsNothingAndVersionAndDigestAreIgnored)
{
    const Bytes wrong[] = {{}, {0xC0, 0x78, 0x5A}, Raw().I(0x245A78C1).I(1000).v, Raw().I(0).I(0).I(0).v};
    for (const Bytes& bytes : wrong) {
        TTreeNodes loaded;
        TTreeNode* root = StartupTree(loaded);
        const int before = loaded.Count();
        EXPECT_FALSE(ParseDataFileBytes(loaded, root, bytes));
        EXPECT_EQ(loaded.Count(), before);
    }

    Bytes odd = Raw().Header().I(1).S(u"Work").I(0).I(0).Block(Raw().Rec(2, u"A")).v;
    odd[4] = 0x99;  // version
    odd[20] = 'Z';  // digest
    odd[73] = 1;    // reserved
    TTreeNodes loaded;
    TTreeNode* root = StartupTree(loaded);
    EXPECT_TRUE(ParseDataFileBytes(loaded, root, odd));
    EXPECT_EQ(Shape(root->Item(3)), "New...,Organize...,-,A");
}

TEST_F(DataFileTest, StartUpWritesTheDefaultFileThenLoadsIt)
{
    EXPECT_THROW(LoadDataFile(items, RootNode), EAppError); // no file: "Cannot open file ..."
    ASSERT_FALSE(os.FileExists(DataFile));
    SaveDataFile(items, RootNode);
    const int before = items.Count();
    LoadDataFile(items, RootNode);
    EXPECT_EQ(items.Count(), before);
    SaveDataFile(items, RootNode);
    EXPECT_EQ(os.Files.size(), 1u); // nothing kept aside: the file was read whole
}

TEST_F(DataFileTest, UnreadableFileIsKeptAsideOnceBeforeTheFirstWrite)
{
    const struct {
        const char* what;
        Bytes file;
    } cases[] = {
        {"wrong magic", {'n', 'o', 't', ' ', 'o', 'u', 'r', 's'}},
        {"damaged", Raw().Header().I(5).v},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        os.Files.clear();
        os.Calls.clear();
        File() = c.file;
        try {
            LoadDataFile(items, RootNode);
        } catch (const EDataFileError&) {
        }
        EXPECT_EQ(File(), c.file); // loading never writes
        SaveDataFile(items, RootNode);
        SaveDataFile(items, RootNode);
        const std::string db = "C:\\AppData\\Quorvane\\1.0\\Quorvane.db";
        EXPECT_EQ(os.Calls, (std::vector<std::string>{"CopyFileTo " + db + " " + db + ".unreadable",
                                                        "WriteWholeFile " + db + " 88", "WriteWholeFile " + db + " 88"}));
        EXPECT_EQ(os.Files[DataFile + u".unreadable"], c.file);
        EXPECT_EQ(File().size(), 88u);
    }

    // A copy that an earlier run kept is not replaced.
    File() = {1, 2, 3, 4};
    LoadDataFile(items, RootNode);
    SaveDataFile(items, RootNode);
    EXPECT_EQ(os.Files[DataFile + u".unreadable"], cases[1].file);
    EXPECT_EQ(os.Files[DataFile + u".unreadable.2"], (Bytes{1, 2, 3, 4}));
}

TEST_F(DataFileTest, FailedCopyAsideOrWriteLeavesTheOldFile)
{
    const Bytes old = {'o', 'l', 'd', '!'};
    File() = old;
    LoadDataFile(items, RootNode);
    os.FailWrites = true;
    try {
        SaveDataFile(items, RootNode);
        ADD_FAILURE() << "no error";
    } catch (const EAppError& e) {
        EXPECT_EQ(e.Message().rfind(u"Cannot create file \"" + DataFile + u".unreadable\". ", 0), 0u);
    }
    EXPECT_EQ(File(), old);
    os.FailWrites = false;
    SaveDataFile(items, RootNode);
    EXPECT_EQ(os.Files[DataFile + u".unreadable"], old);

    const Bytes saved = File();
    AddNode(items, MessagesNode, u"new", nkMessage);
    os.FailWrites = true;
    try {
        SaveDataFile(items, RootNode);
        ADD_FAILURE() << "no error";
    } catch (const EAppError& e) {
        EXPECT_EQ(e.Message().rfind(u"Cannot create file \"" + DataFile + u"\". ", 0), 0u);
    }
    EXPECT_EQ(File(), saved);
    EXPECT_EQ(MessagesNode->Count(), 4); // the tree in memory is unchanged
}

} // namespace
