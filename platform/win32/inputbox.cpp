// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/inputbox.h"

#include <cstring>
#include <vector>

namespace angoli::win32
{

namespace
{

constexpr int kPromptId = 100;
constexpr int kFieldId = 101;
constexpr WORD kButtonClass = 0x0080, kEditClass = 0x0081, kStaticClass = 0x0082;

// The dialog, in dialog units: prompt top-left, OK and Cancel at the right, the field below.
struct Item {
    DWORD style;
    short x, y, cx, cy;
    WORD id;
    WORD windowClass;
    const wchar_t *text;
};
constexpr Item kItems[] = {
    {WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 7, 180, 40, kPromptId, kStaticClass, L""},
    {WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 194, 7, 50, 14, IDOK, kButtonClass,
     L"OK"},
    {WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 194, 25, 50, 14, IDCANCEL, kButtonClass,
     L"Annulla"},
    {WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 7, 56, 237, 13, kFieldId,
     kEditClass, L""},
};

class Template
{
public:
    void align(std::size_t to)
    {
        while (m_bytes.size() % to)
            m_bytes.push_back(0);
    }
    template <typename T> void put(T value)
    {
        const auto *p = reinterpret_cast<const unsigned char *>(&value);
        m_bytes.insert(m_bytes.end(), p, p + sizeof value);
    }
    void text(const wchar_t *s)
    {
        for (; *s; ++s)
            put<WORD>(WORD(*s));
        put<WORD>(0);
    }
    const DLGTEMPLATE *get() const { return reinterpret_cast<const DLGTEMPLATE *>(m_bytes.data()); }

private:
    std::vector<unsigned char> m_bytes;
};

struct State {
    const std::wstring *prompt;
    std::wstring typed;
};

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM w, LPARAM l)
{
    auto *state = reinterpret_cast<State *>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        state = reinterpret_cast<State *>(l);
        SetWindowLongPtrW(dialog, DWLP_USER, l);
        SetDlgItemTextW(dialog, kPromptId, state->prompt->c_str());
        SetFocus(GetDlgItem(dialog, kFieldId));
        SetForegroundWindow(dialog);
        return FALSE; // the focus is set
    case WM_COMMAND:
        if (LOWORD(w) == IDOK) {
            HWND field = GetDlgItem(dialog, kFieldId);
            std::wstring text(std::size_t(GetWindowTextLengthW(field)) + 1, L'\0');
            text.resize(std::size_t(GetWindowTextW(field, text.data(), int(text.size()))));
            state->typed = std::move(text);
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(w) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

std::optional<std::wstring> showInputBox(HWND owner, const std::wstring &prompt,
                                         const std::wstring &title)
{
    Template t;
    t.put<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER |
                 DS_SETFOREGROUND);
    t.put<DWORD>(0);
    t.put<WORD>(WORD(std::size(kItems)));
    t.put<short>(0), t.put<short>(0), t.put<short>(251), t.put<short>(76);
    t.put<WORD>(0), t.put<WORD>(0); // no menu, the standard dialog class
    t.text(title.c_str());
    t.put<WORD>(8);
    t.text(L"MS Shell Dlg");
    for (const Item &item : kItems) {
        t.align(sizeof(DWORD));
        t.put<DWORD>(item.style);
        t.put<DWORD>(0);
        t.put<short>(item.x), t.put<short>(item.y), t.put<short>(item.cx), t.put<short>(item.cy);
        t.put<WORD>(item.id);
        t.put<WORD>(0xFFFF), t.put<WORD>(item.windowClass);
        t.text(item.text);
        t.put<WORD>(0); // no creation data
    }
    State state{&prompt, {}};
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.get(), owner,
                                                   dialogProc, reinterpret_cast<LPARAM>(&state));
    if (result != IDOK)
        return std::nullopt;
    return state.typed;
}

} // namespace angoli::win32
