// The result document: <HTTP Status="{code}" StatusText="{text}"/>, serialised by the XML DOM.
#pragma once
#include <string>
#include "msxml_contract.h"

namespace MultiPartFormDataPost {

// Writes the result document of an answered request.
std::wstring result_document(IXMLHTTPRequest* answered);

struct server_answer {
    long status;
    std::wstring status_text;
};

// Reads the status back out of a result document.
server_answer read_result_document(const std::wstring& text);

}  // namespace MultiPartFormDataPost
