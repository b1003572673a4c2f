#include "core/Text.h"

#include "core/OsServices.h"

namespace {
String DecodeUtf8(const std::uint8_t* p, const std::uint8_t* end)
{
    String out;
    while (p < end) {
        const std::uint8_t lead = *p++;
        int extra = lead < 0x80 ? 0 : (lead >> 5) == 6 ? 1 : (lead >> 4) == 14 ? 2 : (lead >> 3) == 30 ? 3 : -1;
        char32_t c = extra == 0 ? lead : extra == 1 ? lead & 0x1F : extra == 2 ? lead & 0x0F : lead & 0x07;
        bool ok = extra >= 0;
        // A byte that breaks a sequence is not part of it: it starts the next character.
        for (int i = 0; ok && i < extra; ++i)
            if (p < end && (*p >> 6) == 2)
                c = (c << 6) | (*p++ & 0x3F);
            else
                ok = false;
        // An overlong form would let a hidden zero or line break through.
        static constexpr char32_t Shortest[] = {0, 0x80, 0x800, 0x10000};
        if (!ok || c < Shortest[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            out += u'\xFFFD';
        } else if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

String DecodeUtf16(const std::uint8_t* p, const std::uint8_t* end, bool bigEndian)
{
    String out;
    for (; end - p >= 2; p += 2)
        out += static_cast<char16_t>(bigEndian ? (p[0] << 8) | p[1] : (p[1] << 8) | p[0]);
    return out;
}
} // namespace

std::string ToUtf8(StringView text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD; // a lone surrogate has no UTF-8 form
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

EAppError::EAppError(String message) : message_(std::move(message)), utf8_(ToUtf8(message_)) {}

String LeadingText(StringView text, std::size_t count)
{
    if (text.size() <= count)
        return String(text);
    if (count > 0 && text[count - 1] >= 0xD800 && text[count - 1] <= 0xDBFF && text[count] >= 0xDC00 &&
        text[count] <= 0xDFFF)
        --count;
    return String(text.substr(0, count));
}

String DecodeTextFile(const std::vector<std::uint8_t>& bytes)
{
    const std::uint8_t* p = bytes.data();
    const std::uint8_t* end = p + bytes.size();
    if (bytes.size() >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF)
        return DecodeUtf8(p + 3, end);
    if (bytes.size() >= 2 && p[0] == 0xFF && p[1] == 0xFE)
        return DecodeUtf16(p + 2, end, false);
    if (bytes.size() >= 2 && p[0] == 0xFE && p[1] == 0xFF)
        return DecodeUtf16(p + 2, end, true);
    return OsText().AnsiToText(bytes);
}

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
