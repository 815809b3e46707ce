// What the form poster's tests share: the loopback receiver on the Linux side (its address, and
// the raw bytes it recorded for each request), files in the test data folder, request documents
// and the raised error.
#pragma once
#include <windows.h>
#include <optional>
#include <string>
#include <string_view>
#include <vector>
#include "com/error.h"

namespace poster_test {

// http://127.0.0.1:{receiver's port}{path}; the path names the request's record.
std::wstring receiver_url(std::string_view path);

// A request as the receiver recorded it.
struct recorded_request {
    std::string request_line;
    std::vector<std::pair<std::string, std::string>> headers;  // in the order sent
    std::string body;

    std::vector<std::string> values(std::string_view name) const;  // case-insensitive name
    std::string boundary() const;                                  // from Content-Type
};

// The record of the request made to path, or nothing when none arrived.
std::optional<recorded_request> recorded(std::string_view path);

// A file of the test data folder (Z:\...), made with the given bytes.
std::wstring data_file(const std::wstring& name, std::string_view bytes);
// A sparse file of the given size: it costs no disk.
std::wstring sparse_file(const std::wstring& name, long long size);
// The data folder's path for name, without making anything.
std::wstring data_path(const std::wstring& name);
bool exists(const std::wstring& path);

// Text escaped for an XML attribute value or text content.
std::wstring xml_escaped(std::wstring_view text);

// <POST URL="url"> with the given Input elements (already XML).
std::wstring document(const std::wstring& url, const std::wstring& inputs = {});
std::wstring input(const std::wstring& name, const std::wstring& type, const std::wstring& value);
// The document that the batch upload writes for one file.
std::wstring batch_document(const std::wstring& url, const std::wstring& path);

// Text in the host's ANSI code page, for expected bodies.
std::string ansi(std::wstring_view text);

// The error a call raised, or nothing when it returned.
template <class F>
std::optional<com::error> raised(F&& f) {
    try {
        f();
    } catch (const com::error& e) {
        return e;
    }
    return std::nullopt;
}

}  // namespace poster_test
