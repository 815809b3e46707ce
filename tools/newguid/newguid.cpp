// Prints fresh boundary tokens from the registered Limbrel.GUID, reached by ProgID through
// IDispatch as a script would: newguid [COUNT]
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include "com/ptr.h"
#include "com/unique.h"

int wmain(int argc, wchar_t** argv) {
    CoInitialize(nullptr);
    try {
        CLSID clsid{};
        com::throw_if_failed(CLSIDFromProgID(L"Limbrel.GUID", &clsid));
        auto token_object = com::create<IDispatch>(clsid);
        LPOLESTR name = const_cast<LPOLESTR>(L"NewGUID");
        DISPID id = 0;
        com::throw_if_failed(token_object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id));
        for (int i = 0, count = argc > 1 ? _wtoi(argv[1]) : 3; i < count; ++i) {
            DISPPARAMS none{};
            com::unique_variant token;
            com::throw_if_failed(token_object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                                                      token.put(), nullptr, nullptr));
            wprintf(L"%ls\n", token.bstrVal);
        }
        return 0;
    } catch (const com::error& e) {
        fwprintf(stderr, L"newguid: %ls\n", e.description().c_str());
        return 1;
    }
}
