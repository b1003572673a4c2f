#include "FakeOs.h"

#include "core/Globals.h"

FakeOs::FakeOs()
{
    ResetGlobals();
    SetOsServices(this);
}

FakeOs::~FakeOs() { SetOsServices(nullptr); }

int FakeOs::CompareText(StringView a, StringView b) { return a.compare(b); }

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

bool FakeOs::OpenRegistryKey(StringView path, bool create)
{
    Calls.push_back("OpenRegistryKey " + ToUtf8(path) + (create ? " create" : ""));
    if (FailRegistryOpen || (!create && !Registry.count(String(path))))
        return false;
    openKey_ = &Registry[String(path)];
    return true;
}

TRegistryValue FakeOs::ReadRegistryValue(StringView name)
{
    Calls.push_back("ReadRegistryValue " + ToUtf8(name));
    if (!openKey_)
        return {};
    auto it = openKey_->find(String(name));
    return it == openKey_->end() ? TRegistryValue{} : it->second;
}

bool FakeOs::WriteRegistryInteger(StringView name, std::int32_t value)
{
    Calls.push_back("WriteRegistryInteger " + ToUtf8(name) + " " + std::to_string(value));
    if (FailRegistryWrites || !openKey_)
        return false;
    (*openKey_)[String(name)] = {TRegistryType::Integer, value, {}};
    return true;
}

bool FakeOs::WriteRegistryText(StringView name, StringView value)
{
    Calls.push_back("WriteRegistryText " + ToUtf8(name) + " " + ToUtf8(value));
    if (FailRegistryWrites || !openKey_)
        return false;
    (*openKey_)[String(name)] = {TRegistryType::Text, 0, String(value)};
    return true;
}

void FakeOs::CloseRegistryKey()
{
    Calls.push_back("CloseRegistryKey");
    openKey_ = nullptr;
}

String FakeOs::AnsiToText(const std::vector<std::uint8_t>& bytes)
{
    return String(bytes.begin(), bytes.end()); // Latin-1 stands in for the ANSI code page
}
