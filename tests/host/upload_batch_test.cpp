// UploadFiles end to end: the real control in the real host posts a batch to a loopback
// receiver that keeps the uploads as a server-side form handler does, reading each body with
// Python's own multipart parser.
#include <windows.h>
#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include "host_run.h"
#include "support/module_facts.h"

namespace {

namespace fs = std::filesystem;
using host_run::run;
using Lines = std::vector<std::wstring>;

std::string bytes_of(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class UploadBatch : public testing::Test {
protected:
    void SetUp() override {
        folder = fs::path(facts::windows_path(SAMPLES_DIR)) / L"batch";
        fs::create_directories(folder);
        // Content a careless body builder would mangle: line breaks, NUL bytes, a boundary.
        binary = std::string("line\r\n\0\0\xff\xfe", 10) + "\r\n---------------------------7D81B1A2--\r\n";
        for (int i = 0; i < 256; ++i) binary += char(i);
        std::ofstream(folder / L"a.bin", std::ios::binary) << binary;
        std::ofstream(folder / L"b.txt", std::ios::binary);  // empty
        std::ofstream(folder / L"c.txt", std::ios::binary) << "third file\r\n";
    }
    Lines host(const std::wstring& upload_path, const wchar_t* answer) {
        const std::wstring server = host_run::receiver_address();
        auto result = run({L"--param", L"URLStr=" + server + upload_path, L"--param", L"CookieStr=session=e2e; theme=dark",
                           L"--param", L"PathStr=" + folder.wstring(), L"--param", L"CookiePathURL=" + server + L"/notify",
                           L"--answer", answer, L"--choose", L"\"a.bin\" \"b.txt\" \"c.txt\"", L"--upload"});
        EXPECT_EQ(result.exit_code, 0u);
        Lines seen;
        for (const auto& line : result.lines)
            if (line.rfind(L"message", 0) == 0 || line.rfind(L"progress", 0) == 0) seen.push_back(line);
        return seen;
    }
    std::wstring entry(const wchar_t* name) const { return (folder / name).wstring(); }
    fs::path uploads() const { return fs::path(host_run::receiver_folder()) / L"uploads"; }

    fs::path folder;
    std::string binary;
};

TEST_F(UploadBatch, PostsEachFileSkipsTheEmptyOneAndSummarises) {
    fs::remove_all(uploads());
    EXPECT_EQ(host(L"/upload", L"yes"),
              (Lines{L"progress: 0/3", L"message [Upload Files]: Are you sure you want to upload the 3 files listed?",
                     L"progress: 1/3", L"message [Norvat]: " + entry(L"b.txt") + L" is empty, skipping.", L"progress: 1/3",
                     L"progress: 2/3", L"progress: 2/3", L"message [Upload Files]: 2 of 3 files uploaded."}));

    // What the form handler made of the bodies.
    EXPECT_EQ(bytes_of(uploads() / L"a.bin"), binary);
    EXPECT_EQ(bytes_of(uploads() / L"c.txt"), "third file\r\n");
    EXPECT_FALSE(fs::exists(uploads() / L"b.txt"));
    EXPECT_EQ(bytes_of(uploads() / L"fields.txt"),
              "btnSubmit=Upload\nFormName=VizaraRodode\nbtnSubmit=Upload\nFormName=VizaraRodode\n");

    // The last request on the wire: one Cookie header with the setting, and the boundary.
    std::string request = host_run::recorded(L"upload");
    EXPECT_NE(request.find("\r\nCookie: session=e2e; theme=dark\r\n"), std::string::npos);
    EXPECT_EQ(request.find("Cookie:"), request.rfind("Cookie:"));
    size_t boundary = request.find("Content-Type: multipart/form-data; boundary=-------------------------");
    ASSERT_NE(boundary, std::string::npos);
    EXPECT_EQ(request.find("\r\n", boundary) - boundary, std::string("Content-Type: multipart/form-data; boundary=").size() + 57);
}

TEST_F(UploadBatch, AnsweringNoSendsNothing) {
    EXPECT_EQ(host(L"/declined", L"no"),
              (Lines{L"progress: 0/3", L"message [Upload Files]: Are you sure you want to upload the 3 files listed?"}));
    EXPECT_TRUE(host_run::recorded(L"declined").empty());
}

TEST_F(UploadBatch, FilesTheServerRefusesAreNamedAndNotCounted) {
    EXPECT_EQ(host(L"/status/500/upload", L"yes"),
              (Lines{L"progress: 0/3", L"message [Upload Files]: Are you sure you want to upload the 3 files listed?",
                     L"message [Norvat]: " + entry(L"a.bin") + L" was not uploaded: the server answered 500 Internal Server Error.",
                     L"progress: 0/3", L"message [Norvat]: " + entry(L"b.txt") + L" is empty, skipping.", L"progress: 0/3",
                     L"message [Norvat]: " + entry(L"c.txt") + L" was not uploaded: the server answered 500 Internal Server Error.",
                     L"progress: 0/3", L"progress: 0/3", L"message [Upload Files]: 0 of 3 files uploaded."}));
}

}  // namespace
