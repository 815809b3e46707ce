#include "page_params.h"
#include <cwctype>
#include <regex>

namespace host {
namespace {

std::wstring lower(std::wstring text) {
    for (auto& c : text) c = wchar_t(std::towlower(c));
    return text;
}

std::wstring decode(const std::wstring& text) {
    static const std::pair<const wchar_t*, wchar_t> named[] = {
        {L"&amp;", L'&'}, {L"&lt;", L'<'}, {L"&gt;", L'>'}, {L"&quot;", L'"'}, {L"&apos;", L'\''}};
    std::wstring result;
    for (size_t i = 0; i < text.size();) {
        if (text[i] == L'&') {
            if (text.compare(i, 2, L"&#") == 0) {
                size_t end = text.find(L';', i);
                if (end != std::wstring::npos) {
                    bool hex = i + 2 < end && (text[i + 2] == L'x' || text[i + 2] == L'X');
                    result += wchar_t(std::wcstoul(text.substr(i + (hex ? 3 : 2), end - i).c_str(), nullptr, hex ? 16 : 10));
                    i = end + 1;
                    continue;
                }
            }
            bool matched = false;
            for (auto [entity, c] : named) {
                if (text.compare(i, wcslen(entity), entity) == 0) {
                    result += c;
                    i += wcslen(entity);
                    matched = true;
                    break;
                }
            }
            if (matched) continue;
        }
        result += text[i++];
    }
    return result;
}

// Attributes of one tag: name="value", name='value' or name=value.
std::map<std::wstring, std::wstring> attributes(const std::wstring& tag) {
    static const std::wregex attribute(LR"re(([A-Za-z_:][-A-Za-z0-9_:.]*)\s*=\s*("([^"]*)"|'([^']*)'|([^\s>"']+)))re");
    std::map<std::wstring, std::wstring> result;
    for (std::wsregex_iterator i(tag.begin(), tag.end(), attribute), end; i != end; ++i) {
        const auto& m = *i;
        std::wstring value = m[3].matched ? m[3].str() : m[4].matched ? m[4].str() : m[5].str();
        result[lower(m[1].str())] = decode(value);
    }
    return result;
}

}  // namespace

std::map<std::wstring, std::wstring> page_params(const std::wstring& html) {
    const std::wstring text = lower(html);  // same length: positions carry over
    size_t object = text.find(L"<object");
    if (object == std::wstring::npos) return {};
    size_t object_end = text.find(L"</object", object);
    std::map<std::wstring, std::wstring> params;
    for (size_t at = text.find(L"<param", object); at < object_end; at = text.find(L"<param", at + 1)) {
        size_t close = text.find(L'>', at);
        if (close == std::wstring::npos) break;
        auto found = attributes(html.substr(at, close - at));
        if (found.count(L"name")) params[found[L"name"]] = found[L"value"];
    }
    return params;
}

}  // namespace host
