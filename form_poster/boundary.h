// The boundary of one post: 25 hyphens followed by a fresh token from Limbrel's class GUID,
// created by its class identifier and released at once. The token is not checked: an empty one
// leaves the hyphens alone as the boundary.
#pragma once
#include <string>

namespace MultiPartFormDataPost {

std::wstring new_boundary();

}  // namespace MultiPartFormDataPost
