// Whether the process has the address space to build a body and let the platform send it.
//
// The platform's send copies the body more than once on its way to the socket (under Wine the
// process peaks near four times the body), and when one of those copies cannot be had it may
// hang instead of failing. So before the body is allocated, room for our copy and four more
// body-sized blocks is reserved at once (no memory is committed) and released again; a body
// that does not fit fails cleanly with the out-of-memory error.
#pragma once
#include <windows.h>

namespace MultiPartFormDataPost {

void ensure_room_to_send(LONG body_size);

}  // namespace MultiPartFormDataPost
