#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <optional>

#include "FakeOs.h"
#include "TreeBuilder.h"
#include "core/ClipboardCapture.h"
#include "core/DataFile.h"
#include "core/Globals.h"
#include "core/Hotkeys.h"
#include "core/NodeKinds.h"
#include "core/TreeRoutines.h"

namespace {

struct Entry {
    String name;
    std::optional<String> content;
    int kind = nkMessage;
};

// Entries "e1" (newest, at the top) to "eN", each holding its own name.
std::vector<Entry> Entries(int count)
{
    std::vector<Entry> entries;
    for (int i = 1; i <= count; ++i) {
        String name = u"e";
        for (char c : std::to_string(i))
            name += static_cast<char16_t>(c);
        entries.push_back({name, name});
    }
    return entries;
}

// The names of Clipboards' entries, after its fixed rows, joined by commas (an empty name shows).
std::string EntryNames()
{
    std::string out;
    for (int i = 3; i < ClipboardsNode->Count(); ++i)
        out += (i > 3 ? "," : "") + ToUtf8(ClipboardsNode->Item(i)->Text);
    return out;
}

std::string Names(const std::string& prefix, int from, int to)
{
    std::string out = prefix;
    for (int i = from; i <= to; ++i)
        out += (out.empty() ? "" : ",") + ("e" + std::to_string(i));
    return out;
}

struct ClipboardCapture : testing::Test {
    FakeOs os;
    TTreeNodes items;
    TCaptureSaveErrors saveErrors;

    void SetUp() override
    {
        DataFile = u"C:\\AppData\\Quorvane\\1.0\\Quorvane.db";
        items.OnDeletion = TreeViewDataDeletion;
        StartupTree(items);
        SetNodeGlobals(items);
    }

    void Fill(TTreeNode* folder, const std::vector<Entry>& entries)
    {
        for (const Entry& e : entries)
            AddNode(items, folder, e.name, e.kind)->Data = e.content;
    }

    int Saves() const
    {
        int count = 0;
        for (const std::string& call : os.Calls)
            count += call.rfind("WriteWholeFile", 0) == 0;
        return count;
    }

    bool FileHoldsTheTree() { return os.Files[DataFile] == BuildDataFileBytes(RootNode); }

    void ClearHistory()
    {
        while (ClipboardsNode->Count() > 3)
            items.Delete(ClipboardsNode->Item(3));
        os.Calls.clear();
        os.Files.clear();
    }

