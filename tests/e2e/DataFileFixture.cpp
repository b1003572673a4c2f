#include "DataFileFixture.h"

void Append32(Bytes& b, int v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<unsigned char>(static_cast<unsigned>(v) >> (8 * i)));
}

void AppendText(Bytes& b, const std::u16string& text)
{
    Append32(b, static_cast<int>(text.size() * 2));
    for (char16_t c : text) {
        b.push_back(static_cast<unsigned char>(c & 0xFF));
        b.push_back(static_cast<unsigned char>(c >> 8));
    }
}

void AppendRecord(Bytes& b, const RecordSpec& record)
{
    Append32(b, record.level);
    Append32(b, record.kind);
    Append32(b, record.hotkey);
    Append32(b, 0);
    AppendText(b, record.name);
    AppendText(b, record.content);
}

Bytes DataFileHeader()
{
    Bytes b;
    Append32(b, 0x245A78C0);
    Append32(b, 1000);
    for (char c : std::string("D41D8CD98F00B204E9800998ECF8427E")) {
        b.push_back(static_cast<unsigned char>(c));
        b.push_back(0);
    }
    Append32(b, 0);
    return b;
}

Bytes DataFileBytes(const std::vector<std::u16string>& userMenus, const std::vector<std::vector<RecordSpec>>& blocks)
{
    Bytes b = DataFileHeader();
    Append32(b, static_cast<int>(userMenus.size()));
    for (auto& name : userMenus)
        AppendText(b, name);
    for (size_t i = 0; i < 2 + userMenus.size(); ++i) {
        Bytes block;
        if (i < blocks.size())
            for (auto& record : blocks[i])
                AppendRecord(block, record);
        Append32(b, static_cast<int>(block.size()));
        b.insert(b.end(), block.begin(), block.end());
    }
    return b;
}
