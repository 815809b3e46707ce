// The post as the server sees it: headers, cookies, credentials, boundaries, the answer, and the
// platform's failures passed on unchanged.
#include <gtest/gtest.h>
#include "com/object.h"
#include "com/unique.h"
#include "form_poster/MultiPartFormDataPost.h"
#include "guid_token/limbrel.h"
#include "poster_support.h"
#include "support/module_facts.h"

using namespace poster_test;
using MultiPartFormDataPost::PostMultiPartFormData;

namespace {

TEST(Post, ExactlyOneCookieHeaderCarriesTheCookieArgument) {
    // The placeholder of the first Cookie call never reaches the server; the empty cookie
    // arrives as one empty Cookie header.
    const wchar_t* cookies[] = {L"session=42; theme=dark", L"", L"This call is ignored, but necessary."};
    for (const wchar_t* cookie : cookies) {
        SCOPED_TRACE(ansi(cookie));
        PostMultiPartFormData(document(receiver_url("/post/cookie")), cookie);
        auto request = recorded("/post/cookie");
        ASSERT_TRUE(request);
        EXPECT_EQ(request->values("Cookie"), std::vector<std::string>{ansi(cookie)});
    }
}

TEST(Post, HeadersNameTheBoundaryAndTurnCachingOff) {
    PostMultiPartFormData(document(receiver_url("/post/headers")), L"c=1");
    auto request = recorded("/post/headers");
    ASSERT_TRUE(request);
    EXPECT_EQ(request->values("Content-Type"),
              std::vector<std::string>{"multipart/form-data; boundary=" + request->boundary()});
    EXPECT_EQ(request->values("Cache-Control"), std::vector<std::string>{"no-cache"});
}

TEST(Post, EveryPostHasItsOwnBoundary) {
    std::string boundaries[2];
    for (auto& boundary : boundaries) {
        PostMultiPartFormData(document(receiver_url("/post/boundary")), L"");
        boundary = recorded("/post/boundary").value().boundary();
        EXPECT_EQ(boundary.size(), 57u);
    }
    EXPECT_NE(boundaries[0], boundaries[1]);
}

TEST(Post, ResultDocumentCarriesTheServersStatus) {
    struct answer {
        const char* path;
        const wchar_t* result;
    } answers[] = {
        {"/post/ok", L"<HTTP Status=\"200\" StatusText=\"OK\"/>"},
        {"/status/404/post", L"<HTTP Status=\"404\" StatusText=\"Not Found\"/>"},
        {"/status/500/post", L"<HTTP Status=\"500\" StatusText=\"Internal Server Error\"/>"},
    };
    for (auto [path, result] : answers) {
        SCOPED_TRACE(path);
        std::wstring text = PostMultiPartFormData(document(receiver_url(path)), L"");
        while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) text.pop_back();
        EXPECT_EQ(text, result);
        EXPECT_TRUE(recorded(path));
    }
}

// An empty User opens the request without credentials, although a Password is still required.
TEST(Post, EmptyUserOpensWithoutCredentials) {
    std::wstring url = receiver_url("/post/no-credentials");
    PostMultiPartFormData(L"<POST URL=\"" + url + L"\" User=\"\" Password=\"secret\"/>", L"");
    auto request = recorded("/post/no-credentials");
    ASSERT_TRUE(request);
    EXPECT_TRUE(request->values("Authorization").empty());
}

TEST(Post, UserAndPasswordOpenWithCredentials) {
    std::wstring url = receiver_url("/post/credentials");
    PostMultiPartFormData(L"<POST URL=\"" + url + L"\" User=\"ann\" Password=\"secret\"/>", L"");
    ASSERT_TRUE(recorded("/post/credentials"));
}

TEST(Post, UnreachableServerRaisesThePlatformsError) {
    // A port nobody listens on: the receiver's own port is taken, so take it and add one... use 9.
    auto error = raised([] { PostMultiPartFormData(document(L"http://127.0.0.1:9/post/unreachable"), L""); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->number(), long(0x800C0008)) << ansi(error->description());
}

// A class object that stands in for Limbrel's class GUID in this process.
class empty_token : public com::implements<limbrel::IGUID> {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) noexcept override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE NewGUID(BSTR* token) noexcept override {
        *token = SysAllocString(L"");
        return S_OK;
    }
};

class empty_token_factory : public com::implements<IClassFactory> {
public:
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID iid, void** out) noexcept override {
        return com::make<empty_token>()->QueryInterface(iid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) noexcept override { return S_OK; }
};

TEST(Post, EmptyTokenLeavesTheHyphensAsTheBoundary) {
    auto factory = com::make<empty_token_factory>();
    DWORD cookie = 0;
    ASSERT_HRESULT_SUCCEEDED(CoRegisterClassObject(limbrel::CLSID_GUID, factory.get(), CLSCTX_INPROC_SERVER,
                                                   REGCLS_MULTIPLEUSE, &cookie));
    struct revoke {
        DWORD cookie;
        ~revoke() { CoRevokeClassObject(cookie); }
    } revoke_on_exit{cookie};

    std::wstring path = data_file(L"token.txt", "T");
    PostMultiPartFormData(document(receiver_url("/post/empty-token"), input(L"f", L"FILE", path)), L"");
    auto request = recorded("/post/empty-token");
    ASSERT_TRUE(request);
    std::string boundary(25, '-');
    EXPECT_EQ(request->boundary(), boundary);
    EXPECT_EQ(request->body, "--" + boundary + "\r\nContent-Disposition: form-data; name=\"f\"; filename=\"" +
                                 ansi(path) + "\"\r\nContent-Type: application/save\r\n\r\nT\r\n--" + boundary +
                                 "--\r\n");
}

// Limbrel unregistered for the length of a test, and registered again on every way out.
class limbrel_missing {
public:
    limbrel_missing() : module_(LoadLibraryW(facts::windows_path(LIMBREL_DLL).c_str())) {
        call("DllUnregisterServer");
    }
    ~limbrel_missing() { call("DllRegisterServer"); }

private:
    void call(const char* name) {
        auto entry = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(GetProcAddress(module_.get(), name));
        if (!entry || FAILED(entry())) ADD_FAILURE() << name << " failed";
    }
    com::unique_hmodule module_;
};

TEST(Post, MissingLimbrelRaisesTheCreationErrorAndSendsNothing) {
    std::optional<com::error> error;
    {
        limbrel_missing missing;
        error = raised([] { PostMultiPartFormData(document(receiver_url("/post/no-limbrel")), L""); });
    }
    ASSERT_TRUE(error);
    EXPECT_EQ(error->number(), long(REGDB_E_CLASSNOTREG)) << ansi(error->description());
    EXPECT_FALSE(recorded("/post/no-limbrel"));
}

}  // namespace
