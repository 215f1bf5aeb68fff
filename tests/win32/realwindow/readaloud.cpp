// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader reads of the game's window, for the Wine window test: finds the window of
// class AngoliForm1 and prints the name of each of its accessible children, one per line, in
// UTF-8. Exit status 0 when the window was found and read, 1 otherwise.
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{

std::string utf8(const wchar_t *text, int length)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(std::size_t(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), size, nullptr, nullptr);
    return out;
}

// One line per child: its name with line breaks as blanks, so a caption cannot split it.
void printName(IAccessible *object, long id)
{
    VARIANT child;
    child.vt = VT_I4;
    child.lVal = id;
    BSTR name = nullptr;
    if (object->get_accName(child, &name) == S_OK && name != nullptr) {
        std::string line = utf8(name, int(SysStringLen(name)));
        for (char &c : line)
            if (c == '\r' || c == '\n')
                c = ' ';
        std::printf("%s\n", line.c_str());
    }
    SysFreeString(name);
}

} // namespace

int main()
{
    HWND form = FindWindowW(L"AngoliForm1", nullptr);
    if (form == nullptr)
        return 1;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IAccessible *object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(form, DWORD(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void **>(&object))) ||
        object == nullptr)
        return 1;
    long count = 0;
    object->get_accChildCount(&count);
    std::vector<VARIANT> children(std::size_t(count > 0 ? count : 0));
    LONG got = 0;
    if (count > 0)
        AccessibleChildren(object, 0, count, children.data(), &got);
    for (LONG i = 0; i < got; ++i) {
        VARIANT &v = children[std::size_t(i)];
        if (v.vt == VT_I4) {
            printName(object, v.lVal);
        } else if (v.vt == VT_DISPATCH && v.pdispVal != nullptr) {
            IAccessible *window = nullptr;
            if (SUCCEEDED(v.pdispVal->QueryInterface(__uuidof(IAccessible),
                                                     reinterpret_cast<void **>(&window)))) {
                printName(window, CHILDID_SELF);
                window->Release();
            }
            v.pdispVal->Release();
        }
    }
    object->Release();
    std::fflush(stdout);
    return 0;
}
