#include "organize/TextFiles.h"

#include "core/OsServices.h"

std::vector<std::uint8_t> TextFileBytes(StringView text)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(2 + 2 * text.size());
    bytes.push_back(0xFF);
    bytes.push_back(0xFE);
    for (char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

String ValidFileName(StringView name)
{
    static constexpr StringView Forbidden = u"\\/:*?\"<>|";
    String valid(name);
    for (char16_t& c : valid)
        if (c < 0x20 || Forbidden.find(c) != StringView::npos)
            c = u'_';
    while (!valid.empty() && (valid.back() == u'.' || valid.back() == u' '))
        valid.pop_back();
    return valid.empty() ? String(u"Message") : valid;
}

void SaveMessageToFile(StringView text, StringView fileName) { OsFiles().WriteWholeFile(fileName, TextFileBytes(text)); }
