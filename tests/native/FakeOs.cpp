#include "FakeOs.h"

#include "core/Globals.h"

FakeOs::FakeOs()
{
    ResetGlobals();
    SetOsServices(this);
}

FakeOs::~FakeOs() { SetOsServices(nullptr); }

int FakeOs::CompareText(StringView a, StringView b) { return OnCompareText ? OnCompareText(a, b) : a.compare(b); }

String FakeOs::Md5Hex(StringView text) { return u"MD5(" + String(text) + u")"; }

int FakeOs::MessageDialog(StringView text, StringView, int flags)
{
    Calls.push_back("MessageBox " + ToUtf8(text) + " " + std::to_string(flags));
    return OnMessageBox ? OnMessageBox(text, flags) : 1;
}

std::uintptr_t FakeOs::StartProgram(StringView commandLine)
{
    Calls.push_back("StartProgram " + ToUtf8(commandLine));
    return NextProcess;
}

String FakeOs::SpecialFolderPath(int csidl) { return u"C:\\Folder" + String(1, char16_t(u'0' + csidl % 10)); }

void FakeOs::UnregisterHotkey(int id) { Calls.push_back("UnregisterHotkey " + std::to_string(id)); }

bool FakeOs::FileExists(StringView path) { return Files.count(String(path)) != 0; }

std::vector<std::uint8_t> FakeOs::ReadWholeFile(StringView path)
{
    auto it = Files.find(String(path));
    if (it == Files.end())
        throw EAppError(u"Cannot open file \"" + String(path) + u"\". The system cannot find the file specified");
    return it->second;
}

void FakeOs::WriteWholeFile(StringView path, const std::vector<std::uint8_t>& bytes)
{
    Calls.push_back("WriteWholeFile " + ToUtf8(path) + " " + std::to_string(bytes.size()));
    if (FailWrites)
        throw EAppError(u"Cannot create file \"" + String(path) + u"\". There is not enough space on the disk");
    Files[String(path)] = bytes;
}

bool FakeOs::CopyFileTo(StringView from, StringView to)
{
    Calls.push_back("CopyFileTo " + ToUtf8(from) + " " + ToUtf8(to));
    auto it = Files.find(String(from));
    if (it == Files.end() || FailWrites)
        return false;
    Files[String(to)] = it->second;
    return true;
}

bool FakeOs::ClipboardHasText() { return ClipboardText.has_value(); }

std::optional<String> FakeOs::ReadClipboardText()
{
    Calls.push_back("ReadClipboardText");
    if (ClipboardLocked)
        return std::nullopt;
    return ClipboardText ? ClipboardText->substr(0, ClipboardText->find(u'\0')) : String();
}

void FakeOs::SendChainMessage(std::uintptr_t window, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    Calls.push_back("SendChainMessage " + std::to_string(window) + " " + std::to_string(msg) + " " +
                    std::to_string(wParam) + " " + std::to_string(lParam));
    if (OnChainMessage)
        OnChainMessage();
}
