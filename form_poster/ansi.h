// Text in the host's ANSI code page, converted the platform's way: characters the code page
// lacks come out as its replacement characters.
#pragma once
#include <string>
#include <string_view>

namespace MultiPartFormDataPost {

std::string to_ansi(std::wstring_view text);

}  // namespace MultiPartFormDataPost
