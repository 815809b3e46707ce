// Writes objsafe.tlb, the library IObjectSafetyTLB: the platform's interface IObjectSafety as a
// type library describes it, so that Norvat can name it as an imported type instead of a copy.
#include <objsafe.h>
#include "norvat.h"
#include "tools/typelib/writer.h"

void typelib::write_library(const std::wstring& output, const std::vector<std::wstring>&) {
    library objsafe(output, L"IObjectSafetyTLB", norvat::LIBID_IObjectSafetyTLB, 1, 0);
    auto unknown = objsafe.import(L"stdole2.tlb", IID_IUnknown);
    auto guid = objsafe.import(L"stdole2.tlb", L"GUID");

    // The platform's signatures: REFIID is a GUID by reference, DWORD an unsigned 32-bit number.
    const parameter riid{VT_USERDEFINED, true, PARAMFLAG_FIN, guid.get()};
    const parameter out_options{VT_UI4, true, PARAMFLAG_FOUT};
    const parameter in_options{VT_UI4, false, PARAMFLAG_FIN};

    auto safety = objsafe.add(L"IObjectSafety", TKIND_INTERFACE, __uuidof(IObjectSafety), 0);
    safety.implements(unknown.get())
        .method(0x60010000, L"GetInterfaceSafetyOptions", {riid, out_options, out_options},
                {L"riid", L"pdwSupportedOptions", L"pdwEnabledOptions"})
        .method(0x60010001, L"SetInterfaceSafetyOptions", {riid, in_options, in_options},
                {L"riid", L"dwOptionSetMask", L"dwEnabledOptions"});

    objsafe.save({&safety});
}
