// The result document: <HTTP Status="{code}" StatusText="{text}"/>, serialised by the XML DOM.
#pragma once
#include <string>
#include "msxml_contract.h"

namespace MultiPartFormDataPost {

std::wstring result_document(IXMLHTTPRequest* answered);

}  // namespace MultiPartFormDataPost
