#include "http_request.h"
#include "com/arguments.h"
#include "com/unique.h"
#include "errors.h"

namespace MultiPartFormDataPost {
namespace {

void set_header(IXMLHTTPRequest* request, const wchar_t* name, const std::wstring& value) {
    com::throw_if_failed(request->setRequestHeader(com::make_bstr(name).get(), com::make_bstr(value).get()));
}

}  // namespace

void refuse_line_breaks(const std::wstring& cookie) {
    if (cookie.find_first_of(std::wstring_view(L"\r\n\0", 3)) != std::wstring::npos)
        raise(5, L"Invalid procedure call or argument: the cookie must not contain a carriage return, line feed "
                 L"or NUL character");
}

com::ptr<IXMLHTTPRequest> open_post(const post_target& target) {
    auto request = com::create<IXMLHTTPRequest>(CLSID_XMLHTTP26);
    const VARIANT synchronous = com::bool_argument(false);
    auto method = com::make_bstr(L"POST");
    auto url = com::make_bstr(target.URL);
    if (target.User && !target.User->empty()) {
        com::throw_if_failed(request->open(method.get(), url.get(), synchronous, com::text_argument(*target.User),
                                           com::text_argument(target.Password)));
    } else {
        com::throw_if_failed(request->open(method.get(), url.get(), synchronous, com::missing_argument(), com::missing_argument()));
    }
    return request;
}

void set_headers(IXMLHTTPRequest* request, const std::wstring& boundary, const std::wstring& cookie) {
    set_header(request, L"Content-Type", L"multipart/form-data; boundary=" + boundary);
    set_header(request, L"Cache-Control", L"no-cache");
    set_header(request, L"Cookie", L"This call is ignored, but necessary.");
    set_header(request, L"Cookie", cookie);
}

void send(IXMLHTTPRequest* request, SAFEARRAY* body) {
    // The variant borrows the array: its owner destroys it after the send.
    VARIANT bytes;
    VariantInit(&bytes);
    bytes.vt = VT_ARRAY | VT_UI1;
    bytes.parray = body;
    com::throw_if_failed(request->send(bytes));
}

}  // namespace MultiPartFormDataPost
