// Limbrel.dll as a file: its export table, resources, version block and type library.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>
#include <cstring>
#include "com/ptr.h"
#include "com/unique.h"
#include "guid_token/limbrel.h"
#include "support/module_facts.h"
#include "support/type_info.h"

namespace {

using facts::attributes;
using facts::name_of;

const std::wstring dll = facts::windows_path(LIMBREL_DLL);

class LimbrelModule : public testing::Test {
protected:
    static void SetUpTestSuite() { module.reset(LoadLibraryExW(dll.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)); }
    static void TearDownTestSuite() { module.reset(); }
    static inline com::unique_hmodule module;
};

TEST_F(LimbrelModule, ExportsTheFourEntryPointsAtOrdinalsOneToFour) { facts::expect_server_exports(dll); }

TEST_F(LimbrelModule, CarriesTheInterfaceIdResource) {
    facts::expect_iid_resource(module.get(), L"_IID_GUID", limbrel::IID__GUID);
    EXPECT_TRUE(facts::resource(module.get(), L"TYPELIB", MAKEINTRESOURCEW(1), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)));
    EXPECT_TRUE(facts::resource(module.get(), MAKEINTRESOURCEW(16) /* RT_VERSION */, MAKEINTRESOURCEW(1), 1033));
}

TEST_F(LimbrelModule, VersionBlockReadsBack) {
    facts::expect_version_block(dll, 6, L"Limbrel", L"Limbrel.dll");
}

// The type library, read as a client reads it.
class LimbrelTypeLibrary : public testing::Test {
protected:
    void SetUp() override { library = facts::load_type_library(dll); }

    com::ptr<ITypeLib> library;
};

TEST_F(LimbrelTypeLibrary, LibraryAttributes) {
    TLIBATTR* attr = nullptr;
    ASSERT_HRESULT_SUCCEEDED(library->GetLibAttr(&attr));
    EXPECT_EQ(attr->guid, limbrel::LIBID_Limbrel);
    EXPECT_EQ(attr->lcid, 0u);
    EXPECT_EQ(attr->syskind, SYS_WIN32);
    EXPECT_EQ(attr->wMajorVerNum, 1);
    EXPECT_EQ(attr->wMinorVerNum, 0);
    EXPECT_EQ(attr->wLibFlags & ~LIBFLAG_FHASDISKIMAGE, 0);  // the loader adds the disk-image flag
    library->ReleaseTLibAttr(attr);

    com::unique_bstr name, help, help_file;
    ASSERT_HRESULT_SUCCEEDED(library->GetDocumentation(-1, name.put(), help.put(), nullptr, help_file.put()));
    EXPECT_EQ(com::view(name.get()), L"Limbrel");
    EXPECT_EQ(com::view(help.get()), L"");
    EXPECT_EQ(com::view(help_file.get()), L"");
}

TEST_F(LimbrelTypeLibrary, HoldsExactlyTheInterfaceThenTheClass) {
    ASSERT_EQ(library->GetTypeInfoCount(), 2u);
    com::ptr<ITypeInfo> first, second;
    ASSERT_HRESULT_SUCCEEDED(library->GetTypeInfo(0, first.put()));
    ASSERT_HRESULT_SUCCEEDED(library->GetTypeInfo(1, second.put()));
    EXPECT_EQ(name_of(first.get()), L"_GUID");
    EXPECT_EQ(name_of(second.get()), L"GUID");
}

