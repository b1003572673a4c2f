// Data files written by the driver, byte for byte as the program stores them, to start the
// program on a prepared collection.
#pragma once

#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

struct RecordSpec {
    int level;
    int kind;
    int hotkey;
    std::u16string name;
    std::u16string content;
};

void Append32(Bytes& b, int v);
void AppendText(Bytes& b, const std::u16string& text);
void AppendRecord(Bytes& b, const RecordSpec& record);
// The 76-byte header: magic, version, the digest of the empty text, 4 zero bytes.
Bytes DataFileHeader();
// A whole data file: the user menus' names, then one block of records for Clipboards, one for
// Messages and one for each user menu (missing blocks are empty).
Bytes DataFileBytes(const std::vector<std::u16string>& userMenus, const std::vector<std::vector<RecordSpec>>& blocks);
