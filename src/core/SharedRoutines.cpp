#include "core/SharedRoutines.h"

#include "core/Globals.h"
#include "core/OsServices.h"
#include "core/ScopeExit.h"

int ShowMessageBox(StringView text, StringView caption, int flags)
{
    ++OpenMessageBoxCount;
    const ScopeExit uncount([] { --OpenMessageBoxCount; }); // also when the box cannot be shown
    return OsShell().MessageDialog(text, caption, flags);
}

std::unique_ptr<IProcess> RunProgram(StringView commandLine)
{
    if (commandLine.empty())
        return nullptr;
    return OsShell().StartProgram(commandLine);
}

String GetSpecialFolderPath(int folder) { return OsFiles().SpecialFolderPath(folder); }

String MD5Hex(StringView text) { return OsText().Md5Hex(text); }

String HeaderMD5Hex(StringView text) { return MD5Hex(text); }
