#include "core/DataFile.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <string>

#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/OsServices.h"
#include "core/SharedRoutines.h"
#include "core/TreeRoutines.h"

String UnreadableDataFile;

namespace {

String Number(std::int64_t value)
{
    std::string digits = std::to_string(value);
    return String(digits.begin(), digits.end());
}

std::int32_t LoadInt32(const std::uint8_t* p)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                     static_cast<std::uint32_t>(p[2]) << 16 |
                                     static_cast<std::uint32_t>(p[3]) << 24);
}

// A content ends at its first zero character. Contents make up nearly all of a file, so the
// zero is looked for in a copy that was just made (and is still in the cache), sixteen code
// units at a time, four to a 64-bit word.
// Not 0 when one of the four code units is zero.
std::uint64_t ZeroUnits(std::uint64_t units) { return (units - 0x0001000100010001ull) & ~units & 0x8000800080008000ull; }

std::size_t ZeroUnitIndex(const std::uint8_t* units, std::size_t count)
{
    std::size_t i = 0;
    for (; i + 16 <= count; i += 16) {
        std::uint64_t w[4];
        std::memcpy(w, units + 2 * i, sizeof w);
        if ((ZeroUnits(w[0]) | ZeroUnits(w[1]) | ZeroUnits(w[2]) | ZeroUnits(w[3])) != 0)
            break;
    }
    while (i < count && (units[2 * i] | units[2 * i + 1]) != 0)
        ++i;
    return i;
}

// Asks for the start of a node's content while the record before it is written: contents lie
// scattered over the heap, and waiting for each in turn costs more than copying it. Past the
// first lines the processor's own prefetching keeps up with the copy.
void PrefetchContent(StringView content)
{
    const char* p = reinterpret_cast<const char*>(content.data());
    for (std::size_t k = 0; k < 2 * content.size() && k < 4096; k += 64)
        __builtin_prefetch(p + k);
}

void WriteRecords(ByteWriter& stream, const TTreeNode* node, std::int32_t nodeLevel)
{
    const int start = nodeLevel == 1 ? FixedMenuCount : 0; // a menu's fixed rows are made anew at start-up
    const std::int32_t childLevel = nodeLevel + 1;
    for (int i = start; i < node->Count(); ++i) {
        const TTreeNode* child = node->Item(i);
        if (i + 1 < node->Count())
            PrefetchContent(node->Item(i + 1)->Content());
        stream.Int32(childLevel);
        stream.Int32(child->ImageIndex);
        stream.Int32(child->StateIndex);
        stream.Int32(child->ExpandedImageIndex);
        stream.Text(child->Text);
        stream.TextToZero(child->Content());
        if (child->HasChildren())
            WriteRecords(stream, child, childLevel);
    }
}

// The size of the records WriteRecords makes (a little more when a content holds a zero), so the
// file's buffer is allocated once.
std::size_t RecordsSize(const TTreeNode* node, std::int32_t nodeLevel)
{
    std::size_t size = 0;
    for (int i = nodeLevel == 1 ? FixedMenuCount : 0; i < node->Count(); ++i) {
        const TTreeNode* child = node->Item(i);
        size += sizeof(TNodeRecord) + 8 + 2 * (child->Text.size() + child->Content().size());
        if (child->HasChildren())
            size += RecordsSize(child, nodeLevel + 1);
    }
    return size;
}

String AsideName()
{
    const String base = DataFile + u".unreadable";
    String name = base;
    // A copy kept by an earlier run may still wait for the user; it is not replaced.
    for (int n = 2; n < 1000 && OsFiles().FileExists(name); ++n)
        name = base + u"." + Number(n);
    return name;
}

void KeepUnreadableDataFileAside()
{
    if (UnreadableDataFile.empty())
        return;
    if (UnreadableDataFile == DataFile && OsFiles().FileExists(DataFile)) {
        const String aside = AsideName();
        if (!OsFiles().CopyFileTo(DataFile, aside))
            throw EAppError(u"Cannot create file \"" + aside +
                            u"\". The data file that could not be read stays unchanged until it can be "
                            u"copied there.");
    }
    UnreadableDataFile.clear();
}

} // namespace

void ByteWriter::Int32(std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    const std::uint8_t b[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                               static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
    bytes_.insert(bytes_.end(), b, b + 4);
}

void ByteWriter::Text(StringView text)
{
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max() / 2))
        throw EAppError(u"A text of " + Number(static_cast<std::int64_t>(text.size())) +
                        u" characters is too long to be saved.");
    Int32(static_cast<std::int32_t>(2 * text.size()));
    Units(text);
}

