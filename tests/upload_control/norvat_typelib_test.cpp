// The type library Norvat, and IObjectSafetyTLB which it imports, read from Ferrolan.ocx as a
// client reads them. The class's IObjectSafety resolves through the registration.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>
#include <algorithm>
#include "com/ptr.h"
#include "com/unique.h"
#include "support/module_facts.h"
#include "support/type_info.h"
#include "upload_control/norvat.h"

namespace {

using facts::attributes;
using facts::name_of;

const std::wstring ocx = facts::windows_path(FERROLAN_OCX);

com::ptr<ITypeInfo> implemented(ITypeInfo* info, UINT index) {
    HREFTYPE reference = 0;
    com::ptr<ITypeInfo> result;
    EXPECT_HRESULT_SUCCEEDED(info->GetRefTypeOfImplType(index, &reference));
    EXPECT_HRESULT_SUCCEEDED(info->GetRefTypeInfo(reference, result.put()));
    return result;
}

// A function's description, released on every way out.
struct function {
    function(ITypeInfo* info, UINT index) : info(info) { EXPECT_HRESULT_SUCCEEDED(info->GetFuncDesc(index, &desc)); }
    ~function() {
        if (desc) info->ReleaseFuncDesc(desc);
    }
    const FUNCDESC* operator->() const { return desc; }
    ITypeInfo* info;
    FUNCDESC* desc = nullptr;
};

// The names of the members a dispatch type adds to IDispatch. A loaded dispinterface also lists
// the seven functions it inherits from IUnknown and IDispatch, though the file holds none.
std::vector<std::wstring> own_members(ITypeInfo* info) {
    const std::wstring inherited[] = {L"QueryInterface", L"AddRef",        L"Release", L"GetTypeInfoCount",
                                      L"GetTypeInfo",    L"GetIDsOfNames", L"Invoke"};
    auto attr = attributes(info);
    std::vector<std::wstring> names;
    for (UINT i = 0; i < attr.cFuncs; ++i) {
        function f(info, i);
        auto name = name_of(info, f->memid);
        if (std::find(std::begin(inherited), std::end(inherited), name) == std::end(inherited)) names.push_back(name);
    }
    for (UINT i = 0; i < attr.cVars; ++i) {
        VARDESC* v = nullptr;
        EXPECT_HRESULT_SUCCEEDED(info->GetVarDesc(i, &v));
        names.push_back(name_of(info, v->memid));
        info->ReleaseVarDesc(v);
    }
    return names;
}

class NorvatTypeLibrary : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(library = facts::load_type_library(ocx)); }
    com::ptr<ITypeInfo> type(REFGUID guid) {
        com::ptr<ITypeInfo> info;
        EXPECT_HRESULT_SUCCEEDED(library->GetTypeInfoOfGuid(guid, info.put()));
        return info;
    }
    com::ptr<ITypeLib> library;
};

TEST_F(NorvatTypeLibrary, LibraryAttributes) {
    auto attr = attributes(library.get());
    EXPECT_EQ(attr.guid, norvat::LIBID_Norvat);
    EXPECT_EQ(attr.lcid, 0u);
    EXPECT_EQ(attr.syskind, SYS_WIN32);
    EXPECT_EQ(attr.wMajorVerNum, 1);
    EXPECT_EQ(attr.wMinorVerNum, 0);
    EXPECT_EQ(attr.wLibFlags & ~LIBFLAG_FHASDISKIMAGE, LIBFLAG_FCONTROL);  // the loader adds the disk-image flag

    com::unique_bstr name, help, help_file;
    ASSERT_HRESULT_SUCCEEDED(library->GetDocumentation(-1, name.put(), help.put(), nullptr, help_file.put()));
    EXPECT_EQ(com::view(name.get()), L"Norvat");
    EXPECT_EQ(com::view(help.get()), L"Norvat");
    EXPECT_EQ(com::view(help_file.get()), L"");
}

TEST_F(NorvatTypeLibrary, HoldsTheInterfaceTheClassAndTheEventsInThatOrder) {
    const struct {
        const wchar_t* name;
        GUID guid;
        TYPEKIND kind;
    } expected[] = {{L"_Ferrolan", norvat::IID__Ferrolan, TKIND_DISPATCH},  // a dual interface reads as its dispatch face
                    {L"Ferrolan", norvat::CLSID_Ferrolan, TKIND_COCLASS},
                    {L"__Ferrolan", norvat::DIID___Ferrolan, TKIND_DISPATCH}};
    ASSERT_EQ(library->GetTypeInfoCount(), std::size(expected));
    for (UINT i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(testing::Message() << "type " << i);
        com::ptr<ITypeInfo> info;
        ASSERT_HRESULT_SUCCEEDED(library->GetTypeInfo(i, info.put()));
        auto attr = attributes(info.get());
        EXPECT_EQ(name_of(info.get()), expected[i].name);
        EXPECT_EQ(attr.guid, expected[i].guid);
        EXPECT_EQ(attr.typekind, expected[i].kind);
        EXPECT_EQ(attr.wMajorVerNum, 1);
        EXPECT_EQ(attr.wMinorVerNum, 0);
    }
}

