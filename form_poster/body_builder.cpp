#include "body_builder.h"
#include <climits>
#include <cstring>
#include "ansi.h"
#include "errors.h"
#include "file_slot.h"

namespace MultiPartFormDataPost {
namespace {

LONG checked_sum(LONG a, LONG b) {
    LONG sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) raise(com::error_overflow);
    return sum;
}

LONG checked_size(size_t size) {
    if (size > size_t(LONG_MAX)) raise(com::error_overflow);
    return LONG(size);
}

// Opens the file under slot 1 and takes its length; the slot is closed again on every way out.
LONG file_length(const std::wstring& path) {
    file_slot::closer close_slot;
    file_slot::open(path);
    long long length = file_slot::length();
    if (length > LONG_MAX) raise(com::error_overflow);
    // A byte array of no elements cannot be made.
    if (length == 0) raise(com::error_subscript_out_of_range);
    return LONG(length);
}

void read_file_into(BYTE* place, const std::wstring& path, LONG expected) {
    file_slot::closer close_slot;
    file_slot::open(path);
    if (file_slot::length() != expected)
        raise(62, L"Input past end of file: " + path + L" changed size while the body was built");
    file_slot::read(place, DWORD(expected));
}

}  // namespace

body_builder::body_builder(std::wstring boundary) : boundary_(std::move(boundary)) {}

std::wstring body_builder::line_start() const { return size_ > 0 ? L"\r\n--" : L"--"; }

void body_builder::add(piece next) {
    LONG size = checked_sum(checked_sum(size_, checked_size(next.text.size())), next.file_size);
    pieces_.push_back(std::move(next));
    size_ = size;
}

void body_builder::append_file_part(const std::wstring& name, const std::wstring& path) {
    std::string header = to_ansi(line_start() + boundary_ + L"\r\nContent-Disposition: form-data; name=\"" + name +
                                 L"\"; filename=\"" + path + L"\"\r\nContent-Type: application/save\r\n\r\n");
    LONG length = file_length(path);
    add({std::move(header), path, length});
}

void body_builder::append_plain_part(const std::wstring& name, const std::wstring& value) {
    add({to_ansi(line_start() + boundary_ + L"\r\nContent-Disposition: form-data; name=\"" + name + L"\"\r\n\r\n" +
                 value),
         {},
         0});
}

void body_builder::append_closing_delimiter() { add({to_ansi(L"\r\n--" + boundary_ + L"--\r\n"), {}, 0}); }

unique_safearray body_builder::bytes() const {
    unique_safearray array(SafeArrayCreateVector(VT_UI1, 0, ULONG(size_)));
    if (!array) raise(com::error_out_of_memory);
    BYTE* place = nullptr;
    com::throw_if_failed(SafeArrayAccessData(array.get(), reinterpret_cast<void**>(&place)));
    struct unaccess {
        SAFEARRAY* array;
        ~unaccess() { SafeArrayUnaccessData(array); }
    } unaccess_on_exit{array.get()};
    for (const piece& next : pieces_) {
        std::memcpy(place, next.text.data(), next.text.size());
        place += next.text.size();
        if (next.path.empty()) continue;
        read_file_into(place, next.path, next.file_size);
        place += next.file_size;
    }
    return array;
}

}  // namespace MultiPartFormDataPost