    // The first word of every recorded call, joined by commas.
    std::string CallNames() const
    {
        std::string out;
        for (const std::string& call : os.Calls)
            out += (out.empty() ? "" : ",") + call.substr(0, call.find(' '));
        return out;
    }
};

struct AddCase {
    const char* what;
    std::vector<Entry> entries;     // Clipboards' entries before, newest first
    std::optional<String> clipboard; // its Unicode text; none: another format only
    std::string expected;            // Clipboards' entry names after
    int maxCount = 20;
    bool autoDelete = true;
};

TEST_F(ClipboardCapture, AddClipboardTextInsertsMovesAndTrims)
{
    const String sixtyA(60, u'a');
    const AddCase cases[] = {
        {"a new text becomes the newest entry", {{u"a", u"a"}, {u"b", u"b"}}, u"c", "c,a,b"},
        {"into an empty history", {}, u"first", "first"},
        {"an equal text moves its entry up, keeping the user's name",
         {{u"x", u"one"}, {u"renamed", u"two"}, {u"y", u"three"}}, u"two", "renamed,x,y"},
        {"the first equal entry is the one that moves", {{u"x", u"one"}, {u"d1", u"two"}, {u"d2", u"two"}}, u"two",
         "d1,x,d2"},
        {"an equal newest entry stays where it is", {{u"x", u"one"}, {u"y", u"two"}}, u"one", "x,y"},
        {"texts differing in letter case are different entries", {{u"Text", u"Text"}}, u"text", "text,Text"},
        {"a text of another length is a different entry", {{u"ab", u"ab"}}, u"abc", "abc,ab"},
        {"an empty text matches the first row without content, a folder counts",
         {{u"m", u"x"}, {u"Folder", std::nullopt, nkFolder}, {u"empty", u""}}, u"", "Folder,m,empty"},
        {"an empty text with no empty row becomes an entry with an empty name", {{u"m", u"x"}}, u"", ",m"},
        {"an entry's content ends at its first NUL", {{u"x", u"x"}, {u"m", String(u"ab\0zz", 5)}}, u"ab", "m,x"},
        {"a NUL inside an entry makes it shorter than the text", {{u"x", u"x"}, {u"m", String(u"a\0c", 3)}},
         u"abc", "abc,x,m"},
        {"text after a NUL is not part of it", {{u"m", u"ab"}}, String(u"ab\0cd", 5), "m"},
        {"a clipboard without text counts as an empty text", {{u"m", u"x"}, {u"e", u""}}, std::nullopt, "e,m"},
        {"a sixth new text with the limit 5 removes the oldest", Entries(5), u"new", Names("new", 1, 4), 5},
        {"a fifth new text with the limit 5 removes nothing", Entries(4), u"new", Names("new", 1, 4), 5},
        {"the default limit keeps 20", Entries(20), u"new", Names("new", 1, 19)},
        {"without AutoDelete the history grows", Entries(5), u"new", Names("new", 1, 5), 5, false},
        {"a limit below 5 keeps 5", Entries(6), u"new", Names("new", 1, 4), 3},
        {"a limit of 0 keeps 5 and the fixed rows", Entries(6), u"new", Names("new", 1, 4), 0},
        {"a negative limit keeps 5 and the fixed rows", Entries(6), u"new", Names("new", 1, 4), -7},
        {"a history over its limit is cut back at the next insertion", Entries(8), u"new", Names("new", 1, 4), 5},
        {"a move never trims", Entries(8), u"e8", "e8," + Names("", 1, 7), 5},
        {"a folder put into Clipboards does not count",
         {{u"e1", u"e1"}, {u"Folder", std::nullopt, nkFolder}, {u"e2", u"e2"}, {u"e3", u"e3"}, {u"e4", u"e4"}}, u"new",
         "new,e1,Folder,e2,e3,e4", 5},
        {"a folder below the limit stays, the messages around it go",
         {{u"e1", u"e1"}, {u"e2", u"e2"}, {u"e3", u"e3"}, {u"e4", u"e4"}, {u"e5", u"e5"},
          {u"Folder", std::nullopt, nkFolder}, {u"e6", u"e6"}},
         u"new", "new,e1,e2,e3,e4,Folder", 5},
    };
    for (const AddCase& c : cases) {
        SCOPED_TRACE(c.what);
        ClearHistory();
        Fill(ClipboardsNode, c.entries);
        ClipboardMaxCount = c.maxCount;
        AutoDelete = c.autoDelete;
        os.ClipboardText = c.clipboard;

        AddClipboardText(items, ClipboardsNode);

        EXPECT_EQ(EntryNames(), c.expected);
        EXPECT_EQ(ChildNames(ClipboardsNode).substr(0, 9), "Cut,Copy,");
        EXPECT_EQ(Saves(), 1);
        EXPECT_TRUE(FileHoldsTheTree());
    }
}

TEST_F(ClipboardCapture, AnUnreadableClipboardChangesAndSavesNothing)
{
    Fill(ClipboardsNode, Entries(2));
    os.ClipboardText = u"e2";
    os.ClipboardLocked = true;
    AddClipboardText(items, ClipboardsNode);
    EXPECT_EQ(EntryNames(), "e1,e2");
    EXPECT_EQ(CallNames(), "ReadClipboardText");
}

TEST_F(ClipboardCapture, ANewEntryIsAMessageNamedByItsFirstSixtyCodeUnits)
{
    const String head(59, u'a');
    const struct {
        String text;
        String name;
    } cases[] = {
        {u"short", u"short"},
        {String(60, u'x'), String(60, u'x')},
        {String(61, u'x'), String(60, u'x')},
        {u"line one\r\nline two" + String(60, u'z'), u"line one\r\nline two" + String(42, u'z')},
        // A pair that straddles the cut goes whole: the name ends one unit earlier.
        {head + u"\U0001F600" + u"b", head},
        {head + u"c\U0001F600", head + u"c"},
        {String(58, u'a') + u"\U0001F600" + u"b", String(58, u'a') + u"\U0001F600"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.text));
        os.ClipboardText = c.text;
        AddClipboardText(items, ClipboardsNode);
        const TTreeNode* entry = ClipboardsNode->Item(3);
        EXPECT_EQ(entry->Text, c.name);
        ASSERT_TRUE(entry->Data.has_value());
        EXPECT_EQ(*entry->Data, c.text);
        EXPECT_EQ(entry->ImageIndex, nkMessage);
        EXPECT_EQ(entry->StateIndex, 0);
        EXPECT_EQ(entry->ExpandedImageIndex, 0);
        EXPECT_FALSE(entry->HasChildren());
    }
}

