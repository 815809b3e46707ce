// The upload request document: root POST with URL and optional User and Password, and the
// form fields as Input children (Name, Type, and the value as text content). It is read through
// the platform's XML DOM, and every check raises this module's errors.
#pragma once
#include <optional>
#include <string>
#include "com/ptr.h"
#include "msxml_contract.h"

namespace MultiPartFormDataPost {

struct post_target {
    std::wstring URL;
    std::optional<std::wstring> User;  // present only when the document has a User attribute
    std::wstring Password;
};

struct input_field {
    std::wstring Name, Type, value;
    // "file", "File", "FILE"... make a file input; anything else is a plain one.
    bool is_file() const;
};

// Parses the text; text that is not well-formed XML raises base + 1 with the parser's reason.
com::ptr<IXMLDOMDocument> load_request(const std::wstring& text);

// The address and credentials: base + 2 without POST/@URL, base + 3 for User without Password.
post_target read_target(IXMLDOMDocument* document);

// The form fields, /POST/Input, in document order.
com::ptr<IXMLDOMNodeList> select_inputs(IXMLDOMDocument* document);

// The next field of the list, checked (base + 3 without Name, Type or text), or nothing at
// the end of the list.
std::optional<input_field> next_input(IXMLDOMNodeList* inputs);

}  // namespace MultiPartFormDataPost
