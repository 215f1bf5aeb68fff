// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <ole2.h>
#include <oleacc.h>

// The COM plumbing of an accessible object that stands for a window: reference counting,
// the interfaces it answers to, IDispatch left to IAccessible's own methods, and IOleWindow,
// by which clients find the window. Interface ids by __uuidof: oleacc's import library also
// names IID_IAccessible, as a thunk into the DLL.
namespace angoli::win32
{

class AccessibleBase : public IAccessible, public IOleWindow
{
public:
    explicit AccessibleBase(HWND window) : m_window(window) {}
    AccessibleBase(const AccessibleBase &) = delete;
    AccessibleBase &operator=(const AccessibleBase &) = delete;

    // IUnknown.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void **out) override
    {
        if (out == nullptr)
            return E_POINTER;
        *out = nullptr;
        if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible))
            *out = static_cast<IAccessible *>(this);
        else if (id == __uuidof(IOleWindow))
            *out = static_cast<IOleWindow *>(this);
        else
            return E_NOINTERFACE; // IEnumVARIANT too: clients then count the children by id
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&m_references)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&m_references);
        if (left == 0)
            delete this;
        return ULONG(left);
    }

    // IDispatch: clients call IAccessible's methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override
    {
        if (count == nullptr)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *,
                                     EXCEPINFO *, UINT *) override
    {
        return E_NOTIMPL;
    }

    // IOleWindow.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND *window) override
    {
        if (window == nullptr)
            return E_POINTER;
        *window = m_window;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

protected:
    virtual ~AccessibleBase() = default;

    const HWND m_window;

private:
    LONG m_references = 1;
};

} // namespace angoli::win32