void ByteWriter::TextToZero(StringView text)
{
    const std::size_t at = Size();
    Text(text);
    const std::size_t units = ZeroUnitIndex(bytes_.data() + at + 4, text.size());
    if (units < text.size()) {
        bytes_.resize(at + 4 + 2 * units);
        PatchInt32(at, static_cast<std::int32_t>(2 * units));
    }
}

void ByteWriter::Units(StringView text)
{
    if constexpr (std::endian::native == std::endian::little) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(text.data());
        bytes_.insert(bytes_.end(), p, p + 2 * text.size());
    } else {
        for (char16_t c : text) {
            bytes_.push_back(static_cast<std::uint8_t>(c));
            bytes_.push_back(static_cast<std::uint8_t>(c >> 8));
        }
    }
}

void ByteWriter::Zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }

void ByteWriter::PatchInt32(std::size_t offset, std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        bytes_.at(offset + static_cast<std::size_t>(i)) = static_cast<std::uint8_t>(v >> (8 * i));
}

ByteReader::ByteReader(const std::uint8_t* data, std::size_t size, std::size_t position)
    : data_(data), position_(std::min(position, size)), end_(size)
{
}

void ByteReader::Fail(std::size_t at, StringView what) const
{
    throw EDataFileError(u"Damaged data at byte " + Number(static_cast<std::int64_t>(at)) + u": " +
                         String(what) + u".");
}

std::int32_t ByteReader::Int32()
{
    if (Remaining() < 4)
        Fail(position_, u"the data ends too early");
    const std::int32_t value = LoadInt32(data_ + position_);
    position_ += 4;
    return value;
}

String ByteReader::Text()
{
    const std::size_t at = position_;
    const std::int32_t bytes = Int32();
    if (bytes < 0 || bytes % 2 != 0 || static_cast<std::size_t>(bytes) > Remaining())
        Fail(at, u"the text length (" + Number(bytes) + u") does not fit the data");
    const std::size_t units = static_cast<std::size_t>(bytes) / 2;
    String text(units, u'\0');
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(text.data(), data_ + position_, static_cast<std::size_t>(bytes));
    } else {
        for (std::size_t i = 0; i < units; ++i)
            text[i] = static_cast<char16_t>(data_[position_ + 2 * i] | data_[position_ + 2 * i + 1] << 8);
    }
    position_ += static_cast<std::size_t>(bytes);
    return text;
}

ByteReader ByteReader::Take(std::size_t count)
{
    if (count > Remaining())
        Fail(position_, u"a block of " + Number(static_cast<std::int64_t>(count)) + u" bytes does not fit the data");
    ByteReader part(data_, position_ + count, position_);
    position_ += count;
    return part;
}

void WriteDataFileHeader(ByteWriter& stream)
{
    String digest = HeaderMD5Hex(HeaderDigestText);
    digest.resize(32, u'\0');
    stream.Int32(DataFileMagic);
    stream.Int32(DataFileVersion);
    stream.Units(digest);
    stream.Zeros(4);
}

bool HasDataFileMagic(const std::vector<std::uint8_t>& bytes)
{
    return bytes.size() >= 4 && LoadInt32(bytes.data()) == DataFileMagic;
}

void WriteNodeRecords(ByteWriter& stream, const TTreeNode* node) { WriteRecords(stream, node, node->Level()); }

void ReadNodeRecords(TTreeNodes& items, TTreeNode* target, ByteReader& stream)
{
    const std::int64_t targetLevel = target->Level();
    TTreeNode* prev = nullptr;
    std::int64_t prevLevel = 0;
    std::int64_t offset = 0; // re-bases the levels of records exported from any depth
    while (!stream.AtEnd()) {
        const std::size_t at = stream.Position();
        TNodeRecord record;
        record.Level = stream.Int32();
        record.Kind = stream.Int32();
        record.Hotkey = stream.Int32();
        record.Reserved = stream.Int32();
        std::int64_t level = record.Level - offset;
        TTreeNode* parent = nullptr;
        if (!prev) {
            offset = level - targetLevel - 1;
            level = targetLevel + 1;
            parent = target;
        } else if (level == prevLevel) {
            parent = prev->Parent();
        } else if (level == prevLevel + 1) {
            parent = prev;
        } else if (level < prevLevel && level > targetLevel) {
            TTreeNode* ancestor = prev->Parent();
            for (std::int64_t l = prevLevel - 1; l > level; --l)
                ancestor = ancestor->Parent();
            parent = ancestor->Parent();
        } else {
            throw ETreeViewError(u"Invalid level (" + Number(level) + u") for item \"\"");
        }
        if (level > MaxNodeLevel)
            stream.Fail(at, u"the record is nested deeper than " + Number(MaxNodeLevel) + u" levels");
        String name = stream.Text();
        String content = stream.Text();
        content.resize(ZeroUnitIndex(reinterpret_cast<const std::uint8_t*>(content.data()), content.size()));
        TTreeNode* node = items.AddChild(parent, std::move(name));
        node->Data = std::move(content);
        node->ImageIndex = record.Kind;
        node->StateIndex = record.Hotkey;
        node->ExpandedImageIndex = record.Reserved;
        prev = node;
        prevLevel = level;
    }
}

