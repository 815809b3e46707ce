// The property bag a page hands a control: named text values, as <param> elements give them.
#pragma once
#include <ocidl.h>
#include <map>
#include <string>
#include <cwchar>
#include "com/object.h"

namespace host {

// Names compare without regard to case, as in a page.
struct case_insensitive {
    bool operator()(const std::wstring& a, const std::wstring& b) const { return _wcsicmp(a.c_str(), b.c_str()) < 0; }
};
using values = std::map<std::wstring, std::wstring, case_insensitive>;

class PropertyBag : public com::implements<IPropertyBag> {
public:
    explicit PropertyBag(values values) : values_(std::move(values)) {}

    // A name the bag lacks answers E_INVALIDARG, as the platform's bags do.
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) noexcept override;
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) noexcept override;

private:
    values values_;
};

}  // namespace host
