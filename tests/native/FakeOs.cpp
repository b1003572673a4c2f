#include "FakeOs.h"

#include "core/Globals.h"

FakeOs::FakeOs()
{
    ResetGlobals();
    SetOsServices(Services());
}

FakeOs::~FakeOs() { SetOsServices({}); }

int FakeTextServices::CompareText(StringView a, StringView b)
{
    return OnCompareText ? OnCompareText(a, b) : a.compare(b);
}

int FakeShell::MessageDialog(StringView text, StringView, int flags)
{
    Calls.push_back("MessageBox " + ToUtf8(text) + " " + std::to_string(flags));
    return OnMessageBox ? OnMessageBox(text, flags) : 1;
}

namespace {
class FakeProcess : public IProcess {
public:
    explicit FakeProcess(std::vector<std::string>& calls) : calls_(calls) {}
    ~FakeProcess() override { calls_.push_back("ProcessReleased"); }

private:
    std::vector<std::string>& calls_;
};
} // namespace

std::unique_ptr<IProcess> FakeShell::StartProgram(StringView commandLine)
{
    Calls.push_back("StartProgram " + ToUtf8(commandLine));
    if (!ProgramStarts)
        return nullptr;
    return std::make_unique<FakeProcess>(Calls);
}

void FakeShell::ShellOpen(std::uintptr_t owner, StringView target, int showCommand)
{
    Calls.push_back("ShellOpen " + std::to_string(owner) + " " + ToUtf8(target) + " " + std::to_string(showCommand));
}

String FakeFiles::SpecialFolderPath(int csidl) { return u"C:\\Folder" + String(1, char16_t(u'0' + csidl % 10)); }

bool FakeFiles::FileExists(StringView path) { return Files.count(String(path)) != 0; }

std::vector<std::uint8_t> FakeFiles::ReadWholeFile(StringView path)
{
    auto it = Files.find(String(path));
    if (it == Files.end())
        throw EAppError(u"Cannot open file \"" + String(path) + u"\". The system cannot find the file specified");
    return it->second;
}

void FakeFiles::WriteWholeFile(StringView path, const std::vector<std::uint8_t>& bytes)
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

bool FakeFiles::CopyFileTo(StringView from, StringView to)
{
    Calls.push_back("CopyFileTo " + ToUtf8(from) + " " + ToUtf8(to));
    auto it = Files.find(String(from));
    if (it == Files.end() || FailWrites)
        return false;
    Files[String(to)] = it->second;
    return true;
}

namespace {
// A key of the fake registry; "CloseRegistryKey" goes into the log when it is dropped.
class FakeRegistryKey : public IRegistryKey {
public:
    FakeRegistryKey(FakeRegistry& registry, std::map<String, TRegistryValue>& values)
        : registry_(registry), values_(values)
    {
    }
    ~FakeRegistryKey() override { registry_.Calls.push_back("CloseRegistryKey"); }

    TRegistryValue Read(StringView name) override
    {
        registry_.Calls.push_back("ReadRegistryValue " + ToUtf8(name));
        auto it = values_.find(String(name));
        return it == values_.end() ? TRegistryValue{} : it->second;
    }

    bool WriteInteger(StringView name, std::int32_t value) override
    {
        registry_.Calls.push_back("WriteRegistryInteger " + ToUtf8(name) + " " + std::to_string(value));
        if (registry_.FailRegistryWrites)
            return false;
        values_[String(name)] = {TRegistryType::Integer, value, {}};
        return true;
    }

    bool WriteText(StringView name, StringView value) override
    {
        registry_.Calls.push_back("WriteRegistryText " + ToUtf8(name) + " " + ToUtf8(value));
        if (registry_.FailRegistryWrites)
            return false;
        values_[String(name)] = {TRegistryType::Text, 0, String(value)};
        return true;
    }

private:
    FakeRegistry& registry_;
    std::map<String, TRegistryValue>& values_;
};
} // namespace

std::unique_ptr<IRegistryKey> FakeRegistry::OpenKey(StringView path, bool create)
{
    Calls.push_back("OpenRegistryKey " + ToUtf8(path) + (create ? " create" : ""));
    if (FailRegistryOpen || (!create && !Registry.count(String(path))))
        return nullptr;
    return std::make_unique<FakeRegistryKey>(*this, Registry[String(path)]);
}

bool FakeInput::RegisterHotkey(int id, unsigned modifiers, unsigned key)
{
    Calls.push_back("RegisterHotkey " + std::to_string(id) + " " + std::to_string(modifiers) + " " +
                    std::to_string(key));
    if (ForeignHotkeys.count(id))
        return false;
    return RegisteredHotkeys.insert(id).second;
}

bool FakeInput::UnregisterHotkey(int id)
{
    Calls.push_back("UnregisterHotkey " + std::to_string(id));
    return RegisteredHotkeys.erase(id) != 0;
}

void FakeInput::KeybdEvent(int key, int scanCode, unsigned flags)
{
    std::string what = flags == 0 ? "down" : flags == 2 ? "up" : "flags " + std::to_string(flags);
    Calls.push_back("Key " + std::to_string(key) + " " + std::to_string(scanCode) + " " + what);
}

int FakeInput::KeyState(int key)
{
    auto it = KeyStates.find(key);
    return it == KeyStates.end() ? 0 : it->second;
}

void FakeInput::Sleep(unsigned ms) { Calls.push_back("Sleep " + std::to_string(ms)); }

void FakeClipboard::SetClipboardText(StringView text)
{
    Calls.push_back("Clipboard \"" + ToUtf8(text) + "\"" + (CaptureNextClipboardChange ? " captured" : ""));
    if (ClipboardLocked)
        throw EAppError(u"Cannot open clipboard: Access is denied.");
    ClipboardText = String(text);
    CaptureNextClipboardChange = true; // what the clipboard viewer does on the notification
}

void FakeInput::SetCursorPos(TScreenPoint p)
{
    Calls.push_back("SetCursorPos " + std::to_string(p.X) + " " + std::to_string(p.Y));
    Cursor = p;
}

void FakeInput::MouseEvent(unsigned flags) { Calls.push_back("MouseEvent " + std::to_string(flags)); }

void FakeInput::MessageBeep(unsigned type) { Calls.push_back("MessageBeep " + std::to_string(type)); }

std::optional<String> FakeClipboard::ReadClipboardText()
{
    Calls.push_back("ReadClipboardText");
    if (ClipboardLocked)
        return std::nullopt;
    return ClipboardText ? ClipboardText->substr(0, ClipboardText->find(u'\0')) : String();
}

void FakeClipboard::SendChainMessage(std::uintptr_t window, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    Calls.push_back("SendChainMessage " + std::to_string(window) + " " + std::to_string(msg) + " " +
                    std::to_string(wParam) + " " + std::to_string(lParam));
    if (OnChainMessage)
        OnChainMessage();
}

String FakeInput::KeyName(int virtualKey)
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
