#include "organize/ImportExport.h"

#include "core/DataFile.h"
#include "core/NodeKinds.h"
#include "core/NodeWatch.h"
#include "core/OsServices.h"
#include "organize/FileDialogs.h"
#include "organize/TextFiles.h"
#include "settings/Settings.h"

namespace {

// The nodes read into a tree of their own are copied below the target only once the whole file
// has read; the scratch tree is dropped with them afterwards, so their fields can be taken.
void TakeChildren(TTreeNode* from, TTreeNode* to)
{
    for (int i = 0; i < from->Count(); ++i) {
        TTreeNode* source = from->Item(i);
        TTreeNode* node = to->Owner().AddChild(to, std::move(source->Text));
        node->Data = std::move(source->Data);
        node->ImageIndex = source->ImageIndex;
        node->StateIndex = source->StateIndex;
        node->ExpandedImageIndex = source->ExpandedImageIndex;
        TakeChildren(source, node);
    }
}

void WriteOwnRecord(ByteWriter& stream, const TTreeNode* node)
{
    stream.Int32(node->Level());
    stream.Int32(node->ImageIndex);
    stream.Int32(node->StateIndex);
    stream.Int32(node->ExpandedImageIndex);
    stream.Text(node->Text);
    stream.TextToZero(node->Content());
}

// Extensions are compared without regard to letter case; only ASCII letters can match them.
bool IsExtension(StringView path, StringView extension)
{
    const StringView own = FileExtension(path);
    if (own.size() != extension.size())
        return false;
    for (std::size_t i = 0; i < own.size(); ++i) {
        const char16_t c = own[i] >= u'A' && own[i] <= u'Z' ? char16_t(own[i] - u'A' + u'a') : own[i];
        if (c != extension[i])
            return false;
    }
    return true;
}

// Names are proposed as the file system takes them, as Save As... proposes them.
TExportFile SnippetExport(StringView name, std::vector<std::uint8_t> bytes)
{
    return {ValidFileName(name), u"qvn", SnippetFileFilter, std::nullopt, std::move(bytes)};
}

} // namespace

String NormaliseLineBreaks(StringView text)
{
    String out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            out += u"\r\n";
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

String TextFileContent(const std::vector<std::uint8_t>& bytes)
{
    String text = DecodeTextFile(bytes);
    const std::size_t zero = text.find(u'\0');
    if (zero != String::npos)
        text.resize(zero);
    return NormaliseLineBreaks(text);
}

StringView FileNamePart(StringView path)
{
    const std::size_t at = path.find_last_of(u"\\/:");
    return at == StringView::npos ? path : path.substr(at + 1);
}

StringView FileExtension(StringView path)
{
    const StringView name = FileNamePart(path);
    const std::size_t at = name.rfind(u'.');
    return at == StringView::npos ? StringView() : name.substr(at);
}

void ImportTextFile(TTreeNode* parent, StringView file)
{
    String content = TextFileContent(OsFiles().ReadWholeFile(file));
    TTreeNode* node = parent->Owner().AddChild(parent, WithoutExtension(FileNamePart(file)));
    node->Data = std::move(content);
    node->ImageIndex = nkMessage;
}

bool ImportSnippetFile(TTreeNode* parent, StringView file)
{
    return AddSnippetBytes(parent, OsFiles().ReadWholeFile(file), file);
}

bool AddSnippetBytes(TTreeNode* parent, const std::vector<std::uint8_t>& bytes, StringView file)
{
    if (!HasDataFileMagic(bytes))
        return false;
    const String damaged = u"Cannot import \"" + String(file) + u"\": the file is damaged.";
    if (bytes.size() < DataFileHeaderSize)
        throw EAppError(damaged);
    // The scratch target stands as deep as the real one, so the reader's level rules and nesting
    // limit hold exactly as they would in place.
    TTreeNodes scratch;
    TTreeNode* target = nullptr;
    for (int level = 0; level <= parent->Level(); ++level)
        target = scratch.AddChild(target, String());
    try {
        ReadNodeRecords(scratch, target, bytes, DataFileHeaderSize);
    } catch (const EAppError&) {
        throw EAppError(damaged);
    }
    TakeChildren(target, parent);
    return true;
}

std::vector<std::uint8_t> NodeSnippetFile(const TTreeNode* node)
{
    ByteWriter stream;
    WriteDataFileHeader(stream);
    WriteNodeRecords(stream, node);
    return std::move(stream.Bytes());
}

std::vector<std::uint8_t> ItemsSnippetFile(const std::vector<const TTreeNode*>& nodes)
{
    ByteWriter stream;
    WriteDataFileHeader(stream);
    for (const TTreeNode* node : nodes) {
        WriteOwnRecord(stream, node);
        WriteNodeRecords(stream, node);
    }
    return std::move(stream.Bytes());
}

void ImportFiles(IFileDialogs& dialogs, TTreeNode* target, const std::function<void()>& imported)
{
    const TNodeRef kept(target); // the dialog's message loop may run a capture's trim
    const std::vector<String> files = dialogs.OpenFiles(ImportFilter);
    if (files.empty() || !kept)
        return;
    try {
        for (const String& file : files) {
            if (IsExtension(file, u".txt"))
                ImportTextFile(target, file);
            else if (IsExtension(file, u".qvn"))
                ImportSnippetFile(target, file);
        }
    } catch (...) {
        imported();
        throw;
    }
    imported();
}

std::optional<TExportFile> ExportFileOf(const TExportSource& source)
{
    if (source.Focus == TOrgPane::Tree) {
        if (!source.TreeNode)
            return std::nullopt;
        return SnippetExport(source.TreeNode->Text, NodeSnippetFile(source.TreeNode));
    }
    if (source.ListNodes.empty())
        return std::nullopt;
    if (source.ListNodes.size() >= 2)
        return SnippetExport(source.TreeNode ? StringView(source.TreeNode->Text) : StringView(),
                             ItemsSnippetFile(source.ListNodes));
    const TTreeNode* item = source.ListNodes.front();
    if (item->ImageIndex == nkFolder)
        return SnippetExport(item->Text, ItemsSnippetFile(source.ListNodes));
    if (item->ImageIndex == nkMessage)
        return TExportFile{ValidFileName(item->Text), u"txt", TextFileFilter, String(item->Content()), {}};
    return std::nullopt;
}

void ExportFiles(IFileDialogs& dialogs, const TExportSource& source)
{
    const std::optional<TExportFile> what = ExportFileOf(source);
    if (!what)
        return;
    const std::optional<String> file = dialogs.SaveFile(what->FileName, what->DefaultExtension, what->Filter);
    if (!file)
        return;
    if (what->Message)
        SaveMessageToFile(*what->Message, *file);
    else
        OsFiles().WriteWholeFile(*file, what->Bytes);
}
