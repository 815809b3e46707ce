#include "property_bag.h"
#include "com/error.h"
#include "com/unique.h"

namespace host {

HRESULT PropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) noexcept {
    if (!name || !value) return E_POINTER;
    auto found = values_.find(name);
    if (found == values_.end()) return E_INVALIDARG;
    return com::boundary([&] {
        VARTYPE wanted = value->vt;
        value->vt = VT_BSTR;
        value->bstrVal = com::make_bstr(found->second).release();
        if (wanted != VT_EMPTY && wanted != VT_BSTR) com::throw_if_failed(VariantChangeType(value, value, 0, wanted));
    });
}

HRESULT PropertyBag::Write(LPCOLESTR name, VARIANT* value) noexcept {
    if (!name || !value) return E_POINTER;
    return com::boundary([&] {
        com::unique_variant text;
        com::throw_if_failed(VariantChangeType(&text, value, 0, VT_BSTR));
        values_[name] = std::wstring(com::view(text.bstrVal));
    });
}

}  // namespace host
