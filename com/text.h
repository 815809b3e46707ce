// Text between UTF-16 and the byte encodings the platform speaks.
#pragma once
#include <string>
#include <string_view>

namespace com {

std::string to_utf8(std::wstring_view text);
std::wstring from_utf8(std::string_view bytes);

}  // namespace com
