// The COM support layer: one IUnknown for a list of interfaces, and the raised error that
// crosses COM boundaries in both directions.
#include <gtest/gtest.h>
#include <windows.h>
#include <ocidl.h>
#include "com/error.h"
#include "com/module.h"
#include "com/object.h"
#include "com/unique.h"

namespace {

int alive = 0;

class sample : public com::implements<com::chain<IPersistStreamInit, IPersist>, IObjectWithSite> {
public:
    sample() { ++alive; }
    ~sample() override { --alive; }

    HRESULT STDMETHODCALLTYPE GetClassID(CLSID*) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE IsDirty() noexcept override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE Load(IStream*) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Save(IStream*, BOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER*) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InitNew() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetSite(IUnknown*) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetSite(REFIID, void**) noexcept override { return E_FAIL; }
};

TEST(Implements, AnswersForListedAndChainedInterfacesWithOneIdentity) {
    auto object = com::make<sample>();
    auto unknown = object.as<IUnknown>();
    for (auto iid : {IID_IPersistStreamInit, IID_IPersist, IID_IObjectWithSite}) {
        com::ptr<IUnknown> answer;
        ASSERT_EQ(object->QueryInterface(iid, answer.put_void()), S_OK);
        EXPECT_EQ(com::ptr<IUnknown>(answer).as<IUnknown>().get(), unknown.get());
    }
    EXPECT_EQ(object.as<IPersist>().get(), static_cast<IPersist*>(static_cast<IPersistStreamInit*>(object.get())));

    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(object->QueryInterface(IID_IDispatch, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(object->QueryInterface(IID_IPersist, nullptr), E_POINTER);
}

TEST(Implements, LastReleaseDestroysAndFreesTheModule) {
    ASSERT_EQ(com::module::can_unload(), S_OK);
    {
        auto object = com::make<sample>();
        auto site = object.as<IObjectWithSite>();
        object.reset();
        EXPECT_EQ(alive, 1);
        EXPECT_EQ(com::module::can_unload(), S_FALSE);
    }
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(com::module::can_unload(), S_OK);
}

// Reads back what a failed call published.
com::error received(HRESULT hr) { return com::error_from(hr); }

TEST(RaisedError, TravelsAcrossABoundaryWithEveryField) {
    HRESULT hr = com::boundary([] {
        throw com::error(0x80040003, L"PostMultiPartFormData", L"Input Elements Must have Name, Type, and Value attributes",
                         L"help.chm", 42);
    });
    EXPECT_EQ(hr, HRESULT(0x80040003));
    auto e = received(hr);
    EXPECT_EQ(e.number(), long(0x80040003));
    EXPECT_EQ(e.source(), L"PostMultiPartFormData");
    EXPECT_EQ(e.description(), L"Input Elements Must have Name, Type, and Value attributes");
    EXPECT_EQ(e.help_file(), L"help.chm");
    EXPECT_EQ(e.help_context(), 42u);
}

TEST(RaisedError, RuntimeNumbersTravelAsControlFacilityStatuses) {
    struct row {
        long number;
        HRESULT status;
        const wchar_t* description;
    } rows[] = {{com::error_overflow, HRESULT(0x800A0006), L"Overflow"},
                {com::error_subscript_out_of_range, HRESULT(0x800A0009), L"Subscript out of range"}};
    for (auto r : rows) {
        HRESULT hr = com::boundary([&] { com::raise(r.number, L"source"); });
        EXPECT_EQ(hr, r.status);
        auto e = received(hr);
        EXPECT_EQ(e.number(), r.number);
        EXPECT_EQ(e.description(), r.description);
        EXPECT_EQ(com::number_from(r.status), r.number);
    }
}

TEST(RaisedError, StatusWithoutErrorInfoGetsThePlatformsText) {
    SetErrorInfo(0, nullptr);
    auto e = received(E_OUTOFMEMORY);
    EXPECT_EQ(e.number(), long(E_OUTOFMEMORY));
    EXPECT_EQ(e.source(), L"");
    EXPECT_FALSE(e.description().empty());
}

TEST(RaisedError, OtherExceptionsBecomeStatuses) {
    EXPECT_EQ(com::boundary([] { throw std::bad_alloc(); }), E_OUTOFMEMORY);
    EXPECT_EQ(com::boundary([] { throw std::runtime_error("broken"); }), E_UNEXPECTED);
    EXPECT_EQ(received(E_UNEXPECTED).description(), L"broken");
    EXPECT_EQ(com::boundary([] {}), S_OK);
}

TEST(RaisedError, ThrowIfFailedRaisesWhatTheCalleePublished) {
    com::boundary([] { com::raise(0x80040002, L"PostMultiPartFormData", L"POST Element with URL Attribute Required"); });
    try {
        com::throw_if_failed(0x80040002);
        FAIL();
    } catch (const com::error& e) {
        EXPECT_EQ(e.source(), L"PostMultiPartFormData");
        EXPECT_STREQ(e.what(), "POST Element with URL Attribute Required");
    }
    EXPECT_NO_THROW(com::throw_if_failed(S_FALSE));
}

TEST(UniqueAny, ClosesOnceAndHandsOwnershipOver) {
    com::unique_bstr text = com::make_bstr(L"token");
    EXPECT_EQ(com::view(text.get()), L"token");
    com::unique_bstr moved(std::move(text));
    EXPECT_FALSE(text);
    BSTR raw = moved.release();
    EXPECT_FALSE(moved);
    SysFreeString(raw);
    EXPECT_EQ(com::view(nullptr), L"");
}

}  // namespace
