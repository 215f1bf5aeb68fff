// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader gets from the Win32 window through Active Accessibility: the painted
// labels as static texts with their Italian names, following their captions and announced when
// they change; the buttons with their captions as names and the layout's descriptions.
#include "game/controls.h"
#include "platform/win32/formaccessible.h"
#include "platform/win32/formwindow.h"
#include "platform/windows/wintext.h"
#include "testwindow.h"

#include <doctest.h>

#include <ole2.h>
#include <oleacc.h>

#include <memory>
#include <string>
#include <vector>

using namespace angoli;
using angoli::test::windowOf;
using angoli::win32::FormWindow;

namespace doctest
{
template <> struct StringMaker<std::wstring> {
    static String convert(const std::wstring &text) { return windows::toUtf8(text).c_str(); }
};
} // namespace doctest

namespace
{

constexpr long kChildWindows = 19; // the 20 windowed controls but the timer
constexpr long kReadLabels = 17;   // the 22 labels but the 5 that repeat another or lie hidden

FormWindow &window()
{
    static FormWindow &w = []() -> FormWindow & {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        return test::gameWindow();
    }();
    return w;
}

// One reference to an accessible object, released when done.
struct Releaser {
    void operator()(IAccessible *a) const { a->Release(); }
};
using Held = std::unique_ptr<IAccessible, Releaser>;

IAccessible *objectOf(HWND w)
{
    IAccessible *a = nullptr;
    REQUIRE(SUCCEEDED(AccessibleObjectFromWindow(w, DWORD(OBJID_CLIENT), __uuidof(IAccessible),
                                                 reinterpret_cast<void **>(&a))));
    REQUIRE(a != nullptr);
    return a;
}

VARIANT child(long id)
{
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::wstring textOf(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR *), IAccessible *a,
                    long id)
{
    BSTR text = nullptr;
    (a->*get)(child(id), &text);
    std::wstring s = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return s;
}
std::wstring nameOf(IAccessible *a, long id = CHILDID_SELF)
{
    return textOf(&IAccessible::get_accName, a, id);
}
std::wstring descriptionOf(IAccessible *a, long id = CHILDID_SELF)
{
    return textOf(&IAccessible::get_accDescription, a, id);
}

long numberOf(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT *), IAccessible *a,
              long id)
{
    VARIANT v;
    v.vt = VT_EMPTY;
    (a->*get)(child(id), &v);
    return v.vt == VT_I4 ? v.lVal : -1;
}

struct Text {
    long id;
    std::wstring name;
};

// The form's children: the simple ones with their names, and the child windows.
struct Children {
    std::vector<Text> texts;
    std::vector<HWND> windows;
    long count = 0;
};

// The window an object stands for.
HWND windowOf(IDispatch *object)
{
    IAccessible *a = nullptr;
    object->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void **>(&a));
    object->Release();
    REQUIRE(a != nullptr);
    HWND w = nullptr;
    WindowFromAccessibleObject(a, &w);
    a->Release();
    return w;
}

Children childrenOf(IAccessible *form)
{
    Children c;
    REQUIRE(form->get_accChildCount(&c.count) == S_OK);
    std::vector<VARIANT> all(std::size_t(c.count));
    LONG got = 0;
    REQUIRE(SUCCEEDED(AccessibleChildren(form, 0, c.count, all.data(), &got)));
    REQUIRE(got == c.count);
    for (VARIANT &v : all) {
        if (v.vt == VT_I4)
            c.texts.push_back({v.lVal, nameOf(form, v.lVal)});
        else if (v.vt == VT_DISPATCH)
            c.windows.push_back(windowOf(v.pdispVal));
    }
    return c;
}

long idNamed(const Children &c, const std::wstring &name)
{
    for (const Text &t : c.texts)
        if (t.name == name)
            return t.id;
    return 0;
}

// Name changes announced to an out-of-context hook, as a screen reader gets them.
std::vector<LONG> announced;
void CALLBACK onNameChange(HWINEVENTHOOK, DWORD, HWND w, LONG object, LONG id, DWORD, DWORD)
{
    if (w == window().window() && object == OBJID_CLIENT)
        announced.push_back(id);
}

void pumpMessages()
{
    MSG m;
    for (int round = 0; round < 5; ++round) {
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&m);
        Sleep(20);
    }
}

} // namespace

