#include <gtest/gtest.h>

#include <set>

#include "FakeOs.h"
#include "TreeBuilder.h"
#include "core/Globals.h"
#include "core/Hotkeys.h"
#include "core/NodeKinds.h"
#include "core/TreeRoutines.h"

namespace {

TEST(HotkeyIds, ValuesMapOneToOneIntoTheApplicationRange)
{
    const struct {
        int value;
        int id;
    } cases[] = {
        {0, 0},           {0x41, 0x41},        {0x2041, 0x141},  {0x4041, 0x241},  {0x8041, 0x441},
        {0xC070, 0x670},  {0xE0FF, 0x7FF},     {0x14041, 0x241}, {0x100, -1},      {0x1FFF, -1},
        {0xC100, -1},
    };
    for (auto& c : cases)
        EXPECT_EQ(HotkeyId(c.value), c.id) << std::hex << c.value;

    std::set<int> ids;
    for (int value = 0; value <= 0xFFFF; ++value) {
        const int id = HotkeyId(value);
        if ((value & 0x1FFF) > 0xFF) {
            EXPECT_EQ(id, -1);
            continue;
        }
        ASSERT_GE(id, 0);
        ASSERT_LE(id, 0xBFFF);
        ASSERT_EQ(HotkeyValueOfId(id), value);
        ids.insert(id);
    }
    EXPECT_EQ(ids.size(), 8u * 256u);
    for (int id : {-2, -1, 0x800, 0xBFFF, 0xC041})
        EXPECT_EQ(HotkeyValueOfId(id), -1) << id;
}

TEST(HotkeyIds, ModifierBitsBecomeRegistrationFlags)
{
    const std::pair<int, unsigned> cases[] = {{0x41, 0},      {0x2041, 4},      {0x4041, 2},     {0x8041, 1},
                                              {0x6041, 6},    {0xC041, 3},      {0xE041, 7},     {0xA000, 5}};
    for (auto& [value, flags] : cases)
        EXPECT_EQ(ShiftToHotkeyModifiers(value), flags) << std::hex << value;
}

struct Hotkeys : testing::Test {
    FakeOs os;
    TTreeNodes items;
    TTreeNode* first = nullptr;  // Ctrl+A
    TTreeNode* foreign = nullptr; // Shift+B, held by another program
    TTreeNode* none = nullptr;
    TTreeNode* deep = nullptr;   // Ctrl+Alt+F1, in a folder
    TTreeNode* twin = nullptr;   // Ctrl+A again, later in pre-order

    void SetUp() override
    {
        items.OnDeletion = TreeViewDataDeletion;
        BuildDefaultTree(items);
        SetNodeGlobals(items);
        first = AddNode(items, MessagesNode, u"first", nkMessage, 0x4041);
        foreign = AddNode(items, MessagesNode, u"foreign", nkMessage, 0x2042);
        none = AddNode(items, MessagesNode, u"none", nkMessage);
        TTreeNode* folder = AddNode(items, MessagesNode, u"folder", nkFolder);
        deep = AddNode(items, folder, u"deep", nkMessage, 0xC070);
        TTreeNode* menu = AddNode(items, RootNode, u"Work", nkFolder);
        twin = AddNode(items, menu, u"twin", nkMessage, 0x4041);
        os.ForeignHotkeys.insert(HotkeyId(0x2042));
    }

