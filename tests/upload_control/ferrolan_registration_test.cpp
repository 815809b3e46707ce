// What regsvr32 writes for Ferrolan.ocx, that unregistration removes exactly that, and that the
// shared library IObjectSafetyTLB is registered only when no one else has it.
#include <gtest/gtest.h>
#include <objbase.h>
#include <oleauto.h>
#include <cwchar>
#include "com/unique.h"
#include "support/module_facts.h"

namespace {

const std::wstring ocx = facts::windows_path(FERROLAN_OCX);
const std::wstring clsid = L"{0DD23DB8-57F3-4314-A00F-29784811853E}";
const std::wstring clsid_key = L"CLSID\\" + clsid;
const std::wstring libid = L"{234F6CB8-B2CE-4644-A0F1-80EBEC43F40B}";
const std::wstring interface_key = L"Interface\\{F718FB90-D43A-44E7-83A2-893CBAF16214}";
const std::wstring events_key = L"Interface\\{DBFA61FF-1419-4CD4-B57C-F7FC38EB78A6}";
const std::wstring objsafe_key = L"TypeLib\\{C67830E0-D11D-11CF-BD80-00AA00575603}";
// The platform's own registration of the interface, which must stay as it is.
const std::wstring object_safety_key = L"Interface\\{CB5BDC81-93C1-11CF-8F20-00805F2CD064}";

std::optional<std::wstring> text(const std::wstring& key, const std::wstring& name = {}) {
    return facts::registry_text(HKEY_CLASSES_ROOT, key, name);
}

bool exists(const std::wstring& key) { return facts::registry_key_exists(HKEY_CLASSES_ROOT, key); }

bool same_file(const std::optional<std::wstring>& a, const std::wstring& b) {
    return a && CompareStringOrdinal(a->c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

void regsvr32(const std::wstring& options) {
    ASSERT_EQ(facts::run(L"regsvr32 /s " + options + L"\"" + ocx + L"\""), 0u) << options;
}

// The library flags as registered: LIBFLAG_FCONTROL. Windows writes them in hexadecimal; Wine
// writes them in decimal and keeps the loader's LIBFLAG_FHASDISKIMAGE ("10").
bool is_control_library_flags(const std::optional<std::wstring>& flags) {
    if (!flags) return false;
    for (int base : {16, 10}) {
        wchar_t* end = nullptr;
        unsigned long value = std::wcstoul(flags->c_str(), &end, base);
        if (*end == 0 && !flags->empty() && (value & ~unsigned(LIBFLAG_FHASDISKIMAGE)) == LIBFLAG_FCONTROL) return true;
    }
    return false;
}

void expect_registered() {
    const struct {
        std::wstring key, name, value;
    } values[] = {
        {clsid_key, {}, L"Norvat.Ferrolan"},
        {clsid_key + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {clsid_key + L"\\ProgID", {}, L"Norvat.Ferrolan"},
        {clsid_key + L"\\VERSION", {}, L"1.0"},
        {clsid_key + L"\\TypeLib", {}, libid},
        {clsid_key + L"\\MiscStatus", {}, L"0"},
        {clsid_key + L"\\MiscStatus\\1", {}, L"131473"},
        {L"Norvat.Ferrolan\\CLSID", {}, clsid},
        {L"TypeLib\\" + libid + L"\\1.0", {}, L"Norvat"},
        {interface_key + L"\\TypeLib", {}, libid},
        {events_key + L"\\TypeLib", {}, libid},
    };
    for (const auto& v : values) EXPECT_EQ(text(v.key, v.name), v.value) << v.key << " " << v.name;
    EXPECT_TRUE(exists(clsid_key + L"\\Control"));
    EXPECT_TRUE(is_control_library_flags(text(L"TypeLib\\" + libid + L"\\1.0\\FLAGS")));
    EXPECT_TRUE(same_file(text(clsid_key + L"\\InprocServer32"), ocx)) << *text(clsid_key + L"\\InprocServer32");
    EXPECT_TRUE(same_file(text(clsid_key + L"\\ToolboxBitmap32"), ocx + L",30000"));
    EXPECT_TRUE(same_file(text(L"TypeLib\\" + libid + L"\\1.0\\0\\win32"), ocx));

    CLSID found{};
    EXPECT_HRESULT_SUCCEEDED(CLSIDFromProgID(L"Norvat.Ferrolan", &found));
}

void expect_unregistered() {
    for (const auto& key : {clsid_key, std::wstring(L"Norvat.Ferrolan"), L"TypeLib\\" + libid, interface_key, events_key})
        EXPECT_FALSE(exists(key)) << key;
    CLSID found{};
    EXPECT_HRESULT_FAILED(CLSIDFromProgID(L"Norvat.Ferrolan", &found));
}

// The platform's values under the IObjectSafety interface key.
std::vector<std::optional<std::wstring>> object_safety_registration() {
    return {text(object_safety_key), text(object_safety_key + L"\\ProxyStubClsid32"),
            text(object_safety_key + L"\\NumMethods"), text(object_safety_key + L"\\TypeLib")};
}

class FerrolanRegistration : public testing::Test {
protected:
    // Every test starts and ends as the fixture left the prefix: Ferrolan registered, and
    // IObjectSafetyTLB registered as its copy.
    void SetUp() override {
        ASSERT_TRUE(same_file(text(objsafe_key + L"\\1.0\\0\\win32"), ocx + L"\\2"))
            << "IObjectSafetyTLB is registered by another module in this prefix";
        platform_interface = object_safety_registration();
    }
    void TearDown() override {
        facts::run(L"regsvr32 /s \"" + ocx + L"\"");
        EXPECT_EQ(object_safety_registration(), platform_interface) << "the platform's IObjectSafety entry changed";
    }
    std::vector<std::optional<std::wstring>> platform_interface;
};

TEST_F(FerrolanRegistration, Regsvr32WritesTheClassAndRemovesItExactly) {
    expect_registered();
    EXPECT_EQ(text(objsafe_key + L"\\1.0"), L"IObjectSafetyTLB");

    regsvr32(L"/u ");
    expect_unregistered();
    EXPECT_FALSE(exists(objsafe_key)) << "our own registration of IObjectSafetyTLB goes with us";
    EXPECT_EQ(object_safety_registration(), platform_interface);

    regsvr32(L"/u ");  // removing twice is no failure

    regsvr32({});
    expect_registered();
    EXPECT_TRUE(same_file(text(objsafe_key + L"\\1.0\\0\\win32"), ocx + L"\\2"));
}

// Another module's registrations of IObjectSafetyTLB, made while Ferrolan is not registered.
TEST_F(FerrolanRegistration, LeavesOtherRegistrationsOfIObjectSafetyTlbAlone) {
    const std::wstring elsewhere = L"C:\\Program Files\\Other\\objsafe.tlb";
    const struct {
        const wchar_t* what;
        std::wstring foreign_key;  // where the other module registered its copy
        bool ours_registered;      // whether Ferrolan then registers its own copy
    } cases[] = {
        {L"the same version and locale", objsafe_key + L"\\1.0\\0\\win32", false},
        {L"another locale of the same version", objsafe_key + L"\\1.0\\9\\win32", true},
        {L"another version", objsafe_key + L"\\1.1\\0\\win32", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        regsvr32(L"/u ");
        ASSERT_FALSE(exists(objsafe_key));
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, c.foreign_key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        com::unique_hkey owned(key);
        ASSERT_EQ(RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(elsewhere.c_str()),
                                 DWORD((elsewhere.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
        owned.reset();

        regsvr32({});
        expect_registered();
        EXPECT_EQ(text(c.foreign_key), elsewhere);
        EXPECT_EQ(same_file(text(objsafe_key + L"\\1.0\\0\\win32"), ocx + L"\\2"), c.ours_registered);

        regsvr32(L"/u ");
        expect_unregistered();
        EXPECT_EQ(text(c.foreign_key), elsewhere) << "another module's registration survives ours";
        if (c.ours_registered) EXPECT_FALSE(exists(objsafe_key + L"\\1.0\\0\\win32"));

        EXPECT_EQ(RegDeleteTreeW(HKEY_CLASSES_ROOT, objsafe_key.c_str()), ERROR_SUCCESS);
        RegDeleteKeyW(HKEY_CLASSES_ROOT, objsafe_key.c_str());
    }
}

}  // namespace
