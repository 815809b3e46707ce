// The registered token server through real COM, as the form poster and scripts reach it.
#include <gtest/gtest.h>
#include <cwctype>
#include "com/ptr.h"
#include "com/unique.h"
#include "guid_token/limbrel.h"
#include "support/module_facts.h"

namespace {

void expect_token(std::wstring_view token) {
    ASSERT_EQ(token.size(), 32u);
    for (wchar_t c : token) EXPECT_TRUE(std::iswdigit(c) || (c >= L'A' && c <= L'F')) << char(c);
}

TEST(LimbrelCom, CreatesByClassIdAndByProgId) {
    CLSID clsid{};
    ASSERT_HRESULT_SUCCEEDED(CLSIDFromProgID(L"Limbrel.GUID", &clsid));
    EXPECT_EQ(clsid, limbrel::CLSID_GUID);
    EXPECT_TRUE(com::create<limbrel::IGUID>(limbrel::CLSID_GUID));
    EXPECT_TRUE(com::create<IDispatch>(clsid));
}

TEST(LimbrelCom, NewGuidThroughTheVirtualTableAtOffset28) {
    auto token_object = com::create<limbrel::IGUID>(limbrel::CLSID_GUID);
    // Call slot 7 by hand, as a client bound to the fixed contract does.
    using new_guid = HRESULT(STDMETHODCALLTYPE*)(void*, BSTR*);
    auto table = *reinterpret_cast<void***>(token_object.get());
    auto slot = reinterpret_cast<new_guid>(table[28 / sizeof(void*)]);
    com::unique_bstr first, second;
    ASSERT_EQ(slot(token_object.get(), first.put()), S_OK);
    ASSERT_EQ(token_object->NewGUID(second.put()), S_OK);
    expect_token(com::view(first.get()));
    expect_token(com::view(second.get()));
    EXPECT_NE(com::view(first.get()), com::view(second.get()));
}

TEST(LimbrelCom, NewGuidThroughIDispatchByName) {
    auto token_object = com::create<IDispatch>(limbrel::CLSID_GUID);
    LPOLESTR name = const_cast<LPOLESTR>(L"NewGUID");
    DISPID id = 0;
    ASSERT_HRESULT_SUCCEEDED(token_object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id));
    EXPECT_EQ(id, 0x60030000);

    DISPPARAMS none{};
    com::unique_variant first, second;
    for (auto* result : {&first, &second}) {
        ASSERT_HRESULT_SUCCEEDED(token_object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                                                      result, nullptr, nullptr));
        ASSERT_EQ(result->vt, VT_BSTR);
        expect_token(com::view(result->bstrVal));
    }
    EXPECT_NE(com::view(first.bstrVal), com::view(second.bstrVal));

    LPOLESTR unknown = const_cast<LPOLESTR>(L"Token");
    EXPECT_EQ(token_object->GetIDsOfNames(IID_NULL, &unknown, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);
}

TEST(LimbrelCom, ObjectsAnswerForTheirInterfacesOnly) {
    auto token_object = com::create<IUnknown>(limbrel::CLSID_GUID);
    EXPECT_TRUE(token_object.try_as<limbrel::IGUID>());
    EXPECT_TRUE(token_object.try_as<IDispatch>());
    EXPECT_TRUE(token_object.try_as<ISupportErrorInfo>());
    EXPECT_FALSE(token_object.try_as<IPersist>());
    // One identity whichever interface asks.
    EXPECT_EQ(token_object.try_as<limbrel::IGUID>().as<IUnknown>().get(), token_object.get());
}

TEST(LimbrelCom, NullResultPointerIsRefused) {
    auto token_object = com::create<limbrel::IGUID>(limbrel::CLSID_GUID);
    EXPECT_EQ(token_object->NewGUID(nullptr), E_POINTER);
}

// The module stays loaded while an object or a server lock is alive.
TEST(LimbrelCom, CanUnloadOnlyWhenNothingIsAlive) {
    com::unique_hmodule module(LoadLibraryW(facts::windows_path(LIMBREL_DLL).c_str()));
    ASSERT_TRUE(module);
    auto can_unload = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(GetProcAddress(module.get(), "DllCanUnloadNow"));
    auto get_class_object = reinterpret_cast<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(
        GetProcAddress(module.get(), "DllGetClassObject"));
    ASSERT_TRUE(can_unload && get_class_object);

    auto factory = [&] {
        com::ptr<IClassFactory> f;
        EXPECT_HRESULT_SUCCEEDED(get_class_object(limbrel::CLSID_GUID, IID_IClassFactory, f.put_void()));
        return f;
    };
    com::ptr<IUnknown> unused;
    EXPECT_EQ(get_class_object(IID_IDispatch, IID_IClassFactory, unused.put_void()), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(factory()->CreateInstance(factory().get(), IID_IUnknown, unused.put_void()), CLASS_E_NOAGGREGATION);

    ASSERT_EQ(can_unload(), S_OK);
    com::ptr<limbrel::IGUID> object;
    ASSERT_HRESULT_SUCCEEDED(factory()->CreateInstance(nullptr, __uuidof(limbrel::IGUID), object.put_void()));
    EXPECT_EQ(can_unload(), S_FALSE);
    object.reset();
    EXPECT_EQ(can_unload(), S_OK);

    factory()->LockServer(TRUE);
    EXPECT_EQ(can_unload(), S_FALSE);
    factory()->LockServer(FALSE);
    EXPECT_EQ(can_unload(), S_OK);
}

}  // namespace
