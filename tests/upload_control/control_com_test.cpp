// The registered control through real COM, as a browser meets it before it scripts it.
#include <windows.h>
#include <gtest/gtest.h>
#include <objsafe.h>
#include <ocidl.h>
#include <olectl.h>
#include "com/object.h"
#include "com/ptr.h"
#include "com/unique.h"
#include "upload_control/norvat.h"

namespace {

com::ptr<IUnknown> control() { return com::create<IUnknown>(norvat::CLSID_Ferrolan); }

TEST(ControlSafety, AnswersSafeForScriptingAndInitialisingWhateverItIsAskedOrTold) {
    auto safety = control().as<IObjectSafety>();
    const IID asked[] = {IID_IDispatch, IID_IPersistPropertyBag, IID_IPersistStreamInit, IID_IPersistStorage,
                         {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}}};
    auto expect_both = [&] {
        for (const auto& iid : asked) {
            DWORD supported = 0, enabled = 0;
            EXPECT_EQ(safety->GetInterfaceSafetyOptions(iid, &supported, &enabled), S_OK);
            EXPECT_EQ(supported, 3u);
            EXPECT_EQ(enabled, 3u);
        }
    };
    expect_both();
    const std::pair<DWORD, DWORD> told[] = {{3, 0}, {0, 0}, {0xFFFFFFFF, 0xFFFFFFFF}, {0x10, 0x10}};
    for (auto [mask, options] : told)
        for (const auto& iid : asked) EXPECT_EQ(safety->SetInterfaceSafetyOptions(iid, mask, options), S_OK);
    expect_both();
}

TEST(ControlScripting, PublishesOnlyUploadFiles) {
    auto script = control().as<IDispatch>();
    struct row {
        const wchar_t* name;
        HRESULT status;
        DISPID id;
    } rows[] = {{L"UploadFiles", S_OK, 0x60030006},
                {L"uploadfiles", S_OK, 0x60030006},
                {L"URLStr", DISP_E_UNKNOWNNAME, DISPID_UNKNOWN},
                {L"CookieStr", DISP_E_UNKNOWNNAME, DISPID_UNKNOWN},
                {L"PathStr", DISP_E_UNKNOWNNAME, DISPID_UNKNOWN},
                {L"CookiePathURL", DISP_E_UNKNOWNNAME, DISPID_UNKNOWN}};
    for (auto r : rows) {
        LPOLESTR name = const_cast<LPOLESTR>(r.name);
        DISPID id = 0;
        EXPECT_EQ(script->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), r.status) << r.name;
        EXPECT_EQ(id, r.id) << r.name;
    }
    UINT count = 0;
    EXPECT_EQ(script->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
}

TEST(ControlIdentity, AnswersAsAnActiveXControl) {
    auto object = control();
    for (auto iid : {IID_IOleObject, IID_IOleInPlaceObject, IID_IOleInPlaceActiveObject, IID_IOleControl, IID_IViewObject,
                     IID_IViewObject2, IID_IPersist, IID_IPersistPropertyBag, IID_IPersistStreamInit, IID_IProvideClassInfo,
                     IID_IProvideClassInfo2, IID_IConnectionPointContainer, IID_ISupportErrorInfo}) {
        com::ptr<IUnknown> answer;
        EXPECT_EQ(object->QueryInterface(iid, answer.put_void()), S_OK);
    }
    DWORD status = 0;
    EXPECT_EQ(object.as<IOleObject>()->GetMiscStatus(DVASPECT_CONTENT, &status), S_OK);
    EXPECT_EQ(status, 131473u);

    CLSID clsid{};
    EXPECT_EQ(object.as<IPersistPropertyBag>()->GetClassID(&clsid), S_OK);
    EXPECT_EQ(clsid, norvat::CLSID_Ferrolan);

    GUID events{};
    EXPECT_EQ(object.as<IProvideClassInfo2>()->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events), S_OK);
    EXPECT_EQ(events, norvat::DIID___Ferrolan);
    com::ptr<ITypeInfo> coclass;
    ASSERT_EQ(object.as<IProvideClassInfo>()->GetClassInfo(coclass.put()), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(coclass->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->guid, norvat::CLSID_Ferrolan);
    coclass->ReleaseTypeAttr(attr);
}

// A sink for the event interface, which the control never calls.
class Sink : public com::implements<IDispatch> {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) noexcept override {
        ADD_FAILURE() << "the control raises no events";
        return S_OK;
    }
};

TEST(ControlEvents, TheEventConnectionPointTakesAndReleasesSinks) {
    auto container = control().as<IConnectionPointContainer>();
    com::ptr<IConnectionPoint> point, none;
    ASSERT_EQ(container->FindConnectionPoint(norvat::DIID___Ferrolan, point.put()), S_OK);
    EXPECT_EQ(container->FindConnectionPoint(IID_IPropertyNotifySink, none.put()), CONNECT_E_NOCONNECTION);
    IID iid{};
    EXPECT_EQ(point->GetConnectionInterface(&iid), S_OK);
    EXPECT_EQ(iid, norvat::DIID___Ferrolan);

    auto sink = com::make<Sink>();
    DWORD first = 0, second = 0;
    ASSERT_EQ(point->Advise(sink.get(), &first), S_OK);
    ASSERT_EQ(point->Advise(sink.get(), &second), S_OK);
    EXPECT_NE(first, second);
    EXPECT_EQ(point->Unadvise(first), S_OK);
    EXPECT_EQ(point->Unadvise(first), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(point->Unadvise(second), S_OK);
}

TEST(ControlLifetime, ModuleUnloadsOnlyWhenNoControlIsLeft) {
    auto object = control();
    HMODULE module = GetModuleHandleW(L"Ferrolan.ocx");
    ASSERT_TRUE(module);
    auto can_unload = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(GetProcAddress(module, "DllCanUnloadNow"));
    EXPECT_EQ(can_unload(), S_FALSE);
    object.reset();
    EXPECT_EQ(can_unload(), S_OK);
}

}  // namespace
