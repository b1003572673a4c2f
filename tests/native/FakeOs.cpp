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

void FakeOs::ShellOpen(std::uintptr_t owner, StringView target, int showCommand)
{
    Calls.push_back("ShellOpen " + std::to_string(owner) + " " + ToUtf8(target) + " " + std::to_string(showCommand));
}

String FakeOs::SpecialFolderPath(int csidl) { return u"C:\\Folder" + String(1, char16_t(u'0' + csidl % 10)); }

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
    // Written into the file's memory, with room to grow: a file system's cost does not depend on
    // whether the file grew since its last write, so the fake's must not either.
    std::vector<std::uint8_t>& file = Files[String(path)];
    if (file.capacity() < bytes.size()) {
        file.clear();
        file.reserve(bytes.size() + bytes.size() / 8);
    }
    file.assign(bytes.begin(), bytes.end());
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

bool FakeOs::RegisterHotkey(int id, unsigned modifiers, unsigned key)
{
    Calls.push_back("RegisterHotkey " + std::to_string(id) + " " + std::to_string(modifiers) + " " +
                    std::to_string(key));
    if (ForeignHotkeys.count(id))
        return false;
    return RegisteredHotkeys.insert(id).second;
}

bool FakeOs::UnregisterHotkey(int id)
{
    Calls.push_back("UnregisterHotkey " + std::to_string(id));
    return RegisteredHotkeys.erase(id) != 0;
}

void FakeOs::KeybdEvent(int key, int scanCode, unsigned flags)
{
    std::string what = flags == 0 ? "down" : flags == 2 ? "up" : "flags " + std::to_string(flags);
    Calls.push_back("Key " + std::to_string(key) + " " + std::to_string(scanCode) + " " + what);
}

int FakeOs::VirtualKeyScanCode(int key) { return key + 100; }

int FakeOs::KeyState(int key)
{
    auto it = KeyStates.find(key);
    return it == KeyStates.end() ? 0 : it->second;
}

void FakeOs::Sleep(unsigned ms) { Calls.push_back("Sleep " + std::to_string(ms)); }

TDateTimeText FakeOs::CurrentDateTimeText() { return Now; }

void FakeOs::SetClipboardText(StringView text)
{
    Calls.push_back("Clipboard \"" + ToUtf8(text) + "\"" + (CaptureNextClipboardChange ? " captured" : ""));
    if (ClipboardLocked)
        throw EAppError(u"Cannot open clipboard: Access is denied.");
    ClipboardText = String(text);
    CaptureNextClipboardChange = true; // what the clipboard viewer does on the notification
}

TScreenPoint FakeOs::CursorPos() { return Cursor; }

void FakeOs::SetCursorPos(TScreenPoint p)
{
    Calls.push_back("SetCursorPos " + std::to_string(p.X) + " " + std::to_string(p.Y));
    Cursor = p;
}

void FakeOs::MouseEvent(unsigned flags) { Calls.push_back("MouseEvent " + std::to_string(flags)); }

void FakeOs::MessageBeep(unsigned type) { Calls.push_back("MessageBeep " + std::to_string(type)); }

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

String FakeOs::KeyName(int virtualKey)
{
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
        return String(1, static_cast<char16_t>(virtualKey));
    if (virtualKey >= 0x70 && virtualKey <= 0x87) {
        String name = u"F";
        for (char c : std::to_string(virtualKey - 0x6F))
            name += static_cast<char16_t>(c);
        return name;
    }
    auto it = KeyNames.find(virtualKey);
    return it == KeyNames.end() ? String() : it->second;
}
