// Writes Limbrel's type library: the dual interface _GUID with NewGUID, and the class GUID.
// IDL cannot say it: the names GUID and _GUID belong to the platform's own GUID type there.
#include "limbrel.h"
#include "tools/typelib/writer.h"

void typelib::write_library(const std::wstring& output, const std::vector<std::wstring>&) {
    library limbrel(output, L"Limbrel", limbrel::LIBID_Limbrel, 1, 0);
    auto dispatch = limbrel.import(L"stdole2.tlb", IID_IDispatch);

    auto guid_interface = limbrel.add(L"_GUID", TKIND_INTERFACE, limbrel::IID__GUID,
                                      TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE |
                                          TYPEFLAG_FOLEAUTOMATION);
    guid_interface.implements(dispatch.get()).method(limbrel::DISPID_NewGUID, L"NewGUID", {retval(VT_BSTR)});

    auto guid_class = limbrel.add(L"GUID", TKIND_COCLASS, limbrel::CLSID_GUID, TYPEFLAG_FCANCREATE);
    guid_class.implements(guid_interface.info(), IMPLTYPEFLAG_FDEFAULT);

    limbrel.save({&guid_interface, &guid_class});
}
