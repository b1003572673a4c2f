// Test doubles of the OS services derive from the real service classes they change; WithDouble
// puts such a double in place of those services and leaves the others as installed.
#pragma once

#include <type_traits>

#include "core/win32/Win32Os.h"

template <class Double>
TOsServices WithDouble(TOsServices services, Double& double_)
{
    if constexpr (std::is_base_of_v<IFileSystem, Double>)
        services.Files = &double_;
    if constexpr (std::is_base_of_v<IRegistry, Double>)
        services.Registry = &double_;
    if constexpr (std::is_base_of_v<IClipboard, Double>)
        services.Clipboard = &double_;
    if constexpr (std::is_base_of_v<IInput, Double>)
        services.Input = &double_;
    if constexpr (std::is_base_of_v<IShell, Double>)
        services.Shell = &double_;
    if constexpr (std::is_base_of_v<ITextServices, Double>)
        services.Text = &double_;
    return services;
}