TEST_F(ClipboardCapture, TheLocaleDecidesEqualityOnlyBetweenTextsOfTheSameLength)
{
    // A locale that ignores letter case and the soft hyphen, to tell its verdict from the lengths.
    auto fold = [](StringView s) {
        String out;
        for (char16_t c : s)
            if (c != u'\u00AD')
                out += (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
        return out;
    };
    int compares = 0;
    os.OnCompareText = [&](StringView a, StringView b) {
        ++compares;
        return fold(a).compare(fold(b));
    };
    Fill(ClipboardsNode, {{u"x", u"xyz"}, {u"upper", u"ABC"}, {u"hyphen", u"ab\u00ADc"}});
    os.ClipboardText = u"abc";
    AddClipboardText(items, ClipboardsNode);
    EXPECT_EQ(EntryNames(), "upper,x,hyphen");
    EXPECT_EQ(compares, 2); // "ab-c" is longer and never compared

    compares = 0;
    os.ClipboardText = u"abc\u00AD";
    AddClipboardText(items, ClipboardsNode);
    EXPECT_EQ(EntryNames(), "hyphen,upper,x");
    EXPECT_EQ(compares, 1);
}

TEST_F(ClipboardCapture, OtherFoldersStartAtTheirFirstChildAndAreNeverTrimmed)
{
    TTreeNode* menu = AddNode(items, RootNode, u"Work", nkFolder);
    AddMessageMenuRows(items, menu);
    TTreeNode* folder = AddNode(items, menu, u"Inner", nkFolder);
    Fill(menu, Entries(6));
    Fill(folder, {{u"a", u"a"}, {u"b", u"b"}});
    ClipboardMaxCount = 5;

    os.ClipboardText = u"c";
    AddClipboardText(items, folder);
    EXPECT_EQ(ChildNames(folder), "c,a,b");
    os.ClipboardText = u"b";
    AddClipboardText(items, folder);
    EXPECT_EQ(ChildNames(folder), "b,c,a");

    os.ClipboardText = u"new";
    AddClipboardText(items, menu);
    EXPECT_EQ(ChildNames(menu), "New...,Organize...,-,new,Inner," + Names("", 1, 6));
    EXPECT_EQ(Saves(), 3);
    EXPECT_TRUE(FileHoldsTheTree());
}

TEST_F(ClipboardCapture, TheTrimReleasesTheHotkeysOfTheMessagesItDeletesAndKeepsFolders)
{
    Fill(ClipboardsNode, Entries(4));
    TTreeNode* folder = AddNode(items, ClipboardsNode, u"Kept", nkFolder, 0x4041);
    AddNode(items, folder, u"inside", nkMessage, 0x4042)->Data = u"i";
    AddNode(items, ClipboardsNode, u"oldest", nkMessage, 0x4043)->Data = u"o";
    ClipboardMaxCount = 5;
    os.ClipboardText = u"new";
    AddClipboardText(items, ClipboardsNode);
    EXPECT_EQ(EntryNames(), Names("new", 1, 4) + ",Kept");
    EXPECT_EQ(ChildNames(folder), "inside");
    EXPECT_EQ(CallNames(), "ReadClipboardText,UnregisterHotkey,WriteWholeFile");
    EXPECT_EQ(os.Calls[1], "UnregisterHotkey " + std::to_string(HotkeyId(0x4043)));
}

TEST_F(ClipboardCapture, TrimClipboardHistoryCutsALargeHistoryToTheLimitInOrder)
{
    Fill(ClipboardsNode, Entries(2000));
    ClipboardMaxCount = 5;
    std::string deleted;
    items.OnDeletion = [&](TTreeNode& node) { deleted += (deleted.empty() ? "" : ",") + ToUtf8(node.Text); };
    TrimClipboardHistory(items);
    EXPECT_EQ(EntryNames(), Names("", 1, 5));
    EXPECT_EQ(deleted, Names("", 6, 2000));
    EXPECT_TRUE(os.Calls.empty());
}

TEST(ClipboardHistoryLimit, IsBroughtIntoTheRangeOfTheOptionsWindow)
{
    FakeOs os;
    const int limits[][2] = {{INT_MIN, 5}, {-1, 5}, {0, 5}, {4, 5}, {5, 5}, {20, 20}, {99999, 99999},
                             {100000, 99999}, {INT_MAX, 99999}};
    for (const auto& limit : limits) {
        ClipboardMaxCount = limit[0];
        EXPECT_EQ(ClipboardHistoryLimit(), limit[1]) << limit[0];
    }
}

// --- The viewer chain -------------------------------------------------------------------------

enum class Target { None, Clipboards, OtherFolder };

struct DrawCase {
    const char* what;
    bool first = false;
    bool captureNext = true;
    Target target = Target::None;
    bool hasText = true;
    bool autoCapture = true;
    bool locked = false;
    bool failWrites = false;
    std::uintptr_t next = 77;
    // What the handler asked of the system, and what it left.
    std::string calls;
    bool captured;
    bool targetArmedAfter;
    bool waitsForTheEditor = false; // the text waits in the folder captures, for the other folder
    bool excluded = false; // marked by its writer as not for clipboard managers
};

TEST_F(ClipboardCapture, DrawClipboardCapturesAsTheFlagsAndTheTargetSayAndAlwaysPassesOn)
{
    const char* capture = "ReadClipboardText,WriteWholeFile,SendChainMessage";
    const DrawCase cases[] = {
        {"another program's text is captured", false, true, Target::None, true, true, false, false, 77, capture,
         true, false},
        {"the last viewer captures and sends nothing on", false, true, Target::None, true, true, false, false, 0,
         "ReadClipboardText,WriteWholeFile", true, false},
        {"the first message after joining is neither captured nor passed on", true, true, Target::None, true, true,
         false, false, 0, "", false, false},
        {"the program's own paste is not captured and does not disarm", false, false, Target::Clipboards, true, true,
         false, false, 77, "SendChainMessage", false, true},
        {"AutoCapture off captures nothing of other programs", false, true, Target::None, true, false, false, false,
         77, "SendChainMessage", false, false},
        {"Cut or Copy on Clipboards captures also with AutoCapture off", false, true, Target::Clipboards, true, false,
         false, false, 77, capture, true, false},
        {"no text after Cut or Copy captures nothing and disarms", false, true, Target::Clipboards, false, true,
         false, false, 77, "SendChainMessage", false, false},
        {"no text, no target: nothing", false, true, Target::None, false, true, false, false, 77, "SendChainMessage",
         false, false},
        {"a target folder other than Clipboards leaves Clipboards alone, keeps the text for the editor and disarms",
         false, true, Target::OtherFolder, true, false, false, false, 77, "ReadClipboardText,SendChainMessage", false,
         false, true},
        {"no text for another folder: nothing waits, disarmed", false, true, Target::OtherFolder, false, true, false,
         false, 77, "SendChainMessage", false, false},
        {"an unreadable clipboard for another folder: nothing waits, disarmed", false, true, Target::OtherFolder,
         true, true, true, false, 77, "ReadClipboardText,SendChainMessage", false, false},
        {"an unreadable clipboard is skipped silently and disarms", false, true, Target::Clipboards, true, true, true,
         false, 77, "ReadClipboardText,SendChainMessage", false, false},
        {"a failed save is dropped, keeps the target armed and passes on", false, true, Target::Clipboards, true,
         true, false, true, 77, capture, true, true},
        {"a password manager's copy is not captured and passed on", false, true, Target::None, true, true, false,
         false, 77, "SendChainMessage", false, false, false, true},
        {"a password manager's copy after Cut or Copy is not captured and disarms", false, true, Target::Clipboards,
         true, true, false, false, 77, "SendChainMessage", false, false, false, true},
        {"a password manager's copy for another folder never reaches the editor", false, true, Target::OtherFolder,
         true, true, false, false, 77, "SendChainMessage", false, false, false, true},
    };
    TTreeNode* otherFolder = AddNode(items, MessagesNode, u"Folder", nkFolder);
    for (const DrawCase& c : cases) {
        SCOPED_TRACE(c.what);
        ClearHistory();
        os.ClipboardText = c.hasText ? std::optional<String>(u"copied") : std::nullopt;
        os.ClipboardLocked = c.locked;
        os.FailWrites = c.failWrites;
        os.ClipboardExcluded = c.excluded;
        AutoCapture = c.autoCapture;
        CaptureNextClipboardChange = c.captureNext;
        CaptureTargetNode = c.target == Target::None         ? nullptr
                            : c.target == Target::Clipboards ? ClipboardsNode
                                                             : otherFolder;
        TTreeNode* armed = CaptureTargetNode;
        bool first = c.first;
        TFolderCaptures captures;
        int pendingCalls = 0;
        captures.OnPending = [&] { ++pendingCalls; };

        HandleDrawClipboard(items, captures, saveErrors, first, c.next, 5, 6);

        EXPECT_EQ(pendingCalls, c.waitsForTheEditor ? 1 : 0);
        std::vector<std::pair<TTreeNode*, String>> delivered;
        captures.Deliver([&](TTreeNode* folder, const String& text) { delivered.emplace_back(folder, text); });
        EXPECT_EQ(delivered, (c.waitsForTheEditor ? std::vector<std::pair<TTreeNode*, String>>{{otherFolder, u"copied"}}
                                                  : std::vector<std::pair<TTreeNode*, String>>{}));

        EXPECT_EQ(CallNames(), c.calls);
        EXPECT_EQ(EntryNames(), c.captured ? "copied" : "");
        EXPECT_EQ(CaptureTargetNode, c.targetArmedAfter ? armed : nullptr);
        EXPECT_TRUE(CaptureNextClipboardChange);
        EXPECT_FALSE(first);
        EXPECT_FALSE(otherFolder->HasChildren());
        if (c.next) {
            EXPECT_EQ(os.Calls.back(), "SendChainMessage 77 776 5 6");
        }
    }
}

TEST_F(ClipboardCapture, AFailingRunOfSavesIsReportedOnceAfterTheChainMessageAndCapturingGoesOn)
{
    std::vector<std::string> events;
    saveErrors.OnPending = [&] { events.push_back("pending"); };
    os.OnChainMessage = [&] { events.push_back("chain"); };
    std::vector<String> shown;
    auto report = [&] { saveErrors.Report([&](const String& text) { shown.push_back(text); }); };
    TFolderCaptures captures;
    bool first = false;
    auto copy = [&](const char16_t* text) {
        os.ClipboardText = text;
        HandleDrawClipboard(items, captures, saveErrors, first, 42, 0, 0);
    };

    os.FailWrites = true;
    copy(u"one");
    EXPECT_EQ(events, (std::vector<std::string>{"pending", "chain"})); // shown only after the chain went on
    copy(u"two");
    report();
    copy(u"three");
    report();
    EXPECT_EQ(events, (std::vector<std::string>{"pending", "chain", "chain", "chain"}));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(ToUtf8(shown[0]), "Cannot create file \"" + ToUtf8(DataFile) + "\". There is not enough space on the disk");
    EXPECT_EQ(EntryNames(), "three,two,one"); // kept in memory for the next save

    os.FailWrites = false;
    copy(u"four"); // a save that works ends the run: the file has every entry
    EXPECT_TRUE(FileHoldsTheTree());
    os.FailWrites = true;
    copy(u"five");
    report();
    EXPECT_EQ(shown.size(), 2u);
    EXPECT_EQ(std::count(events.begin(), events.end(), "pending"), 2);
    EXPECT_EQ(EntryNames(), "five,four,three,two,one");
}

TEST_F(ClipboardCapture, TheCopyAfterAPasswordManagersCopyIsCapturedAsUsual)
{
    bool first = false;
    TFolderCaptures captures;
    os.ClipboardText = u"secret";
    os.ClipboardExcluded = true;
    HandleDrawClipboard(items, captures, saveErrors, first, 0, 0, 0);
    os.ClipboardText = u"plain";
    os.ClipboardExcluded = false;
    HandleDrawClipboard(items, captures, saveErrors, first, 0, 0, 0);
    EXPECT_EQ(EntryNames(), "plain");
    EXPECT_TRUE(FileHoldsTheTree());
}

TEST_F(ClipboardCapture, TheNextViewerRunsAfterTheCaptureIsSaved)
{
    os.ClipboardText = u"copied";
    bool sawTheFile = false;
    os.OnChainMessage = [&] { sawTheFile = FileHoldsTheTree() && ClipboardsNode->Count() == 4; };
    bool first = false;
    TFolderCaptures captures;
    HandleDrawClipboard(items, captures, saveErrors, first, 42, 0, 0);
    EXPECT_TRUE(sawTheFile);
}

TEST_F(ClipboardCapture, AFolderCaptureIsHandedOverOnlyAfterTheChainMessageWentOn)
{
    TTreeNode* folder = AddNode(items, MessagesNode, u"Folder", nkFolder);
    os.ClipboardText = u"copied";
    CaptureTargetNode = folder;
    TFolderCaptures captures;
    std::vector<std::string> events;
    captures.OnPending = [&] { events.push_back("pending"); };
    os.OnChainMessage = [&] { events.push_back("chain"); };
    bool first = false;
    HandleDrawClipboard(items, captures, saveErrors, first, 42, 0, 0);
    // The editor opens from the owner's later call, never inside the chain message.
    EXPECT_EQ(events, (std::vector<std::string>{"pending", "chain"}));
    EXPECT_FALSE(captures.Empty());
    EXPECT_EQ(CaptureTargetNode, nullptr);
    EXPECT_FALSE(folder->HasChildren());
}

TEST_F(ClipboardCapture, FolderCapturesGoOutOldestFirstOneAtATimeAndToMessagesWhenTheirFolderWentAway)
{
    TTreeNode* kept = AddNode(items, MessagesNode, u"Kept", nkFolder);
    TTreeNode* outer = AddNode(items, MessagesNode, u"Outer", nkFolder);
    TTreeNode* inner = AddNode(items, outer, u"Inner", nkFolder);
    TFolderCaptures captures;
    int pendingCalls = 0;
    captures.OnPending = [&] { ++pendingCalls; };
    captures.Add(kept, u"one");
    captures.Add(inner, u"two");
    EXPECT_EQ(pendingCalls, 2);
    items.Delete(outer); // the inner folder goes with it

    std::vector<std::pair<TTreeNode*, String>> delivered;
    int nested = 0;
    captures.Deliver([&](TTreeNode* folder, const String& text) {
        delivered.emplace_back(folder, text);
        if (text == u"one") {
            // A capture while the first editor is open waits for it instead of opening a second.
            captures.Add(kept, u"three");
            captures.Deliver([&](TTreeNode*, const String&) { ++nested; });
        }
    });
    EXPECT_EQ(nested, 0);
    EXPECT_EQ(delivered, (std::vector<std::pair<TTreeNode*, String>>{
                             {kept, u"one"}, {MessagesNode, u"two"}, {kept, u"three"}}));
    EXPECT_TRUE(captures.Empty());

    pendingCalls = 0;
    captures.Resume();
    EXPECT_EQ(pendingCalls, 0); // nothing waits
    captures.Add(kept, u"four");
    captures.Resume();
    EXPECT_EQ(pendingCalls, 2);
}

TEST_F(ClipboardCapture, ChangeCBChainFollowsALeavingNextViewerAndPassesOtherChangesOn)
{
    const struct {
        const char* what;
        std::uintptr_t next, removed;
        std::intptr_t following;
        std::uintptr_t nextAfter;
        std::string calls;
    } cases[] = {
        {"the next viewer leaves: its follower becomes next", 77, 77, 88, 88, ""},
        {"the last viewer after the bar leaves", 77, 77, 0, 0, ""},
        {"a viewer further down leaves: passed on", 77, 55, 66, 77, "SendChainMessage 77 781 55 66"},
        {"the bar is the last viewer: nothing to pass on", 0, 55, 66, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        os.Calls.clear();
        EXPECT_EQ(HandleChangeCBChain(c.next, c.removed, c.following), c.nextAfter);
        std::string calls;
        for (const std::string& call : os.Calls)
            calls += call;
        EXPECT_EQ(calls, c.calls);
    }
}

} // namespace