    std::vector<bool> Flags() const { return {first->Enabled, foreign->Enabled, none->Enabled, deep->Enabled, twin->Enabled}; }
};

TEST_F(Hotkeys, RegisterAllGivesASharedValueToTheFirstInPreOrder)
{
    RegisterAllHotkeys(items);
    EXPECT_EQ(os.Calls, (std::vector<std::string>{"RegisterHotkey 577 2 65", "RegisterHotkey 322 4 66",
                                                  "RegisterHotkey 1648 3 112", "RegisterHotkey 577 2 65"}));
    EXPECT_EQ(Flags(), (std::vector<bool>{true, false, true, true, false}));
}

TEST_F(Hotkeys, RegisterAllDoesNothingWithHotkeysTurnedOff)
{
    TurnOnHotkey = false;
    first->Enabled = false;
    RegisterAllHotkeys(items);
    EXPECT_TRUE(os.Calls.empty());
    EXPECT_EQ(Flags(), (std::vector<bool>{false, true, true, true, true}));
}

TEST_F(Hotkeys, UnregisterAllClearsEnabledOnlyWhereItWorked)
{
    RegisterAllHotkeys(items);
    os.Calls.clear();
    twin->Enabled = true; // a flag the system does not back: its unregistration fails
    TurnOnHotkey = false; // not looked at
    UnregisterAllHotkeys(items);
    EXPECT_EQ(os.Calls, (std::vector<std::string>{"UnregisterHotkey 577", "UnregisterHotkey 322",
                                                  "UnregisterHotkey 1648", "UnregisterHotkey 577"}));
    EXPECT_EQ(Flags(), (std::vector<bool>{false, false, true, false, true}));
    EXPECT_TRUE(os.RegisteredHotkeys.empty());
}

TEST_F(Hotkeys, DeletingANodeThatSharesAValueLeavesItWithTheRemainingHolder)
{
    // The system keeps one registration per combination: releasing either node's takes it from both.
    RegisterAllHotkeys(items);
    os.Calls.clear();
    DeleteNodeTree(twin); // the later one, which never held it
    EXPECT_EQ(os.Calls, (std::vector<std::string>{"UnregisterHotkey 577", "RegisterHotkey 577 2 65"}));
    EXPECT_TRUE(first->Enabled);
    EXPECT_EQ(os.RegisteredHotkeys.count(HotkeyId(0x4041)), 1u);

    TTreeNode* later = AddNode(items, MessagesNode, u"later", nkMessage, 0x4041);
    later->Enabled = false;
    os.Calls.clear();
    DeleteNodeTree(first); // the holder: the next in pre-order takes over at once
    EXPECT_EQ(os.Calls, (std::vector<std::string>{"UnregisterHotkey 577", "RegisterHotkey 577 2 65"}));
    EXPECT_TRUE(later->Enabled);
    EXPECT_EQ(os.RegisteredHotkeys.count(HotkeyId(0x4041)), 1u);
}

TEST_F(Hotkeys, AFolderDeletedWithMessagesThatShareAValueLeavesItToNoneOfThem)
{
    TTreeNode* folder = AddNode(items, twin->Parent(), u"shared", nkFolder);
    AddNode(items, folder, u"a", nkMessage, 0x4043);
    AddNode(items, AddNode(items, folder, u"inner", nkFolder), u"b", nkMessage, 0x4043);
    AddNode(items, folder, u"c", nkMessage, 0x4043);
    RegisterAllHotkeys(items);
    ASSERT_EQ(os.RegisteredHotkeys.count(HotkeyId(0x4043)), 1u);
    DeleteNodeTree(folder);
    EXPECT_EQ(os.RegisteredHotkeys.count(HotkeyId(0x4043)), 0u);

    // With a holder outside the folder, the value stays with it.
    TTreeNode* outside = AddNode(items, MessagesNode, u"outside", nkMessage, 0x4043);
    folder = AddNode(items, twin->Parent(), u"shared again", nkFolder);
    AddNode(items, folder, u"a", nkMessage, 0x4043);
    AddNode(items, folder, u"b", nkMessage, 0x4043);
    RegisterAllHotkeys(items);
    DeleteNodeTree(folder);
    EXPECT_EQ(os.RegisteredHotkeys.count(HotkeyId(0x4043)), 1u);
    EXPECT_TRUE(outside->Enabled);
}

TEST_F(Hotkeys, DeletingANodeWhoseValueIsNotRegisteredRegistersNothing)
{
    // Hotkeys off, or all unregistered while an editor or Options is open: the twin stays without.
    first->Enabled = twin->Enabled = false;
    DeleteNodeTree(first);
    EXPECT_EQ(os.Calls, (std::vector<std::string>{"UnregisterHotkey 577"}));
    EXPECT_FALSE(twin->Enabled);
    EXPECT_TRUE(os.RegisteredHotkeys.empty());

    // A value that nobody else carries is only released.
    RegisterAllHotkeys(items);
    os.Calls.clear();
    DeleteNodeTree(deep->Parent());
    EXPECT_EQ(os.Calls, (std::vector<std::string>{"UnregisterHotkey 1648"}));
}

TEST_F(Hotkeys, InUseMeansCarriedByAnotherNode)
{
    const struct {
        const TTreeNode* node;
        int value;
        bool inUse;
    } cases[] = {
        {nullptr, 0, false},      {none, 0, false},         {first, 0x4041, true},   {twin, 0x4041, true},
        {foreign, 0x2042, false}, {first, 0x2042, true},    {nullptr, 0xC070, true}, {deep, 0xC070, false},
        {nullptr, 0x1C070, true}, {nullptr, 0x7A, false},   {nullptr, 0x10000, false},
    };
    for (auto& c : cases)
        EXPECT_EQ(IsHotkeyInUse(items, c.node, c.value), c.inUse) << std::hex << c.value;
    EXPECT_TRUE(os.Calls.empty());
}

TEST_F(Hotkeys, CanRegisterAsksTheSystemAndGivesTheValueBack)
{
    const struct {
        int value;
        bool can;
        std::vector<std::string> calls;
    } cases[] = {
        {0x4043, true, {"RegisterHotkey 579 2 67", "UnregisterHotkey 579"}},
        {0x2042, false, {"RegisterHotkey 322 4 66", "UnregisterHotkey 322"}},
        {0, true, {"RegisterHotkey 0 0 0", "UnregisterHotkey 0"}},
        {0x4100, false, {}},
    };
    for (auto& c : cases) {
        os.Calls.clear();
        EXPECT_EQ(CanRegisterHotkey(c.value), c.can) << std::hex << c.value;
        EXPECT_EQ(os.Calls, c.calls);
        EXPECT_TRUE(os.RegisteredHotkeys.empty());
    }
}

} // namespace