TEST_F(LimbrelTypeLibrary, GuidInterfaceIsAHiddenDualInterface) {
    com::ptr<ITypeInfo> dispatch;
    ASSERT_HRESULT_SUCCEEDED(library->GetTypeInfoOfGuid(limbrel::IID__GUID, dispatch.put()));
    auto attr = attributes(dispatch.get());
    EXPECT_EQ(attr.typekind, TKIND_DISPATCH);
    EXPECT_EQ(attr.wTypeFlags & ~TYPEFLAG_FOLEAUTOMATION,
              TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDISPATCHABLE);
    EXPECT_EQ(attr.wMajorVerNum, 1);
    EXPECT_EQ(attr.wMinorVerNum, 0);

    HREFTYPE vtable_ref = 0;
    ASSERT_HRESULT_SUCCEEDED(dispatch->GetRefTypeOfImplType(-1, &vtable_ref));
    com::ptr<ITypeInfo> vtable;
    ASSERT_HRESULT_SUCCEEDED(dispatch->GetRefTypeInfo(vtable_ref, vtable.put()));
    auto vattr = attributes(vtable.get());
    EXPECT_EQ(vattr.typekind, TKIND_INTERFACE);
    EXPECT_EQ(vattr.wTypeFlags, TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION |
                                    TYPEFLAG_FDISPATCHABLE);
    EXPECT_EQ(vattr.guid, limbrel::IID__GUID);
    EXPECT_EQ(vattr.cFuncs, 1);
    EXPECT_EQ(vattr.cbSizeVft, 32);  // IDispatch's seven entries and NewGUID

    HREFTYPE base_ref = 0;
    com::ptr<ITypeInfo> base;
    ASSERT_HRESULT_SUCCEEDED(vtable->GetRefTypeOfImplType(0, &base_ref));
    ASSERT_HRESULT_SUCCEEDED(vtable->GetRefTypeInfo(base_ref, base.put()));
    EXPECT_EQ(attributes(base.get()).guid, IID_IDispatch);

    FUNCDESC* f = nullptr;
    ASSERT_HRESULT_SUCCEEDED(vtable->GetFuncDesc(0, &f));
    EXPECT_EQ(f->memid, limbrel::DISPID_NewGUID);
    EXPECT_EQ(f->memid, 0x60030000);
    EXPECT_EQ(f->funckind, FUNC_PUREVIRTUAL);
    EXPECT_EQ(f->invkind, INVOKE_FUNC);
    EXPECT_EQ(f->callconv, CC_STDCALL);
    EXPECT_EQ(f->oVft, 28);
    EXPECT_EQ(f->elemdescFunc.tdesc.vt, VT_HRESULT);
    ASSERT_EQ(f->cParams, 1);
    EXPECT_EQ(f->lprgelemdescParam[0].tdesc.vt, VT_PTR);
    EXPECT_EQ(f->lprgelemdescParam[0].tdesc.lptdesc->vt, VT_BSTR);
    EXPECT_EQ(f->lprgelemdescParam[0].paramdesc.wParamFlags, PARAMFLAG_FOUT | PARAMFLAG_FRETVAL);
    EXPECT_EQ(name_of(vtable.get(), f->memid), L"NewGUID");
    vtable->ReleaseFuncDesc(f);
}

TEST_F(LimbrelTypeLibrary, GuidClassIsCreatableWithGuidInterfaceAsDefault) {
    com::ptr<ITypeInfo> coclass;
    ASSERT_HRESULT_SUCCEEDED(library->GetTypeInfoOfGuid(limbrel::CLSID_GUID, coclass.put()));
    auto attr = attributes(coclass.get());
    EXPECT_EQ(attr.typekind, TKIND_COCLASS);
    EXPECT_EQ(attr.wTypeFlags, TYPEFLAG_FCANCREATE);
    EXPECT_EQ(attr.wMajorVerNum, 1);
    EXPECT_EQ(attr.wMinorVerNum, 0);
    ASSERT_EQ(attr.cImplTypes, 1);
    INT flags = 0;
    ASSERT_HRESULT_SUCCEEDED(coclass->GetImplTypeFlags(0, &flags));
    EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT);
    HREFTYPE ref = 0;
    com::ptr<ITypeInfo> implemented;
    ASSERT_HRESULT_SUCCEEDED(coclass->GetRefTypeOfImplType(0, &ref));
    ASSERT_HRESULT_SUCCEEDED(coclass->GetRefTypeInfo(ref, implemented.put()));
    EXPECT_EQ(attributes(implemented.get()).guid, limbrel::IID__GUID);
}

}  // namespace
