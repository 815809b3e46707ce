#include "type_info.h"
#include <gtest/gtest.h>
#include "com/unique.h"

namespace facts {

com::ptr<ITypeLib> load_type_library(const std::wstring& path) {
    com::ptr<ITypeLib> library;
    EXPECT_HRESULT_SUCCEEDED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.put()));
    return library;
}

TLIBATTR attributes(ITypeLib* library) {
    TLIBATTR* attr = nullptr;
    EXPECT_HRESULT_SUCCEEDED(library->GetLibAttr(&attr));
    TLIBATTR copy = *attr;
    library->ReleaseTLibAttr(attr);
    return copy;
}

TYPEATTR attributes(ITypeInfo* info) {
    TYPEATTR* attr = nullptr;
    EXPECT_HRESULT_SUCCEEDED(info->GetTypeAttr(&attr));
    TYPEATTR copy = *attr;
    info->ReleaseTypeAttr(attr);
    return copy;
}

std::wstring name_of(ITypeInfo* info, MEMBERID id) {
    com::unique_bstr name;
    info->GetDocumentation(id, name.put(), nullptr, nullptr, nullptr);
    return std::wstring(com::view(name.get()));
}

}  // namespace facts
