// The class factory of an in-process server's class, and the DllGetClassObject look-up.
#pragma once
#include <windows.h>
#include <objbase.h>
#include "error.h"
#include "object.h"

namespace com {

template <class T>
class class_factory : public implements<IClassFactory> {
public:
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) noexcept override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        return boundary([&] { throw_if_failed(make<T>()->QueryInterface(iid, out)); });
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) noexcept override {
        module::lock(lock);
        return S_OK;
    }
};

// Hands out the factory of the class among Classes whose T::clsid matches.
template <class... Classes>
HRESULT get_class_object(REFCLSID clsid, REFIID iid, void** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    HRESULT hr = CLASS_E_CLASSNOTAVAILABLE;
    ((IsEqualCLSID(clsid, Classes::clsid)
          ? (hr = boundary([&] { throw_if_failed(make<class_factory<Classes>>()->QueryInterface(iid, out)); }),
             true)
          : false) ||
     ...);
    return hr;
}

}  // namespace com