TEST_F(NorvatTypeLibrary, ControlInterfaceIsAHiddenDualInterfaceWithOnlyUploadFiles) {
    auto dispatch = type(norvat::IID__Ferrolan);
    auto attr = attributes(dispatch.get());
    EXPECT_EQ(attr.wTypeFlags & ~TYPEFLAG_FOLEAUTOMATION,
              TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDISPATCHABLE);
    EXPECT_EQ(attr.cVars, 0) << "no properties";

    // Scripts find exactly one name, a method, through the dispatch face.
    EXPECT_EQ(own_members(dispatch.get()), std::vector<std::wstring>{L"UploadFiles"});
    LPOLESTR name = const_cast<LPOLESTR>(L"UploadFiles");
    MEMBERID id = 0;
    ASSERT_HRESULT_SUCCEEDED(dispatch->GetIDsOfNames(&name, 1, &id));
    EXPECT_EQ(id, 0x60030006);
    for (UINT i = 0; i < attr.cFuncs; ++i) {
        function f(dispatch.get(), i);
        EXPECT_EQ(f->invkind, INVOKE_FUNC) << name_of(dispatch.get(), f->memid);
        if (f->memid == norvat::DISPID_UploadFiles) EXPECT_EQ(f->cParams, 0);
    }

    com::ptr<ITypeInfo> vtable = implemented(dispatch.get(), UINT(-1));
    auto vattr = attributes(vtable.get());
    EXPECT_EQ(vattr.typekind, TKIND_INTERFACE);
    EXPECT_EQ(vattr.guid, norvat::IID__Ferrolan);
    EXPECT_EQ(vattr.wTypeFlags, TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION |
                                    TYPEFLAG_FDISPATCHABLE);
    EXPECT_EQ(vattr.cVars, 0);
    ASSERT_EQ(vattr.cFuncs, 1);
    ASSERT_EQ(vattr.cImplTypes, 1);
    EXPECT_EQ(attributes(implemented(vtable.get(), 0).get()).guid, IID_IDispatch);

    function f(vtable.get(), 0);
    EXPECT_EQ(f->memid, norvat::DISPID_UploadFiles);
    EXPECT_EQ(name_of(vtable.get(), f->memid), L"UploadFiles");
    EXPECT_EQ(f->funckind, FUNC_PUREVIRTUAL);
    EXPECT_EQ(f->invkind, INVOKE_FUNC);
    EXPECT_EQ(f->callconv, CC_STDCALL);
    EXPECT_EQ(f->cParams, 0);
    EXPECT_EQ(f->cParamsOpt, 0);
    EXPECT_EQ(f->elemdescFunc.tdesc.vt, VT_HRESULT);
    EXPECT_EQ(f->oVft, 28) << "the first entry after IDispatch's seven, where IFerrolan has it";
}

TEST_F(NorvatTypeLibrary, EventInterfaceIsAnEmptyHiddenNonExtensibleDispinterface) {
    auto events = type(norvat::DIID___Ferrolan);
    auto attr = attributes(events.get());
    EXPECT_EQ(attr.typekind, TKIND_DISPATCH);
    EXPECT_EQ(attr.wTypeFlags, TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDISPATCHABLE);
    EXPECT_EQ(own_members(events.get()), std::vector<std::wstring>{}) << "the control raises no events";
    EXPECT_EQ(attr.cVars, 0);
    ASSERT_EQ(attr.cImplTypes, 1);
    EXPECT_EQ(attributes(implemented(events.get(), 0).get()).guid, IID_IDispatch);
}

TEST_F(NorvatTypeLibrary, ControlClassIsANonCreatableControlWithItsThreeInterfaces) {
    auto coclass = type(norvat::CLSID_Ferrolan);
    auto attr = attributes(coclass.get());
    EXPECT_EQ(attr.wTypeFlags, TYPEFLAG_FCONTROL);
    const struct {
        GUID iid;
        const wchar_t* name;
        INT flags;
        GUID library;
    } expected[] = {
        {norvat::IID__Ferrolan, L"_Ferrolan", IMPLTYPEFLAG_FDEFAULT, norvat::LIBID_Norvat},
        {__uuidof(IObjectSafety), L"IObjectSafety", 0, norvat::LIBID_IObjectSafetyTLB},
        {norvat::DIID___Ferrolan, L"__Ferrolan", IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE, norvat::LIBID_Norvat},
    };
    ASSERT_EQ(attr.cImplTypes, std::size(expected));
    for (UINT i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(testing::Message() << "implemented type " << i);
        INT flags = -1;
        ASSERT_HRESULT_SUCCEEDED(coclass->GetImplTypeFlags(i, &flags));
        EXPECT_EQ(flags, expected[i].flags);
        auto info = implemented(coclass.get(), i);
        ASSERT_TRUE(info);
        EXPECT_EQ(attributes(info.get()).guid, expected[i].iid);
        EXPECT_EQ(name_of(info.get()), expected[i].name);
        // IObjectSafety is found in the imported library, not in a copy inside Norvat.
        com::ptr<ITypeLib> container;
        UINT index = 0;
        ASSERT_HRESULT_SUCCEEDED(info->GetContainingTypeLib(container.put(), &index));
        EXPECT_EQ(attributes(container.get()).guid, expected[i].library);
    }
}

