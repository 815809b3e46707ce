// Writes Norvat, the type library of the control Ferrolan: the dual interface _Ferrolan with
// UploadFiles, the class Ferrolan, and its empty event interface __Ferrolan. IDL cannot say it:
// the class must refer to IObjectSafety in the imported IObjectSafetyTLB rather than copy it,
// and the event interface is non-extensible.
#include "norvat.h"
#include "tools/typelib/writer.h"

void typelib::write_library(const std::wstring& output, const std::vector<std::wstring>& arguments) {
    if (arguments.size() != 1) throw com::error(E_INVALIDARG, {}, L"expected the folder that holds objsafe.tlb");
    library norvat(output, L"Norvat", norvat::LIBID_Norvat, 1, 0);
    norvat.flags(LIBFLAG_FCONTROL).help_string(L"Norvat");
    auto dispatch = norvat.import(L"stdole2.tlb", IID_IDispatch);
    auto safety = norvat.import(arguments[0] + L"\\objsafe.tlb", __uuidof(IObjectSafety));

    // Types are numbered as they are added: the interface, the class, then its events.
    auto control_interface = norvat.add(L"_Ferrolan", TKIND_INTERFACE, norvat::IID__Ferrolan,
                                        TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE |
                                            TYPEFLAG_FOLEAUTOMATION);
    auto control_class = norvat.add(L"Ferrolan", TKIND_COCLASS, norvat::CLSID_Ferrolan, TYPEFLAG_FCONTROL);
    auto events = norvat.add(L"__Ferrolan", TKIND_DISPATCH, norvat::DIID___Ferrolan,
                             TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE);

    control_interface.implements(dispatch.get()).method(norvat::DISPID_UploadFiles, L"UploadFiles");
    events.implements(dispatch.get());
    control_class.implements(control_interface.info(), IMPLTYPEFLAG_FDEFAULT)
        .implements(safety.get())
        .implements(events.info(), IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);

    norvat.save({&control_interface, &events, &control_class});
}
