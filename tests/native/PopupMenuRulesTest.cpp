#include <gtest/gtest.h>

#include "FakeOs.h"
#include "TreeBuilder.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "menus/PopupMenuRules.h"
#include "settings/Language.h"

namespace {

using enum TPopupCommand;

// The enabled rows of the context menu, each as one letter, "-" for the separators (which are
// never looked at): what a user sees for one right-click.
std::string EnabledRows(int selectedKind, const TTreeNode& parent)
{
    std::string out;
    const char letters[] = "XCMFNREDSVA";
    for (TPopupCommand command : PopupMenuRows()) {
        if (command == Line)
            out += '-';
        else
            out += PopupRowEnabled(command, selectedKind, parent) ? letters[static_cast<int>(command)] : '.';
    }
    return out;
}

struct PopupMenuRules : testing::Test {
    FakeOs os;
    TTreeNodes items;
    void SetUp() override
    {
        StartupTree(items);
        SetNodeGlobals(items);
    }
};

TEST_F(PopupMenuRules, RowsAreEnabledByTheRightClickedKindAndTheMenuOrFolder)
{
    TTreeNode* userMenu = AddNode(items, RootNode, u"Work", nkFolder);
    AddMessageMenuRows(items, userMenu);
    TTreeNode* folder = AddNode(items, userMenu, u"Letters", nkFolder);
    TTreeNode* emptyFolder = AddNode(items, folder, u"Empty", nkFolder);
    TTreeNode* oneChild = AddNode(items, userMenu, u"One", nkFolder);
    AddNode(items, oneChild, u"only", nkMessage);
    AddNode(items, MessagesNode, u"hello", nkMessage);

    const struct {
        const char* what;
        int kind;
        const TTreeNode* parent;
        const char* rows;
    } cases[] = {
        // Rows: Cut to, Copy to, -, New Menu, New Folder, New Message, -, Rename, Edit, Delete, Sort, -, View, Save As.
        {"empty area of a menu with a folder", -1, userMenu, "XC-MFN-...S-.."},
        {"folder row", nkFolder, userMenu, "XC-MFN-R.DS-.."},
        {"message row", nkMessage, oneChild, "XC-MFN-REDS-VA"},
        {"Messages with one entry", nkMessage, MessagesNode, "XC-MFN-REDS-VA"},
        {"a menu of only its three fixed rows", -1, ClipboardsNode, "XC-MFN-....-.."},
        {"a fixed row (Cut) of that menu", nkCut, ClipboardsNode, "XC-MFN-....-.."},
        {"an empty folder", -1, emptyFolder, "XC-MFN-....-.."},
        {"a folder with one child", -1, oneChild, "XC-MFN-...S-.."},
        {"a folder holding only an empty folder", nkFolder, folder, "XC-MFN-R.DS-.."},
        {"a separator row", nkSeparator, MessagesNode, "XC-MFN-...S-.."},
        {"a row of an unknown kind", nkTile, MessagesNode, "XC-MFN-...S-.."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EnabledRows(c.kind, *c.parent), c.rows) << c.what;
}

TEST_F(PopupMenuRules, RowsComeInTheirOrderWithTheLanguageCaptions)
{
    TLanguageRun run(TStringList{});
    ApplyPopupMenuTexts(run);
    std::vector<std::string> captions;
    for (TPopupCommand command : PopupMenuRows())
        captions.push_back(ToUtf8(PopupCaption(command)));
    EXPECT_EQ(captions, (std::vector<std::string>{"Cut to", "Copy to", "-", "New Menu...", "New Folder...",
                                                  "New Message...", "-", "Rename...", "Edit...", "Delete...", "Sort",
                                                  "-", "View...", "Save As..."}));
}

TEST_F(PopupMenuRules, TheMenuIsTwoHundredThirtyNinePixelsHighAndFollowsTheWidestCaption)
{
    const struct {
        int pixelsPerUnit;
        int width;
    } cases[] = {{1, 120}, {5, 120}, {8, 14 * 8 + 44}, {10, 14 * 10 + 44}};
    TLanguageRun run(TStringList{});
    ApplyPopupMenuTexts(run);
    for (const auto& c : cases) {
        const TPopupLayout layout =
            LayoutPopupMenu([&](StringView text) { return static_cast<int>(text.size()) * c.pixelsPerUnit; });
        EXPECT_EQ(layout.Width, c.width) << c.pixelsPerUnit; // "New Message..." has 14 units
        EXPECT_EQ(layout.Height, 239);
        ASSERT_EQ(layout.Rows.size(), 14u);
        EXPECT_EQ(layout.Rows[0].Top, 1);
        EXPECT_EQ(layout.Rows[2].Top, 41);
        EXPECT_EQ(layout.Rows[2].Height, 5);
        EXPECT_EQ(layout.Rows[3].Top, 46);
        EXPECT_EQ(layout.Rows[13].Top, 216);
        EXPECT_EQ(layout.Rows[13].Height, 20);
    }
}

TEST_F(PopupMenuRules, TheMenuOpensBelowThePointerAndStaysInsideTheWorkArea)
{
    const TWorkArea area{0, 0, 1280, 770}; // a task bar below
    const struct {
        int x, y, left, top;
    } cases[] = {
        {100, 100, 100, 101},   // room everywhere
        {1200, 100, 1050, 101}, // right edge: to the pointer's left
        {100, 700, 100, 461},   // bottom edge: above the pointer
        {1200, 700, 1050, 461}, // both
        {1130, 530, 1130, 531}, // exactly fits: right 1280, bottom 770
        {1131, 531, 981, 292},
        {100, 200, 100, 201},
        {60, 760, 60, 521},
    };
    for (const auto& c : cases) {
        const TPopupPlace place = PlacePopupMenu(c.x, c.y, 150, 239, area);
        EXPECT_EQ(place.Left, c.left) << c.x << "," << c.y;
        EXPECT_EQ(place.Top, c.top) << c.x << "," << c.y;
    }
    // A work area not at the origin, and one too small for the menu: its top-left corner stays inside.
    const TPopupPlace shifted = PlacePopupMenu(10, 10, 150, 239, {100, 50, 1280, 800});
    EXPECT_EQ(shifted.Left, 100);
    EXPECT_EQ(shifted.Top, 50);
    const TPopupPlace tiny = PlacePopupMenu(50, 50, 150, 239, {0, 0, 100, 100});
    EXPECT_EQ(tiny.Left, 0);
    EXPECT_EQ(tiny.Top, 0);
}

} // namespace
