// Fuzzes the data-file loader, the record reader, the snippet-file import and the text-file
// decoder. Beyond the sanitizers' findings it fails when a node lands outside the target, when a
// fixed row is lost, when a file that loaded whole does not save back to the same bytes, when a
// snippet import adds part of a file, or when an imported text keeps a NUL or a lone line break.
#include <cstdio>
#include <cstdlib>

#include "FakeOs.h"
#include "TreeBuilder.h"
#include "core/DataFile.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/TreeRoutines.h"
#include "organize/ImportExport.h"

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

// A file imported into a folder three levels down either adds all it holds or nothing at all.
void FuzzSnippetImport(FakeOs& os, const std::vector<std::uint8_t>& bytes)
{
    TTreeNodes items;
    TTreeNode* root = StartupTree(items);
    TTreeNode* outer = items.AddChild(root->Item(2), u"Outer");
    outer->ImageIndex = nkFolder;
    items.AddChild(outer, u"kept")->ImageIndex = nkMessage;
    TTreeNode* target = items.AddChild(outer, u"Import");
    target->ImageIndex = nkFolder;
    const std::vector<std::uint8_t> before = BuildDataFileBytes(root);
    const int outside = items.Count() - 1;

    os.Files[u"C:\\in\\f.qvn"] = bytes;
    bool added = false;
    try {
        added = ImportSnippetFile(target, u"C:\\in\\f.qvn");
    } catch (const EAppError&) {
        QV_CHECK(BuildDataFileBytes(root) == before);
        return;
    }
    QV_CHECK(added == HasDataFileMagic(bytes));
    QV_CHECK(items.Count() - SubtreeCount(target) == outside);
    QV_CHECK(target->Parent() == outer && target->Index() == 1 && outer->Item(0)->Text == u"kept");
    CheckMenus(root);
    if (!target->HasChildren())
        return;
    // What came in goes out and in again unchanged.
    const std::vector<std::uint8_t> exported = NodeSnippetFile(target);
    TTreeNodes again;
    TTreeNode* place = nullptr;
    for (int level = 0; level <= target->Level(); ++level)
        place = again.AddChild(place, u"");
    QV_CHECK(AddSnippetBytes(place, exported, u"again"));
    QV_CHECK(NodeSnippetFile(place) == exported);
}

// The text of an imported text file holds no NUL, and every line break is CR LF.
void FuzzTextFile(const std::vector<std::uint8_t>& bytes)
{
    const String text = TextFileContent(bytes);
    for (std::size_t i = 0; i < text.size(); ++i) {
        QV_CHECK(text[i] != u'\0');
        if (text[i] == u'\r')
            QV_CHECK(i + 1 < text.size() && text[i + 1] == u'\n');
        if (text[i] == u'\n')
            QV_CHECK(i > 0 && text[i - 1] == u'\r');
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FakeOs os;
    FixedMenuCount = 3;
    const std::vector<std::uint8_t> bytes(data, data + size);
    FuzzDataFile(bytes);
    FuzzRecords(bytes);
    FuzzSnippetImport(os, bytes);
    FuzzTextFile(bytes);
    return 0;
}
