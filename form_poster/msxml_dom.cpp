#include "msxml_dom.h"
#include "com/arguments.h"
#include "com/unique.h"

namespace MultiPartFormDataPost::dom {

com::ptr<IXMLDOMDocument> create_document() { return com::create<IXMLDOMDocument>(CLSID_DOMDocument26); }

com::ptr<IXMLDOMElement> create_element(IXMLDOMDocument* document, const wchar_t* name) {
    com::ptr<IXMLDOMElement> created;
    com::throw_if_failed(document->createElement(com::make_bstr(name).get(), created.put()));
    return created;
}

void set_attribute(IXMLDOMElement* element, const wchar_t* name, const std::wstring& value) {
    com::throw_if_failed(element->setAttribute(com::make_bstr(name).get(), com::text_argument(value)));
}

std::wstring text_of(IXMLDOMNode* node) {
    com::unique_bstr text;
    com::throw_if_failed(node->get_text(text.put()));
    return std::wstring(com::view(text.get()));
}

std::wstring xml_of(IXMLDOMDocument* document) {
    com::unique_bstr xml;
    com::throw_if_failed(document->get_xml(xml.put()));
    return std::wstring(com::view(xml.get()));
}

}  // namespace MultiPartFormDataPost::dom
