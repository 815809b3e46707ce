// IDispatch for a dual interface, served from the type library this module carries as
// resource TYPELIB 1. List com::dispatch<I> in implements<> to answer for I and IDispatch.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include "object.h"
#include "ptr.h"

namespace com {

// The type description of a dual interface, read from this module's own type library.
ptr<ITypeInfo> module_type_info(REFIID iid);

template <class I>
class dispatch : public I {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** out) noexcept override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (index != 0) return DISP_E_BADINDEX;
        return boundary([&] { *out = ptr<ITypeInfo>(type_info()).detach(); });
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) noexcept override {
        ITypeInfo* info = nullptr;
        HRESULT hr = boundary([&] { info = type_info(); });
        return FAILED(hr) ? hr : DispGetIDsOfNames(info, names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* bad_argument) noexcept override {
        ITypeInfo* info = nullptr;
        HRESULT hr = boundary([&] { info = type_info(); });
        return FAILED(hr) ? hr
                          : DispInvoke(static_cast<I*>(this), info, id, flags, params, result, exception,
                                       bad_argument);
    }

private:
    ITypeInfo* type_info() {
        if (!type_info_) type_info_ = module_type_info(__uuidof(I));
        return type_info_.get();
    }
    ptr<ITypeInfo> type_info_;
};

// Tells callers that every interface of the object reports its failures as error info.
class supports_error_info : public ISupportErrorInfo {
public:
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID) noexcept override { return S_OK; }
};

namespace detail {
template <class I>
struct answers<dispatch<I>> {
    using type = std::tuple<I, IDispatch>;
};
template <>
struct answers<supports_error_info> {
    using type = std::tuple<ISupportErrorInfo>;
};
}  // namespace detail

}  // namespace com
