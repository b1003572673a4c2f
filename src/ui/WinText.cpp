#include "ui/WinText.h"

#include <windows.h>

#include "ui/Handles.h"

String SystemErrorText(unsigned long code)
{
    wchar_t* buffer = nullptr;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const UniqueLocalMemory held(buffer);
    String text = length ? FromW(buffer) : u"Error " + FromW(std::to_wstring(code));
    while (!text.empty() && (text.back() == u'\n' || text.back() == u'\r' || text.back() == u' '))
        text.pop_back();
    return text;
}