// The embedded IObjectSafetyTLB describes the platform's interface, with its signatures.
TEST(ObjectSafetyTypeLibrary, DescribesThePlatformsIObjectSafety) {
    auto library = facts::load_type_library(ocx + L"\\2");
    ASSERT_TRUE(library);
    auto lib = attributes(library.get());
    EXPECT_EQ(lib.guid, norvat::LIBID_IObjectSafetyTLB);
    EXPECT_EQ(lib.lcid, 0u);
    EXPECT_EQ(lib.syskind, SYS_WIN32);
    EXPECT_EQ(lib.wMajorVerNum, 1);
    EXPECT_EQ(lib.wMinorVerNum, 0);
    com::unique_bstr name;
    ASSERT_HRESULT_SUCCEEDED(library->GetDocumentation(-1, name.put(), nullptr, nullptr, nullptr));
    EXPECT_EQ(com::view(name.get()), L"IObjectSafetyTLB");

    ASSERT_EQ(library->GetTypeInfoCount(), 1u);
    com::ptr<ITypeInfo> safety;
    ASSERT_HRESULT_SUCCEEDED(library->GetTypeInfo(0, safety.put()));
    auto attr = attributes(safety.get());
    EXPECT_EQ(name_of(safety.get()), L"IObjectSafety");
    EXPECT_EQ(attr.guid, __uuidof(IObjectSafety));
    EXPECT_EQ(attr.typekind, TKIND_INTERFACE);
    EXPECT_EQ(attr.wTypeFlags, 0);
    EXPECT_EQ(attr.cbSizeVft, 20);  // IUnknown's three entries and the two methods
    ASSERT_EQ(attr.cImplTypes, 1);
    EXPECT_EQ(attributes(implemented(safety.get(), 0).get()).guid, IID_IUnknown);

    // Parameters: REFIID is a GUID by reference, DWORD an unsigned 32-bit number.
    struct parameter {
        VARTYPE pointee;  // VT_EMPTY when passed by value
        VARTYPE type;
        USHORT flags;
    };
    const struct {
        const wchar_t* name;
        SHORT offset;
        std::vector<parameter> parameters;
    } methods[] = {
        {L"GetInterfaceSafetyOptions", 12,
         {{VT_USERDEFINED, VT_PTR, PARAMFLAG_FIN}, {VT_UI4, VT_PTR, PARAMFLAG_FOUT}, {VT_UI4, VT_PTR, PARAMFLAG_FOUT}}},
        {L"SetInterfaceSafetyOptions", 16,
         {{VT_USERDEFINED, VT_PTR, PARAMFLAG_FIN}, {VT_EMPTY, VT_UI4, PARAMFLAG_FIN}, {VT_EMPTY, VT_UI4, PARAMFLAG_FIN}}},
    };
    ASSERT_EQ(attr.cFuncs, std::size(methods));
    for (UINT i = 0; i < std::size(methods); ++i) {
        SCOPED_TRACE(testing::Message() << "method " << i);
        function f(safety.get(), i);
        EXPECT_EQ(name_of(safety.get(), f->memid), methods[i].name);
        EXPECT_EQ(f->oVft, methods[i].offset);
        EXPECT_EQ(f->callconv, CC_STDCALL);
        EXPECT_EQ(f->elemdescFunc.tdesc.vt, VT_HRESULT);
        ASSERT_EQ(size_t(f->cParams), methods[i].parameters.size());
        for (SHORT p = 0; p < f->cParams; ++p) {
            const auto& element = f->lprgelemdescParam[p];
            const auto& want = methods[i].parameters[p];
            EXPECT_EQ(element.tdesc.vt, want.type) << "parameter " << p;
            EXPECT_EQ(element.paramdesc.wParamFlags, want.flags) << "parameter " << p;
            if (want.type != VT_PTR) continue;
            EXPECT_EQ(element.tdesc.lptdesc->vt, want.pointee) << "parameter " << p;
            if (want.pointee != VT_USERDEFINED) continue;
            com::ptr<ITypeInfo> guid;
            ASSERT_HRESULT_SUCCEEDED(safety->GetRefTypeInfo(element.tdesc.lptdesc->hreftype, guid.put()));
            EXPECT_EQ(name_of(guid.get()), L"GUID");
            EXPECT_EQ(attributes(guid.get()).typekind, TKIND_RECORD);
            EXPECT_EQ(attributes(guid.get()).cbSizeInstance, 16u);
        }
    }
}

}  // namespace
