#include "request_document.h"
#include <cwctype>
#include "com/unique.h"
#include "errors.h"
#include "msxml_dom.h"

namespace MultiPartFormDataPost {
namespace {

com::ptr<IXMLDOMNode> select_single(IXMLDOMNode* node, const wchar_t* path) {
    com::ptr<IXMLDOMNode> found;
    com::throw_if_failed(node->selectSingleNode(com::make_bstr(path).get(), found.put()));
    return found;
}

std::optional<std::wstring> attribute(IXMLDOMNode* node, const wchar_t* path) {
    auto found = select_single(node, path);
    if (!found) return std::nullopt;
    return dom::text_of(found.get());
}

}  // namespace

bool input_field::is_file() const {
    std::wstring upper = Type;
    for (wchar_t& c : upper) c = wchar_t(std::towupper(c));
    return upper == L"FILE";
}

com::ptr<IXMLDOMDocument> load_request(const std::wstring& text) {
    auto document = dom::create_document();
    VARIANT_BOOL loaded = VARIANT_FALSE;
    com::throw_if_failed(document->loadXML(com::make_bstr(text).get(), &loaded));
    if (loaded != VARIANT_TRUE) {
        com::ptr<IXMLDOMParseError> parse_error;
        com::throw_if_failed(document->get_parseError(parse_error.put()));
        com::unique_bstr reason;
        com::throw_if_failed(parse_error->get_reason(reason.put()));
        std::wstring description(com::view(reason.get()));
        // The platform's text for the number would name no reason at all.
        if (description.empty()) description = L"The request is not well-formed XML";
        raise(error_not_well_formed, std::move(description));
    }
    return document;
}

post_target read_target(IXMLDOMDocument* document) {
    post_target target;
    auto url = attribute(document, L"/POST/@URL");
    if (!url) raise(error_no_url, no_url_description);
    target.URL = std::move(*url);
    target.User = attribute(document, L"/POST/@User");
    if (target.User) {
        auto password = attribute(document, L"/POST/@Password");
        if (!password) raise(error_incomplete, user_without_password_description);
        target.Password = std::move(*password);
    }
    return target;
}

com::ptr<IXMLDOMNodeList> select_inputs(IXMLDOMDocument* document) {
    com::ptr<IXMLDOMNodeList> inputs;
    com::throw_if_failed(document->selectNodes(com::make_bstr(L"/POST/Input").get(), inputs.put()));
    return inputs;
}

std::optional<input_field> next_input(IXMLDOMNodeList* inputs) {
    com::ptr<IXMLDOMNode> input;
    com::throw_if_failed(inputs->nextNode(input.put()));
    if (!input) return std::nullopt;
    auto name = attribute(input.get(), L"@Name");
    if (!name) raise(error_incomplete, incomplete_input_description);
    auto type = attribute(input.get(), L"@Type");
    if (!type) raise(error_incomplete, incomplete_input_description);
    std::wstring value = dom::text_of(input.get());
    if (value.empty()) raise(error_incomplete, incomplete_input_description);
    return input_field{std::move(*name), std::move(*type), std::move(value)};
}

}  // namespace MultiPartFormDataPost
