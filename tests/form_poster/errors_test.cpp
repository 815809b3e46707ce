// Failures: the document's error table in its order of checks, file errors, sizes, the cookie
// guard. Every failing post sends nothing and leaves the user's files as they were.
#include <gtest/gtest.h>
#include "form_poster/MultiPartFormDataPost.h"
#include "com/unique.h"
#include "poster_support.h"

using namespace poster_test;
using MultiPartFormDataPost::PostMultiPartFormData;

namespace {

constexpr long base = 0x80040000;
const std::wstring user_without_password = L"POST Element with User Attribute Must also have Password Attribute";
const std::wstring incomplete_input = L"Input Elements Must have Name, Type, and Value attributes";

struct failure {
    long number;
    std::wstring description;  // empty: any description that is not empty
};

// Posts to a path of its own and checks the raised error and that nothing arrived.
void expect_failure(const std::string& path, const std::wstring& request, const failure& expected,
                    const std::wstring& cookie = L"") {
    auto error = raised([&] { PostMultiPartFormData(request, cookie); });
    ASSERT_TRUE(error) << "no error raised";
    MultiPartFormDataPost::CloseFileSlot();
    EXPECT_EQ(error->number(), expected.number) << ansi(error->description());
    if (expected.description.empty())
        EXPECT_FALSE(error->description().empty());
    else
        EXPECT_EQ(error->description(), expected.description);
    EXPECT_EQ(error->source(), L"PostMultiPartFormData");
    EXPECT_EQ(error->help_file(), L"");
    EXPECT_EQ(error->help_context(), 0u);
    EXPECT_FALSE(recorded(path)) << "a failed post sent a request";
}

TEST(Errors, DocumentChecksRaiseTheTableInOrder) {
    std::wstring empty_file = data_file(L"empty.txt", "");
    struct row {
        const char* path;
        std::wstring request;
        failure expected;
    } rows[] = {
        {"/errors/empty-text", L"", {base + 1, {}}},
        {"/errors/not-xml", L"POST URL=x", {base + 1, {}}},
        {"/errors/unclosed", L"<POST URL=\"" + receiver_url("/errors/unclosed") + L"\">", {base + 1, {}}},
        {"/errors/other-root", L"<FORM URL=\"" + receiver_url("/errors/other-root") + L"\"/>",
         {base + 2, L"POST Element with URL Attribute Required"}},
        {"/errors/no-url", L"<POST url=\"x\"/>", {base + 2, L"POST Element with URL Attribute Required"}},
        {"/errors/user", L"<POST URL=\"" + receiver_url("/errors/user") + L"\" User=\"ann\"/>",
         {base + 3, user_without_password}},
        {"/errors/empty-user", L"<POST URL=\"" + receiver_url("/errors/empty-user") + L"\" User=\"\"/>",
         {base + 3, user_without_password}},
        // URL before User: the first failing check wins.
        {"/errors/no-url-user", L"<POST User=\"ann\"/>", {base + 2, L"POST Element with URL Attribute Required"}},
        {"/errors/no-name", document(receiver_url("/errors/no-name"), L"<Input Type=\"text\">v</Input>"),
         {base + 3, incomplete_input}},
        {"/errors/no-type", document(receiver_url("/errors/no-type"), L"<Input Name=\"n\">v</Input>"),
         {base + 3, incomplete_input}},
        {"/errors/value-attribute",
         document(receiver_url("/errors/value-attribute"), L"<Input Name=\"n\" Type=\"text\" Value=\"v\"/>"),
         {base + 3, incomplete_input}},
        {"/errors/later-input",
         document(receiver_url("/errors/later-input"), input(L"a", L"text", L"fine") + L"<Input Name=\"b\" Type=\"t\"></Input>"),
         {base + 3, incomplete_input}},
        // Each Input is checked only after the parts before it were built.
        {"/errors/empty-file-first",
         document(receiver_url("/errors/empty-file-first"), input(L"f", L"FILE", empty_file) + L"<Input Type=\"t\">v</Input>"),
         {9, L"Subscript out of range"}},
        {"/errors/bad-input-first",
         document(receiver_url("/errors/bad-input-first"), L"<Input Type=\"t\">v</Input>" + input(L"f", L"FILE", empty_file)),
         {base + 3, incomplete_input}},
    };
    for (auto& [path, request, expected] : rows) {
        SCOPED_TRACE(path);
        expect_failure(path, request, expected);
    }
}

// A cookie that would add headers of its own is refused before the request is opened, even
// ahead of a bad Input.
TEST(Errors, CookieWithLineBreaksIsRefused) {
    for (const wchar_t* cookie : {L"a=1\r\nX-Injected: yes", L"a=1\nb", L"a=1\r"}) {
        SCOPED_TRACE(ansi(cookie));
        expect_failure("/errors/cookie", document(receiver_url("/errors/cookie"), L"<Input/>"), {5, {}}, cookie);
    }
}

// Files that cannot be read raise the platform's file errors, naming the path; nothing on the
// disk changes, and no file is left open.
TEST(Errors, FileErrorsNameTheProblem) {
    std::wstring missing = data_path(L"no such file.txt");
    std::wstring missing_folder = data_path(L"no such folder\\file.txt");
    std::wstring folder = data_path(L"");
    folder.pop_back();
    std::wstring locked = data_file(L"locked.txt", "locked");
    com::unique_file lock(CreateFileW(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);

    struct row {
        std::wstring path;
        long number;
        std::wstring description;
    } rows[] = {
        {missing, 53, L"File not found: " + missing},
        {missing_folder, 76, L"Path not found: " + missing_folder},
        {folder, 75, L"Path/File access error: " + folder + L" is a folder, not a file"},
        {locked, 70, L"Permission denied: " + locked + L" is in use by another program"},
    };
    for (auto& [path, number, description] : rows) {
        SCOPED_TRACE(ansi(path));
        expect_failure("/errors/file", batch_document(receiver_url("/errors/file"), path), {number, description});
    }
    EXPECT_FALSE(exists(missing));
    EXPECT_FALSE(exists(data_path(L"no such folder")));
}

TEST(Errors, FailedFileIsNotLeftOpen) {
    std::wstring empty = data_file(L"released.txt", "");
    expect_failure("/errors/released", batch_document(receiver_url("/errors/released"), empty), {9, {}});
    // Closing the slot again does nothing, and the file can be changed at once.
    MultiPartFormDataPost::CloseFileSlot();
    com::unique_file reopened(CreateFileW(empty.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_TRUE(reopened);
}

// Sizes are signed 32-bit: a body past that range fails with 6 before anything is allocated,
// and one the platform's send could not take fails with the out-of-memory error. Sparse files
// make these sizes without disk.
TEST(Errors, OversizedBodiesFailCleanly) {
    constexpr long long mb = 1 << 20;
    std::wstring huge = sparse_file(L"huge.bin", 3 * 1024 * mb);
    std::wstring half = sparse_file(L"half.bin", 1024 * mb + 1);
    std::wstring edge = sparse_file(L"edge.bin", 0x7FFFFFFF - 100);
    std::wstring large = sparse_file(L"large.bin", 700 * mb);
    struct row {
        std::wstring inputs;
        long number;
    } rows[] = {
        {input(L"f", L"FILE", huge), 6},                                // the file alone
        {input(L"a", L"FILE", half) + input(L"b", L"FILE", half), 6},   // the sum of two files
        {input(L"f", L"FILE", edge), 6},                                // the headers tip it over
        {input(L"f", L"FILE", large), 7},                               // too large to send
    };
    for (auto& [inputs, number] : rows) {
        SCOPED_TRACE(number);
        expect_failure("/errors/size", document(receiver_url("/errors/size"), inputs), {number, {}});
    }
}

// The platform's failures travel unchanged: an empty address is rejected by the HTTP object.
TEST(Errors, EmptyAddressRaisesTheHttpObjectsError) {
    auto error = raised([] { PostMultiPartFormData(document(L""), L""); });
    ASSERT_TRUE(error);
    EXPECT_NE(error->number(), 0);
    EXPECT_NE(error->source(), L"PostMultiPartFormData");
}

}  // namespace
