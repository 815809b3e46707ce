// Measures the form poster for tools/bench_poster/run, which reads this program's memory from
// the Linux side. One measurement per run:
//
//   bench_poster build FILE       ms to build the body of FILE, against reading the same bytes
//                                 into a buffer of their own and against copying them in memory
//   bench_poster hold FILE        builds the body of FILE and keeps it while the caller looks
//   bench_poster post FILE URL    ms to post FILE as the batch upload does
#include <windows.h>
#include <objbase.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include "com/error.h"
#include "com/unique.h"
#include "form_poster/MultiPartFormDataPost.h"
#include "form_poster/body_builder.h"

namespace {

using clock_type = std::chrono::steady_clock;

double ms_since(clock_type::time_point start) {
    return std::chrono::duration<double, std::milli>(clock_type::now() - start).count();
}

MultiPartFormDataPost::unique_safearray build(const std::wstring& path) {
    MultiPartFormDataPost::body_builder body(L"-------------------------0123456789ABCDEF0123456789ABCDEF");
    body.append_file_part(L"UploadData", path);
    body.append_plain_part(L"btnSubmit", L"Upload");
    body.append_plain_part(L"FormName", L"VizaraRodode");
    body.append_closing_delimiter();
    return body.bytes();
}

std::unique_ptr<char[]> read_whole(const std::wstring& path, DWORD& size) {
    com::unique_file file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    size = GetFileSize(file.get(), nullptr);
    std::unique_ptr<char[]> bytes(new char[size]);
    DWORD done = 0;
    ReadFile(file.get(), bytes.get(), size, &done, nullptr);
    return bytes;
}

void measure_build(const std::wstring& path) {
    // One warm-up of each, so that both read from the page cache.
    build(path);
    auto start = clock_type::now();
    auto body = build(path);
    double body_ms = ms_since(start);

    DWORD size = 0;
    read_whole(path, size);
    start = clock_type::now();
    auto bytes = read_whole(path, size);
    double read_ms = ms_since(start);

    std::unique_ptr<char[]> copy(new char[size]);
    start = clock_type::now();
    std::memcpy(copy.get(), bytes.get(), size);
    double copy_ms = ms_since(start);
    std::printf("build_ms=%.1f read_ms=%.1f memcpy_ms=%.1f body_bytes=%lu file_bytes=%lu\n", body_ms, read_ms,
                copy_ms, body.get()->rgsabound[0].cElements, size);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::wstring mode = argc > 2 ? argv[1] : L"";
    try {
        if (mode == L"build") {
            measure_build(argv[2]);
        } else if (mode == L"hold") {
            auto body = build(argv[2]);
            std::printf("held %lu bytes\n", body.get()->rgsabound[0].cElements);
            Sleep(1500);
        } else if (mode == L"post" && argc > 3) {
            std::wstring request = L"<POST URL=\"" + std::wstring(argv[3]) +
                                   L"\"><Input Type=\"FILE\" Name=\"UploadData\">" + argv[2] +
                                   L"</Input><Input Type=\"submit\" Name=\"btnSubmit\">Upload</Input>"
                                   L"<Input Type=\"hidden\" Name=\"FormName\">VizaraRodode</Input></POST>";
            auto start = clock_type::now();
            MultiPartFormDataPost::PostMultiPartFormData(request, L"");
            std::printf("post_ms=%.1f\n", ms_since(start));
        } else {
            std::fprintf(stderr, "usage: bench_poster build|hold FILE | post FILE URL\n");
            return 2;
        }
    } catch (const com::error& e) {
        std::fprintf(stderr, "failed: %08lX %s\n", e.number(), e.what());
        return 1;
    }
    std::fflush(stdout);
    CoUninitialize();
    return 0;
}