void ReadNodeRecords(TTreeNodes& items, TTreeNode* target, const std::vector<std::uint8_t>& bytes, std::size_t from)
{
    ByteReader stream(bytes, from);
    ReadNodeRecords(items, target, stream);
}

std::vector<std::uint8_t> BuildDataFileBytes(const TTreeNode* root)
{
    std::vector<std::uint8_t> bytes;
    BuildDataFileBytes(root, bytes);
    return bytes;
}

void BuildDataFileBytes(const TTreeNode* root, std::vector<std::uint8_t>& bytes)
{
    const int count = root->Count();
    std::size_t size = DataFileHeaderSize + 4;
    for (int i = FixedMenuCount; i < count; ++i)
        size += 4 + 2 * root->Item(i)->Text.size();
    const std::int32_t menuLevel = root->Level() + 1;
    for (int i = 1; i < count; ++i)
        size += 4 + RecordsSize(root->Item(i), menuLevel);

    ByteWriter stream(std::move(bytes));
    // Room for some growth, so that the next saves of a growing tree find the memory in place.
    if (stream.Capacity() < size)
        stream.Reserve(size + size / 8);
    WriteDataFileHeader(stream);
    stream.Int32(count - FixedMenuCount);
    for (int i = FixedMenuCount; i < count; ++i)
        stream.Text(root->Item(i)->Text);
    for (int i = 1; i < count; ++i) {
        const std::size_t sizeAt = stream.Size();
        stream.Int32(0);
        WriteRecords(stream, root->Item(i), menuLevel);
        const std::size_t blockBytes = stream.Size() - sizeAt - 4;
        if (blockBytes > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
            throw EAppError(u"The menu \"" + root->Item(i)->Text + u"\" is too large to be saved.");
        stream.PatchInt32(sizeAt, static_cast<std::int32_t>(blockBytes));
    }
    bytes = std::move(stream.Bytes());
}

bool ParseDataFileBytes(TTreeNodes& items, TTreeNode* root, const std::vector<std::uint8_t>& bytes)
{
    if (!HasDataFileMagic(bytes))
        return false;
    if (bytes.size() < DataFileHeaderSize)
        ByteReader(bytes).Fail(bytes.size(), u"the header ends too early");
    ByteReader file(bytes, DataFileHeaderSize);

    const std::size_t countAt = file.Position();
    const std::int32_t menuCount = file.Int32();
    // Each saved menu takes at least its name's length and its block's size.
    if (menuCount < 0 || static_cast<std::size_t>(menuCount) > file.Remaining() / 8)
        file.Fail(countAt, u"the number of menus (" + Number(menuCount) + u") does not fit the data");
    for (std::int32_t i = 0; i < menuCount; ++i) {
        TTreeNode* menu = items.AddChild(root, file.Text());
        menu->ImageIndex = nkFolder;
        menu->SelectedIndex = FolderOpenImageIndex;
        AddMessageMenuRows(items, menu);
    }

    // Blocks are matched to the menus by position alone: Clipboards, Messages, the user menus.
    for (int i = 1; i < root->Count(); ++i) {
        const std::size_t sizeAt = file.Position();
        const std::int32_t blockBytes = file.Int32();
        if (blockBytes < 0 || static_cast<std::size_t>(blockBytes) > file.Remaining())
            file.Fail(sizeAt, u"the block size (" + Number(blockBytes) + u") does not fit the data");
        ByteReader block = file.Take(static_cast<std::size_t>(blockBytes));
        ReadNodeRecords(items, root->Item(i), block);
    }
    return true;
}

void SaveDataFile(TTreeNodes&, const TTreeNode* root)
{
    BuildDataFileBytes(root, DataFileBuffer);
    KeepUnreadableDataFileAside();
    OsFiles().WriteWholeFile(DataFile, DataFileBuffer);
}

void LoadDataFile(TTreeNodes& items, TTreeNode* root)
{
    UnreadableDataFile = DataFile; // until the whole file has been read
    const std::vector<std::uint8_t> bytes = OsFiles().ReadWholeFile(DataFile);
    if (ParseDataFileBytes(items, root, bytes))
        UnreadableDataFile.clear();
}
