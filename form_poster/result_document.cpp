#include "result_document.h"
#include "com/error.h"
#include "com/unique.h"
#include "msxml_dom.h"

namespace MultiPartFormDataPost {

std::wstring result_document(IXMLHTTPRequest* answered) {
    auto document = dom::create_document();
    auto root = dom::create_element(document.get(), L"HTTP");
    com::throw_if_failed(document->putref_documentElement(root.get()));

    long status = 0;
    com::throw_if_failed(answered->get_status(&status));
    dom::set_attribute(root.get(), L"Status", std::to_wstring(status));
    com::unique_bstr status_text;
    com::throw_if_failed(answered->get_statusText(status_text.put()));
    dom::set_attribute(root.get(), L"StatusText", std::wstring(com::view(status_text.get())));
    return dom::xml_of(document.get());
}

server_answer read_result_document(const std::wstring& text) {
    auto document = dom::create_document();
    VARIANT_BOOL loaded = VARIANT_FALSE;
    com::throw_if_failed(document->loadXML(com::make_bstr(text).get(), &loaded));
    com::ptr<IXMLDOMElement> root;
    if (!loaded || document->get_documentElement(root.put()) != S_OK)
        com::raise(E_UNEXPECTED, L"PostMultiPartFormData", L"The result of the post could not be read");
    com::unique_variant status, status_text;
    com::throw_if_failed(root->getAttribute(com::make_bstr(L"Status").get(), &status));
    com::throw_if_failed(root->getAttribute(com::make_bstr(L"StatusText").get(), &status_text));
    com::throw_if_failed(VariantChangeType(&status, &status, 0, VT_I4));
    return {status.lVal, status_text.vt == VT_BSTR ? std::wstring(com::view(status_text.bstrVal)) : std::wstring()};
}

}  // namespace MultiPartFormDataPost