TEST_CASE("the form's children: its child windows, then the labels that are read")
{
    Held form(objectOf(window().window()));
    const Children c = childrenOf(form.get());
    CHECK(c.count == kChildWindows + kReadLabels);
    CHECK(long(c.windows.size()) == kChildWindows);
    REQUIRE(long(c.texts.size()) == kReadLabels);
    for (const Text &t : c.texts) {
        CAPTURE(t.name);
        CHECK(t.id > kChildWindows);
        CHECK(numberOf(&IAccessible::get_accRole, form.get(), t.id) == ROLE_SYSTEM_STATICTEXT);
        CHECK(numberOf(&IAccessible::get_accState, form.get(), t.id) == STATE_SYSTEM_READONLY);
        IDispatch *none = reinterpret_cast<IDispatch *>(1);
        CHECK(form->get_accChild(child(t.id), &none) == S_FALSE); // simple: no object of its own
        CHECK(none == nullptr);
    }
    BSTR text = nullptr; // beyond the last child there is nothing
    CHECK(form->get_accName(child(c.count + 1), &text) == E_INVALIDARG);
    // The child windows are the windows' own objects, in Windows' order.
    std::vector<HWND> expected;
    for (HWND w = GetWindow(window().window(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        expected.push_back(w);
    CHECK(c.windows == expected);
}

TEST_CASE("each label that is read says its Italian name and description")
{
    FormWindow &w = window();
    w.setCaption(form::lblnome, "Anna\r\n"); // as a record file gives it
    w.setCaption(form::lblpunti, "12\r\n");
    w.setCaption(form::lblnome1, "Dode");
    w.setCaption(form::lblangolo, "137");
    struct Case {
        const wchar_t *name, *description;
    };
    const Case cases[] = {
        {L"Risposte esatte: 0", L"Il tuo punteggio: il numero di risposte esatte"},
        {L"Risposte errate: 0", L"Il numero di risposte sbagliate"},
        {L"Totale: 0", L"La somma dei pulsanti premuti per questo angolo"},
        {L"Angolo verde in gradi: 137",
         L"La misura dell'angolo verde; il suo esplementare è la parte blu da trovare"},
        {L"Detentore del record: Anna", L"Il nome di chi ha il record di questo computer"},
        {L"Punti del record: 12",
         L"Il record di questo computer: il maggior numero di risposte esatte"},
        {L"Sfidante: Dode", L"Il nome di chi sta giocando"},
        {L"Tempo restante: 00.00.00",
         L"Ore, minuti e secondi che restano fino alla fine del gioco"},
        {L"Risposte esatte", L""}, // Label6(0): its caption, no description
        {L"Il record è di", L""},
    };
    Held form(objectOf(w.window()));
    const Children c = childrenOf(form.get());
    for (const Case &k : cases) {
        CAPTURE(std::wstring(k.name));
        const long id = idNamed(c, k.name);
        REQUIRE(id != 0);
        CHECK(descriptionOf(form.get(), id) == k.description);
    }
}

TEST_CASE("the labels that repeat the total or lie under a button are not read")
{
    FormWindow &w = window();
    w.setCaption(form::lbltotal3, "771");
    w.setCaption(form::lbltotale, "772");
    w.setCaption(form::lbltotal2, "773");
    w.setCaption(form::lbltotal4, "774");
    Held form(objectOf(w.window()));
    const Children c = childrenOf(form.get());
    for (const Text &t : c.texts) {
        CAPTURE(t.name);
        // The back totals, and Label8 and Label9 under the "1" button.
        for (const wchar_t *unread : {L"771", L"772", L"773", L"°"})
            CHECK(t.name.find(unread) == std::wstring::npos);
    }
    CHECK(idNamed(c, L"Totale: 774") != 0); // the front one is
    w.setCaption(form::lbltotal4, "0");
}

TEST_CASE("a new caption is read at once and announced once")
{
    FormWindow &w = window();
    Held form(objectOf(w.window()));
    w.setCaption(form::lblScore, "0");
    const long score = idNamed(childrenOf(form.get()), L"Risposte esatte: 0");
    REQUIRE(score != 0);
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, onNameChange,
                        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    REQUIRE(hook != nullptr);
    announced.clear();
    w.setCaption(form::lblScore, "3");
    pumpMessages();
    CHECK(nameOf(form.get(), score) == L"Risposte esatte: 3");
    CHECK(announced == std::vector<LONG>{score});

    // What is said stays the same: nothing to announce.
    announced.clear();
    w.setCaption(form::lblScore, "3");
    w.setCaption(form::lblnome, "Anna");
    pumpMessages();
    w.setCaption(form::lblnome, "Anna\r\n");
    pumpMessages();
    CHECK(announced.empty());
    UnhookWinEvent(hook);
}

TEST_CASE("a point over a label reaches its text; over a button, the button")
{
    FormWindow &w = window();
    ShowWindow(w.window(), SW_SHOWNOACTIVATE);
    Held form(objectOf(w.window()));
    const Children c = childrenOf(form.get());
    const long score = idNamed(c, L"Risposte esatte: 3");
    REQUIRE(score != 0);
    long x = 0, y = 0, width = 0, height = 0;
    REQUIRE(form->accLocation(&x, &y, &width, &height, child(score)) == S_OK);
    RECT client{};
    GetClientRect(w.window(), &client);
    MapWindowPoints(w.window(), nullptr, reinterpret_cast<POINT *>(&client), 2);
    const RECT b = win32::controlRect(w.model(), form::lblScore.row, win32::Scale{});
    const int dpi = win32::dpiOf(w.window());
    CHECK(x == client.left + MulDiv(b.left, dpi, 96));
    CHECK(y == client.top + MulDiv(b.top, dpi, 96));
    CHECK(width == MulDiv(b.right, dpi, 96) - MulDiv(b.left, dpi, 96));
    CHECK(height > 0);

    VARIANT hit;
    REQUIRE(form->accHitTest(x + width / 2, y + height / 2, &hit) == S_OK);
    CHECK(hit.vt == VT_I4);
    CHECK(hit.lVal == score);
    // The "Verifica" button stands at (16, 240) to (129, 321).
    REQUIRE(form->accHitTest(client.left + MulDiv(60, dpi, 96), client.top + MulDiv(280, dpi, 96),
                             &hit) == S_OK);
    REQUIRE(hit.vt == VT_DISPATCH);
    CHECK(windowOf(hit.pdispVal) == windowOf("cmdverifica"));
    // Where only the photo is, the window itself; outside it, nothing.
    REQUIRE(form->accHitTest(client.left + MulDiv(300, dpi, 96), client.top + MulDiv(300, dpi, 96),
                             &hit) == S_OK);
    CHECK(hit.vt == VT_I4);
    CHECK(hit.lVal == CHILDID_SELF);
    CHECK(form->accHitTest(client.left - 5, client.top, &hit) == S_FALSE);
    CHECK(hit.vt == VT_EMPTY);

    // The focus is on a child window: its own object.
    SetFocus(windowOf("Option1", 8));
    VARIANT focus;
    REQUIRE(form->get_accFocus(&focus) == S_OK);
    REQUIRE(focus.vt == VT_DISPATCH);
    CHECK(windowOf(focus.pdispVal) == windowOf("Option1", 8));
    ShowWindow(w.window(), SW_HIDE);
}

TEST_CASE("a button's name is its caption, its description the layout's")
{
    struct Case {
        const char *control;
        int index;
        const wchar_t *name, *description;
    };
    const Case cases[] = {
        {"Option1", 8, L"100", L"Aggiunge 100 al totale"},
        {"Option1", 1, L"1", L"Aggiunge 1 al totale"},
        {"cmdverifica", -1, L"Verifica",
         L"Controlla se il totale è l'angolo esplementare e passa all'angolo successivo"},
        {"Cmdexit1", -1, L"Esci", L"Termina il gioco e, se hai battuto il record, lo registra"},
        {"Picture1", -1, L"Immagine BACK", L"Un'immagine coperta dal pulsante 5: non fa nulla"},
        {"Command2", -1, L"Nuova nota", L"Per avere un'altra nota cliccami."}, // its tooltip
        {"Command4", -1, L"Command4", L""}, // undescribed: Windows' own object
        {"Option1", 0, L"0", L""},
    };
    for (const Case &k : cases) {
        CAPTURE(k.control);
        CAPTURE(k.index);
        Held a(objectOf(windowOf(k.control, k.index)));
        CHECK(nameOf(a.get()) == k.name);
        CHECK(descriptionOf(a.get()) == k.description);
    }
}

TEST_CASE("what a screen reader holds after the window is gone no longer reaches it")
{
    auto *gone = new FormWindow(GetModuleHandleW(nullptr));
    REQUIRE(gone->create());
    IAccessible *form = objectOf(gone->window());
    HWND verifica = gone->native(layout::rowOf("cmdverifica", -1)).window;
    IAccessible *button = objectOf(verifica);
    CHECK(descriptionOf(button) != L"");
    long count = 0;
    CHECK(form->get_accChildCount(&count) == S_OK);
    CHECK(count == kChildWindows + kReadLabels);
    delete gone;
    CHECK(form->get_accChildCount(&count) == S_OK);
    CHECK(count == 0);
    BSTR text = nullptr;
    CHECK(form->get_accName(child(kChildWindows + 1), &text) == E_INVALIDARG);
    CHECK(descriptionOf(button) == L"");
    CHECK(form->Release() == 0);
    CHECK(button->Release() == 0);
}
