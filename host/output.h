// Lines for the person or program watching the host, in UTF-8 on standard output.
#pragma once
#include <string>

namespace host {

void say(const std::wstring& line);

}  // namespace host
