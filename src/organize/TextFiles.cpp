#include "organize/TextFiles.h"

#include "core/OsServices.h"

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
