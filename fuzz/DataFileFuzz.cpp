// Fuzzes the data-file loader and the record reader of snippet imports. Beyond the sanitizers'
// findings it fails when a node lands outside the target, when a fixed row is lost, or when a
// file that loaded whole does not save back to the same bytes.
#include <cstdio>
#include <cstdlib>

#include "FakeOs.h"
#include "TreeBuilder.h"
#include "core/DataFile.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/TreeRoutines.h"

namespace {

#define QV_CHECK(condition)                                                                         \
    do {                                                                                            \
        if (!(condition)) {                                                                         \
            std::fprintf(stderr, "check failed: %s (line %d)\n", #condition, __LINE__);             \
            std::abort();                                                                           \
        }                                                                                           \
    } while (false)



void CheckMenus(const TTreeNode* root)
{
    QV_CHECK(root->Count() >= 3);
    QV_CHECK(root->Item(0)->Count() == 8);
    QV_CHECK(root->Item(1)->Item(0)->ImageIndex == nkCut);
    for (int i = 2; i < root->Count(); ++i) {
        const TTreeNode* menu = root->Item(i);
        QV_CHECK(menu->Count() >= 3);
        QV_CHECK(menu->Item(0)->ImageIndex == nkNew && menu->Item(1)->ImageIndex == nkOrganize);
    }
}

void FuzzDataFile(const std::vector<std::uint8_t>& bytes)
{
    TTreeNodes items;
    TTreeNode* root = StartupTree(items);
    bool whole = false;
    try {
        whole = ParseDataFileBytes(items, root, bytes);
    } catch (const EAppError&) {
    }
    QV_CHECK(items.Count() == SubtreeCount(root));
    CheckMenus(root);
    if (!whole)
        return;
    const std::vector<std::uint8_t> saved = BuildDataFileBytes(root);
    TTreeNodes again;
    TTreeNode* root2 = StartupTree(again);
    QV_CHECK(ParseDataFileBytes(again, root2, saved));
    QV_CHECK(again.Count() == items.Count());
    QV_CHECK(BuildDataFileBytes(root2) == saved);
}

void FuzzRecords(const std::vector<std::uint8_t>& bytes)
{
    TTreeNodes items;
    TTreeNode* root = StartupTree(items);
    TTreeNode* target = items.AddChild(root->Item(2), u"Import");
    target->ImageIndex = nkFolder;
    const int outside = items.Count() - 1;
    // As a snippet file when it has the header, else as bare records.
    ByteReader stream(bytes, HasDataFileMagic(bytes) ? DataFileHeaderSize : 0);
    try {
        ReadNodeRecords(items, target, stream);
    } catch (const EAppError&) {
    }
    QV_CHECK(items.Count() - SubtreeCount(target) == outside);
    QV_CHECK(target->Parent() == root->Item(2) && target->Index() == 3);
    CheckMenus(root);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FakeOs os;
    FixedMenuCount = 3;
    const std::vector<std::uint8_t> bytes(data, data + size);
    FuzzDataFile(bytes);
    FuzzRecords(bytes);
    return 0;
}
