// What regsvr32 writes for Limbrel, and that unregistration removes all of it.
#include <gtest/gtest.h>
#include <objbase.h>
#include "support/module_facts.h"

namespace {

const std::wstring dll = facts::windows_path(LIMBREL_DLL);
const std::wstring clsid_key = L"CLSID\\{E99F16B1-B6A1-420B-8FB6-75D746062948}";
const std::wstring libid = L"{26B62A6E-7A59-4AAC-8BCD-92FDC0974D19}";
const std::wstring interface_key = L"Interface\\{F23D4B77-E121-4E8C-97A0-BCBC691140DE}";

std::optional<std::wstring> text(const std::wstring& key, const std::wstring& name = {}) {
    return facts::registry_text(HKEY_CLASSES_ROOT, key, name);
}

bool same_file(const std::optional<std::wstring>& a, const std::wstring& b) {
    return a && CompareStringOrdinal(a->c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

void expect_registered() {
    EXPECT_EQ(text(clsid_key), L"Limbrel.GUID");
    EXPECT_TRUE(same_file(text(clsid_key + L"\\InprocServer32"), dll)) << *text(clsid_key + L"\\InprocServer32");
    EXPECT_EQ(text(clsid_key + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(text(clsid_key + L"\\ProgID"), L"Limbrel.GUID");
    EXPECT_EQ(text(clsid_key + L"\\VERSION"), L"1.0");
    EXPECT_EQ(text(clsid_key + L"\\TypeLib"), libid);
    EXPECT_EQ(text(L"Limbrel.GUID\\CLSID"), L"{E99F16B1-B6A1-420B-8FB6-75D746062948}");
    EXPECT_EQ(text(L"TypeLib\\" + libid + L"\\1.0"), L"Limbrel");
    EXPECT_TRUE(same_file(text(L"TypeLib\\" + libid + L"\\1.0\\0\\win32"), dll));
    EXPECT_EQ(text(interface_key), L"_GUID");
    EXPECT_EQ(text(interface_key + L"\\TypeLib"), libid);
}

void expect_unregistered() {
    for (const auto& key : {clsid_key, std::wstring(L"Limbrel.GUID"), L"TypeLib\\" + libid, interface_key})
        EXPECT_FALSE(facts::registry_key_exists(HKEY_CLASSES_ROOT, key)) << key;
}

TEST(LimbrelRegistration, Regsvr32WritesTheClassAndRemovesItExactly) {
    expect_registered();

    ASSERT_EQ(facts::run(L"regsvr32 /s /u \"" + dll + L"\""), 0u);
    expect_unregistered();
    CLSID clsid;
    EXPECT_HRESULT_FAILED(CLSIDFromProgID(L"Limbrel.GUID", &clsid));

    ASSERT_EQ(facts::run(L"regsvr32 /s /u \"" + dll + L"\""), 0u) << "removing twice is no failure";

    ASSERT_EQ(facts::run(L"regsvr32 /s \"" + dll + L"\""), 0u);
    expect_registered();
}

}  // namespace
