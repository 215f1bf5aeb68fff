// SPDX-License-Identifier: GPL-3.0-or-later
// A window's accessible object: Windows' standard one for the window, with simple children and
// texts of our own. Child ids 1..n are the child windows in Windows' order, then the simple
// children; without IEnumVARIANT, clients enumerate exactly those ids.
#include "platform/win32/accessible.h"

#include "platform/win32/accessiblebase.h"
#include "platform/win32/oleaccess.h"

#include <new>

namespace angoli::win32
{

namespace
{

VARIANT childVariant(long id)
{
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

HRESULT toBstr(const std::wstring &text, BSTR *out)
{
    if (text.empty())
        return S_FALSE;
    *out = oleAccess().allocString(text.data(), UINT(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

long childWindowCount(HWND window)
{
    long count = 0;
    for (HWND w = GetWindow(window, GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT))
        ++count;
    return count;
}

HWND childWindowAt(HWND window, long id)
{
    HWND w = GetWindow(window, GW_CHILD);
    for (long i = 1; w != nullptr && i < id; ++i)
        w = GetWindow(w, GW_HWNDNEXT);
    return w;
}

} // namespace

long firstItemId(HWND window)
{
    return childWindowCount(window) + 1;
}

class AccessibleServer::Object final : public AccessibleBase
{
public:
    Object(HWND window, IAccessible *standard, const AccessibleSource *source)
        : AccessibleBase(window), m_standard(standard), m_source(source)
    {
    }

    void disconnect() { m_source = nullptr; }

    // IAccessible: the object itself.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch **parent) override
    {
        return m_standard->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long *count) override
    {
        if (count == nullptr)
            return E_POINTER;
        *count = childWindowCount(m_window) + items();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch **out) override
    {
        if (out == nullptr)
            return E_POINTER;
        *out = nullptr;
        const Target t = resolve(child);
        if (t.kind == Target::Window) // the window's own object, as Windows makes it
            return windowObject(t.window, __uuidof(IDispatch), reinterpret_cast<void **>(out));
        return t.kind == Target::Item ? S_FALSE : E_INVALIDARG; // a simple child has no object
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT *focus) override
    {
        if (focus == nullptr)
            return E_POINTER;
        focus->vt = VT_EMPTY;
        HWND has = GetFocus();
        if (has == m_window) {
            *focus = childVariant(CHILDID_SELF);
            return S_OK;
        }
        if (has != nullptr && GetAncestor(has, GA_PARENT) == m_window)
            return windowVariant(has, focus);
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT *selection) override
    {
        return m_standard->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

    // IAccessible: the object itself or one of its children.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR *name) override
    {
        if (name == nullptr)
            return E_POINTER;
        *name = nullptr;
        if (isSelf(child) && m_source && !m_source->name(m_window).empty())
            return toBstr(m_source->name(m_window), name);
        return route(
            child, [&](const AccessibleItem &item) { return toBstr(item.name, name); },
            [&](IAccessible *a, VARIANT c) { return a->get_accName(c, name); });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR *text) override
    {
        if (text == nullptr)
            return E_POINTER;
        *text = nullptr;
        if (isSelf(child) && m_source && !m_source->description(m_window).empty())
            return toBstr(m_source->description(m_window), text);
        return route(
            child, [&](const AccessibleItem &item) { return toBstr(item.description, text); },
            [&](IAccessible *a, VARIANT c) { return a->get_accDescription(c, text); });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR *value) override
    {
        return standardText(child, value, &IAccessible::get_accValue);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT *role) override
    {
        if (role == nullptr)
            return E_POINTER;
        role->vt = VT_EMPTY;
        return route(
            child,
            [&](const AccessibleItem &) {
                *role = childVariant(ROLE_SYSTEM_STATICTEXT);
                return S_OK;
            },
            [&](IAccessible *a, VARIANT c) { return a->get_accRole(c, role); });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT *state) override
    {
        if (state == nullptr)
            return E_POINTER;
        state->vt = VT_EMPTY;
        return route(
            child,
            [&](const AccessibleItem &item) {
                *state = childVariant(STATE_SYSTEM_READONLY |
                                      (item.visible ? 0 : STATE_SYSTEM_INVISIBLE));
                return S_OK;
            },
            [&](IAccessible *a, VARIANT c) { return a->get_accState(c, state); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR *help) override
    {
        return standardText(child, help, &IAccessible::get_accHelp);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR *file, VARIANT child, long *topic) override
    {
        return route(
            child, [](const AccessibleItem &) { return DISP_E_MEMBERNOTFOUND; },
            [&](IAccessible *a, VARIANT c) { return a->get_accHelpTopic(file, c, topic); });
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR *keys) override
    {
        return standardText(child, keys, &IAccessible::get_accKeyboardShortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR *action) override
    {
        return standardText(child, action, &IAccessible::get_accDefaultAction);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override
    {
        return route(
            child, [](const AccessibleItem &) { return DISP_E_MEMBERNOTFOUND; },
            [&](IAccessible *a, VARIANT c) { return a->accSelect(flags, c); });
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return route(
            child, [](const AccessibleItem &) { return DISP_E_MEMBERNOTFOUND; },
            [&](IAccessible *a, VARIANT c) { return a->accDoDefaultAction(c); });
    }
    HRESULT STDMETHODCALLTYPE accLocation(long *left, long *top, long *width, long *height,
                                          VARIANT child) override
    {
        if (!left || !top || !width || !height)
            return E_POINTER;
        return route(
            child,
            [&](const AccessibleItem &item) {
                *left = item.screen.left;
                *top = item.screen.top;
                *width = item.screen.right - item.screen.left;
                *height = item.screen.bottom - item.screen.top;
                return S_OK;
            },
            [&](IAccessible *a, VARIANT c) { return a->accLocation(left, top, width, height, c); });
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT *out) override
    {
        if (out == nullptr)
            return E_POINTER;
        out->vt = VT_EMPTY;
        POINT at{x, y};
        RECT client{};
        GetClientRect(m_window, &client);
        if (!ScreenToClient(m_window, &at) || !PtInRect(&client, at))
            return S_FALSE;
        // A child window, else a painted text, the front-most first, else the window itself.
        HWND w = ChildWindowFromPointEx(m_window, at, CWP_SKIPINVISIBLE);
        if (w != nullptr && w != m_window)
            return windowVariant(w, out);
        const long count = items(), first = firstItemId(m_window);
        *out = childVariant(CHILDID_SELF);
        for (long i = 0; i < count; ++i) {
            const AccessibleItem item = m_source->item(m_window, i);
            if (item.visible && PtInRect(&item.screen, POINT{x, y})) {
                *out = childVariant(first + i);
                break;
            }
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT *end) override
    {
        if (end == nullptr)
            return E_POINTER;
        end->vt = VT_EMPTY;
        const Target t = resolve(start);
        long count = 0;
        get_accChildCount(&count);
        long id = 0;
        if (t.kind == Target::Self && direction == NAVDIR_FIRSTCHILD)
            id = 1;
        else if (t.kind == Target::Self && direction == NAVDIR_LASTCHILD)
            id = count;
        else if (t.kind == Target::Self)
            return m_standard->accNavigate(direction, start, end); // among the window's siblings
        else if (t.kind != Target::Invalid && direction == NAVDIR_NEXT)
            id = start.lVal + 1;
        else if (t.kind != Target::Invalid && direction == NAVDIR_PREVIOUS)
            id = start.lVal - 1;
        else
            return t.kind == Target::Invalid ? E_INVALIDARG : DISP_E_MEMBERNOTFOUND;
        if (id < 1 || id > count)
            return S_FALSE;
        if (id < firstItemId(m_window))
            return windowVariant(childWindowAt(m_window, id), end);
        *end = childVariant(id);
        return S_OK;
    }

private:
    ~Object() override { m_standard->Release(); }

    struct Target {
        enum Kind { Self, Window, Item, Invalid } kind = Invalid;
        HWND window = nullptr;
        long index = 0; // of the simple child
    };

    long items() const { return m_source ? m_source->itemCount(m_window) : 0; }

    // A text that only windows have: a simple child has none.
    HRESULT standardText(const VARIANT &child, BSTR *out,
                         HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR *))
    {
        if (out == nullptr)
            return E_POINTER;
        *out = nullptr;
        return route(
            child, [](const AccessibleItem &) { return DISP_E_MEMBERNOTFOUND; },
            [&](IAccessible *a, VARIANT c) { return (a->*get)(c, out); });
    }

    static bool isSelf(const VARIANT &child)
    {
        return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
    }

    Target resolve(const VARIANT &child) const
    {
        if (child.vt != VT_I4)
            return {};
        if (child.lVal == CHILDID_SELF)
            return {Target::Self};
        const long first = firstItemId(m_window);
        if (child.lVal > 0 && child.lVal < first)
            return {Target::Window, childWindowAt(m_window, child.lVal)};
        if (child.lVal >= first && child.lVal - first < items())
            return {Target::Item, nullptr, child.lVal - first};
        return {};
    }

    HRESULT windowObject(HWND window, REFIID id, void **out) const
    {
        *out = nullptr;
        const HRESULT result = oleAccess().objectFromWindow(window, DWORD(OBJID_WINDOW), id, out);
        return SUCCEEDED(result) && *out == nullptr ? E_FAIL : result;
    }

    HRESULT windowVariant(HWND window, VARIANT *out) const
    {
        IDispatch *object = nullptr;
        const HRESULT result =
            windowObject(window, __uuidof(IDispatch), reinterpret_cast<void **>(&object));
        if (SUCCEEDED(result)) {
            out->vt = VT_DISPATCH;
            out->pdispVal = object;
        }
        return result;
    }

    // Answers for a simple child itself, for a child window through its own object, for this
    // window through the standard object.
    template <typename OnItem, typename OnObject>
    HRESULT route(const VARIANT &child, OnItem onItem, OnObject onObject)
    {
        const Target t = resolve(child);
        switch (t.kind) {
        case Target::Self:
            return onObject(m_standard, child);
        case Target::Item:
            return onItem(m_source->item(m_window, t.index));
        case Target::Window: {
            IAccessible *a = nullptr;
            const HRESULT found =
                windowObject(t.window, __uuidof(IAccessible), reinterpret_cast<void **>(&a));
            if (FAILED(found))
                return found;
            const HRESULT result = onObject(a, childVariant(CHILDID_SELF));
            a->Release();
            return result;
        }
        case Target::Invalid:
            break;
        }
        return E_INVALIDARG;
    }

    IAccessible *m_standard;
    const AccessibleSource *m_source;
};

LRESULT AccessibleServer::answer(HWND window, WPARAM w, LPARAM l, const AccessibleSource &source)
{
    if (LONG(l) != LONG(OBJID_CLIENT) || !oleAccess().ready())
        return 0;
    if (m_object == nullptr) {
        IAccessible *standard = nullptr;
        if (FAILED(oleAccess().createStandard(window, LONG(OBJID_CLIENT), __uuidof(IAccessible),
                                              reinterpret_cast<void **>(&standard))) ||
            standard == nullptr)
            return 0;
        m_object = new (std::nothrow) Object(window, standard, &source);
        if (m_object == nullptr) {
            standard->Release();
            return 0;
        }
    }
    const LRESULT result = oleAccess().lresultFromObject(__uuidof(IAccessible), w,
                                                         static_cast<IAccessible *>(m_object));
    return result > 0 ? result : 0;
}

void AccessibleServer::reset()
{
    if (m_object == nullptr)
        return;
    m_object->disconnect();
    m_object->Release();
    m_object = nullptr;
}

} // namespace angoli::win32
