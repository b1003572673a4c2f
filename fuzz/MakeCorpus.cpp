// Writes the fuzzer's seed files: small data files and snippet files of every shape the reader
// knows. Run from the fuzz build: MakeCorpus <folder>.
#include <cstdio>
#include <fstream>
#include <string>

#include "FakeOs.h"
#include "core/DataFile.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/TreeRoutines.h"

namespace {

// HeaderMD5Hex of the empty text, as the real program writes it.
struct DigestOs : FakeOs {
    String Md5Hex(StringView) override { return u"D41D8CD98F00B204E9800998ECF8427E"; }
};

void Write(const std::string& folder, const char* name, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(folder + "/" + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TTreeNode* Add(TTreeNodes& items, TTreeNode* parent, String text, int kind, String content = u"")
{
    TTreeNode* node = items.AddChild(parent, std::move(text));
    node->ImageIndex = kind;
    if (kind == nkMessage)
        node->Data = std::move(content);
    return node;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: MakeCorpus <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    DigestOs os;
    TTreeNodes items;
    BuildDefaultTree(items);
    SetNodeGlobals(items);
    AddClipboardMenuRows(items, ClipboardsNode);
    AddMessageMenuRows(items, MessagesNode);
    Write(folder, "first-start.db", BuildDataFileBytes(RootNode));

    TTreeNode* work = Add(items, RootNode, u"Work", nkFolder);
    AddMessageMenuRows(items, work);
    Add(items, work, u"A", nkMessage, u"x");
    Write(folder, "work.db", BuildDataFileBytes(RootNode));

    TTreeNode* folder1 = Add(items, MessagesNode, u"F1", nkFolder);
    TTreeNode* folder2 = Add(items, folder1, u"F2 \U0001F600", nkFolder);
    Add(items, folder2, u"r1", nkMessage, u"line\r\n\U00010348")->StateIndex = 0x6041;
    Add(items, folder1, u"r2", nkKind11)->ExpandedImageIndex = 5;
    Add(items, MessagesNode, u"r3", nkMessage, u"three");
    Add(items, ClipboardsNode, u"clip", nkMessage, u"copied");
    Add(items, work, u"-", nkSeparator);
    Write(folder, "nested.db", BuildDataFileBytes(RootNode));

    ByteWriter snippet;
    WriteDataFileHeader(snippet);
    WriteNodeRecords(snippet, folder1);
    Write(folder, "folder.qvn", snippet.Bytes());

    ByteWriter records;
    WriteNodeRecords(records, MessagesNode);
    Write(folder, "records.bin", records.Bytes());
    return 0;
}
