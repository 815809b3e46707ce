// The few steps this system takes on MSXML's DOM, each raising the platform's error.
#pragma once
#include <string>
#include "com/ptr.h"
#include "msxml_contract.h"

namespace MultiPartFormDataPost::dom {

com::ptr<IXMLDOMDocument> create_document();
com::ptr<IXMLDOMElement> create_element(IXMLDOMDocument* document, const wchar_t* name);
void set_attribute(IXMLDOMElement* element, const wchar_t* name, const std::wstring& value);
// A node's text: an attribute's value, or an element's text content.
std::wstring text_of(IXMLDOMNode* node);
// The serialisation of the whole document.
std::wstring xml_of(IXMLDOMDocument* document);

}  // namespace MultiPartFormDataPost::dom
