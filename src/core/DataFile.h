// The data file (Quorvane.db) and the node records it shares with snippet files (.qvn).
//
// Both files start with the same 76-byte header; the records that follow carry each node's level,
// so the shape of the tree is rebuilt from the levels alone. Everything is little-endian, every
// integer 32 bits signed, every string UTF-16LE code units after its length in bytes.
//
// The byte building and parsing are kept apart from the file I/O (BuildDataFileBytes,
// ParseDataFileBytes) so that they can be measured and fuzzed in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/SnippetTree.h"
#include "core/Text.h"

constexpr std::int32_t DataFileMagic = 0x245A78C0;
constexpr std::int32_t DataFileVersion = 1000;

// At offset 0 of the data file and of every snippet file. Only Magic is ever looked at.
struct TDataFileHeader {
    std::int32_t Magic;
    std::int32_t Version;
    char16_t Digest[32]; // HeaderMD5Hex(HeaderDigestText), no length, no terminator
    std::uint8_t Reserved[4];
};
static_assert(sizeof(TDataFileHeader) == 76, "the header is 76 bytes on disk");
constexpr std::size_t DataFileHeaderSize = sizeof(TDataFileHeader);

// The fixed part of one node record. Then follow NameBytes and the name, ContentBytes and the
// content (the node's text up to its terminating zero).
struct TNodeRecord {
    std::int32_t Level;    // the node's level in the tree it was written from
    std::int32_t Kind;     // ImageIndex, stored unchecked
    std::int32_t Hotkey;   // StateIndex
    std::int32_t Reserved; // ExpandedImageIndex
};
static_assert(sizeof(TNodeRecord) == 16, "the fixed part of a record is 16 bytes on disk");

// A record's level does not fit the records before it, or would leave the target.
class ETreeViewError : public EAppError {
public:
    using EAppError::EAppError;
};

// The bytes end inside a record or hold a length or count that cannot be right.
class EDataFileError : public EAppError {
public:
    using EAppError::EAppError;
};

// Appends little-endian fields to a growing buffer.
class ByteWriter {
public:
    ByteWriter() = default;
    // Writes into buffer's memory, its old contents dropped: a buffer kept from an earlier save is
    // already paged in, where a fresh one of the file's size costs more than the encoding.
    explicit ByteWriter(std::vector<std::uint8_t> buffer) : bytes_(std::move(buffer)) { bytes_.clear(); }
    void Int32(std::int32_t value);
    // NameBytes / ContentBytes, then the code units.
    void Text(StringView text);
    // The same for the code units before the text's first zero (a node's content).
    void TextToZero(StringView text);
    void Units(StringView text); // the code units alone
    void Zeros(std::size_t count);

    std::size_t Size() const { return bytes_.size(); }
    // Overwrites a 32-bit field written earlier (a block's size, known only after its records).
    void PatchInt32(std::size_t offset, std::int32_t value);
    std::vector<std::uint8_t>& Bytes() { return bytes_; }
    void Reserve(std::size_t size) { bytes_.reserve(size); }
    std::size_t Capacity() const { return bytes_.capacity(); }

private:
    std::vector<std::uint8_t> bytes_;
};

// Reads little-endian fields from bytes it does not own, never beyond its end. Positions are
// those of the whole buffer, so the errors tell where in the file the damage is.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size, std::size_t position = 0);
    explicit ByteReader(const std::vector<std::uint8_t>& bytes, std::size_t position = 0)
        : ByteReader(bytes.data(), bytes.size(), position) {}

    std::size_t Position() const { return position_; }
    std::size_t Size() const { return end_; }
    std::size_t Remaining() const { return end_ - position_; }
    bool AtEnd() const { return position_ >= end_; }

    std::int32_t Int32();
    // A length in bytes (even, not negative, within the data) and that many bytes of text.
    String Text();
    // The next count bytes as a reader of their own; this one moves past them.
    ByteReader Take(std::size_t count);

    [[noreturn]] void Fail(std::size_t at, StringView what) const;

private:
    const std::uint8_t* data_;
    std::size_t position_;
    std::size_t end_;
};

// The 76 header bytes, the same in data files and snippet files.
void WriteDataFileHeader(ByteWriter& stream);
// True when the bytes start with DataFileMagic (a file shorter than 4 bytes has no magic).
bool HasDataFileMagic(const std::vector<std::uint8_t>& bytes);

// Appends the records of node's children and all their descendants in pre-order; a menu's three
// fixed rows are skipped.
void WriteNodeRecords(ByteWriter& stream, const TTreeNode* node);
// Reads records from the stream's position to its end and adds their nodes below target, the
// first record's level re-based to a child of target. Throws ETreeViewError for a level that does
// not fit and EDataFileError for damaged data; the nodes read before stay.
void ReadNodeRecords(TTreeNodes& items, TTreeNode* target, ByteReader& stream);
// The same from a position of a whole file (a snippet file's records start at DataFileHeaderSize).
void ReadNodeRecords(TTreeNodes& items, TTreeNode* target, const std::vector<std::uint8_t>& bytes,
                     std::size_t from = 0);

// The whole data file for the tree under root.
std::vector<std::uint8_t> BuildDataFileBytes(const TTreeNode* root);
// The same into bytes, whose memory is reused.
void BuildDataFileBytes(const TTreeNode* root, std::vector<std::uint8_t>& bytes);
// Adds the saved user menus (with their fixed rows) and the rows of every menu under root.
// False, with nothing added, when the bytes do not start with DataFileMagic; throws as
// ReadNodeRecords does for damaged data.
bool ParseDataFileBytes(TTreeNodes& items, TTreeNode* root, const std::vector<std::uint8_t>& bytes);

// Writes the tree under root to DataFile, replacing it.
void SaveDataFile(TTreeNodes& items, const TTreeNode* root);
// Reads DataFile into the tree under root (start-up, once).
void LoadDataFile(TTreeNodes& items, TTreeNode* root);

// The data file that was present but could not be loaded wholly in this run, or empty. The next
// SaveDataFile copies it aside (DataFile + ".unreadable") before replacing it, once, so the
// user's collection can still be recovered.
extern String UnreadableDataFile;
