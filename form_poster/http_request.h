// The synchronous HTTP POST through the platform's XMLHTTP object.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <string>
#include "com/ptr.h"
#include "msxml_contract.h"
#include "request_document.h"

namespace MultiPartFormDataPost {

// The platform does not check header values: a cookie holding CR, LF or NUL would end its
// header early or add headers of its own. Raises 5 for such a cookie.
void refuse_line_breaks(const std::wstring& cookie);

// A new request object opened for a synchronous POST to the target's URL, with credentials only
// when the user name is not empty.
com::ptr<IXMLHTTPRequest> open_post(const post_target& target);

// Content-Type with the boundary, Cache-Control, and the Cookie header carrying cookie.
void set_headers(IXMLHTTPRequest* request, const std::wstring& boundary, const std::wstring& cookie);

// Sends body (a VT_UI1 byte array) as it is, and returns once the response has arrived.
void send(IXMLHTTPRequest* request, SAFEARRAY* body);

}  // namespace MultiPartFormDataPost
