// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/oleaccess.h"

#include <string>

namespace angoli::win32
{

namespace
{

HMODULE loadSystemLibrary(const wchar_t *name)
{
    // Never from the program's folder or the current one.
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const std::wstring path = std::wstring(folder, length) + L'\\' + name;
    return LoadLibraryW(path.c_str());
}

template <typename Function> Function procedure(HMODULE module, const char *name)
{
    return module
               ? reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(module, name)))
               : nullptr;
}

} // namespace

const OleAccess &oleAccess()
{
    static const OleAccess loaded = [] {
        OleAccess a;
        HMODULE oleacc = loadSystemLibrary(L"oleacc.dll");
        HMODULE oleaut = loadSystemLibrary(L"oleaut32.dll");
        HMODULE ole = loadSystemLibrary(L"ole32.dll");
        a.createStandard =
            procedure<decltype(a.createStandard)>(oleacc, "CreateStdAccessibleObject");
        a.lresultFromObject = procedure<decltype(a.lresultFromObject)>(oleacc, "LresultFromObject");
        a.objectFromWindow =
            procedure<decltype(a.objectFromWindow)>(oleacc, "AccessibleObjectFromWindow");
        a.allocString = procedure<decltype(a.allocString)>(oleaut, "SysAllocStringLen");
        // Handing an object to a screen reader's process marshals it: COM on this thread.
        if (auto init = procedure<decltype(&CoInitializeEx)>(ole, "CoInitializeEx"))
            init(nullptr, COINIT_APARTMENTTHREADED);
        return a;
    }();
    return loaded;
}

} // namespace angoli::win32
