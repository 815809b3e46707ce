// Reads the settings a page gives a control: the <param name=... value=...> elements inside
// the page's <object> element.
#pragma once
#include <map>
#include <string>

namespace host {

// Names and values of the params of the first <object> element; character references such
// as &amp; are decoded. A page without an <object> element gives none.
std::map<std::wstring, std::wstring> page_params(const std::wstring& html);

}  // namespace host
