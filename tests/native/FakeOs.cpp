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

int FakeOs::MessageBox(StringView text, StringView, int flags)
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
