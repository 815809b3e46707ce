// The multipart/form-data body of one post, byte for byte:
//
//     --{boundary}CRLF
//     Content-Disposition: form-data; name="{N}"; filename="{P}"CRLF
//     Content-Type: application/saveCRLF
//     CRLF
//     {the file's bytes}CRLF
//     --{boundary}CRLF
//     Content-Disposition: form-data; name="{N}"CRLF
//     CRLF
//     {V}CRLF
//     --{boundary}--CRLF
//
// Each CRLF before a delimiter line belongs to the part that follows it. Header texts and plain
// values go in the ANSI code page; file bytes go unchanged.
//
// The body is held once: appending a part lays it out and checks it (the file is opened, its
// length taken, every size sum checked), and bytes() allocates the whole body in one byte array
// and reads each file straight into its place there. So a failure of any part, in document
// order, is raised before anything is allocated.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <string>
#include <vector>
#include "com/unique.h"

namespace MultiPartFormDataPost {

using unique_safearray = com::unique_any<com::null_handle<SAFEARRAY*, &SafeArrayDestroy>>;

class body_builder {
public:
    explicit body_builder(std::wstring boundary);

    // Raises 9 for an empty file, 6 when the body would pass the signed 32-bit range, and the
    // file slot's errors for a file that cannot be opened.
    void append_file_part(const std::wstring& name, const std::wstring& path);
    void append_plain_part(const std::wstring& name, const std::wstring& value);
    void append_closing_delimiter();

    LONG size() const noexcept { return size_; }

    // The body as a byte array (VT_UI1, lower bound 0); raises 7 when it cannot be held.
    unique_safearray bytes() const;

private:
    struct piece {
        std::string text;   // ANSI bytes
        std::wstring path;  // a file whose bytes follow the text, or empty
        LONG file_size = 0;
    };

    std::wstring line_start() const;
    void add(piece next);

    std::wstring boundary_;
    std::vector<piece> pieces_;
    LONG size_ = 0;
};

}  // namespace MultiPartFormDataPost
