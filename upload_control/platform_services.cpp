#include "platform_services.h"
#include "com/arguments.h"
#include "com/ptr.h"
#include "com/unique.h"
#include "form_poster/MultiPartFormDataPost.h"
#include "form_poster/msxml_contract.h"

namespace norvat {

void PlatformServices::Get(const std::wstring& url) {
    auto request = com::create<IXMLHTTPRequest>(MultiPartFormDataPost::CLSID_XMLHTTP26);
    com::throw_if_failed(request->open(com::make_bstr(L"GET").get(), com::make_bstr(url).get(), com::bool_argument(false),
                                       com::missing_argument(), com::missing_argument()));
    VARIANT no_body{};
    com::throw_if_failed(request->send(no_body));
}

std::wstring PlatformServices::PostMultiPartFormData(const std::wstring& request, const std::wstring& cookie) {
    return MultiPartFormDataPost::PostMultiPartFormData(request, cookie);
}

void PlatformServices::CloseFileSlot() { MultiPartFormDataPost::CloseFileSlot(); }

}  // namespace norvat
