#include "core/OsServices.h"

#include <stdexcept>

namespace {
TOsServices Installed;

template <class Service>
Service& Required(Service* service)
{
    if (!service)
        throw std::logic_error("OS service not installed");
    return *service;
}
} // namespace

const TOsServices& OsServices() { return Installed; }
void SetOsServices(const TOsServices& services) { Installed = services; }

IFileSystem& OsFiles() { return Required(Installed.Files); }
IRegistry& OsRegistry() { return Required(Installed.Registry); }
IClipboard& OsClipboard() { return Required(Installed.Clipboard); }
IInput& OsInput() { return Required(Installed.Input); }
IShell& OsShell() { return Required(Installed.Shell); }
ITextServices& OsText() { return Required(Installed.Text); }
