#include "result_document.h"
#include "com/ptr.h"
#include "com/unique.h"

namespace MultiPartFormDataPost {
namespace {

void set_attribute(IXMLDOMElement* element, const wchar_t* name, const std::wstring& value) {
    com::unique_variant text;
    text.vt = VT_BSTR;
    text.bstrVal = com::make_bstr(value).release();
    com::throw_if_failed(element->setAttribute(com::make_bstr(name).get(), text));
}

}  // namespace

std::wstring result_document(IXMLHTTPRequest* answered) {
    auto document = com::create<IXMLDOMDocument>(CLSID_DOMDocument26);
    com::ptr<IXMLDOMElement> root;
    com::throw_if_failed(document->createElement(com::make_bstr(L"HTTP").get(), root.put()));
    com::throw_if_failed(document->putref_documentElement(root.get()));

    long status = 0;
    com::throw_if_failed(answered->get_status(&status));
    set_attribute(root.get(), L"Status", std::to_wstring(status));
    com::unique_bstr status_text;
    com::throw_if_failed(answered->get_statusText(status_text.put()));
    set_attribute(root.get(), L"StatusText", std::wstring(com::view(status_text.get())));

    com::unique_bstr xml;
    com::throw_if_failed(document->get_xml(xml.put()));
    return std::wstring(com::view(xml.get()));
}

}  // namespace MultiPartFormDataPost
