// The bytes on the wire: each body as the receiver recorded it, against the multipart layout.
#include <gtest/gtest.h>
#include "form_poster/MultiPartFormDataPost.h"
#include "poster_support.h"

using namespace poster_test;
using MultiPartFormDataPost::PostMultiPartFormData;

namespace {

constexpr char crlf[] = "\r\n";

std::string file_part(const std::string& boundary, const std::string& name, const std::string& path,
                      const std::string& bytes) {
    return "--" + boundary + crlf + "Content-Disposition: form-data; name=\"" + name + "\"; filename=\"" + path +
           "\"" + crlf + "Content-Type: application/save" + crlf + crlf + bytes;
}

std::string plain_part(const std::string& boundary, const std::string& name, const std::string& value) {
    return "--" + boundary + crlf + "Content-Disposition: form-data; name=\"" + name + "\"" + crlf + crlf + value;
}

std::string closing(const std::string& boundary) { return crlf + ("--" + boundary) + "--" + crlf; }

// Posts the document to path and gives back what the receiver got.
recorded_request post(const std::string& path, const std::wstring& inputs) {
    PostMultiPartFormData(document(receiver_url(path), inputs), L"");
    auto request = recorded(path);
    if (!request) throw std::runtime_error("nothing was recorded for " + path);
    return *request;
}

TEST(Body, BatchDocumentIsTheLayoutByteForByte) {
    const std::string content = "The quick brown fox\r\n";
    std::wstring path = data_file(L"batch.txt", content);
    PostMultiPartFormData(batch_document(receiver_url("/body/batch"), path), L"session=1");
    auto request = recorded("/body/batch");
    ASSERT_TRUE(request);

    std::string boundary = request->boundary();
    ASSERT_EQ(boundary.size(), 57u);
    EXPECT_EQ(boundary.substr(0, 25), std::string(25, '-'));
    std::string p = ansi(path);
    EXPECT_EQ(request->body, file_part(boundary, "UploadData", p, content) + crlf +
                                 plain_part(boundary, "btnSubmit", "Upload") + crlf +
                                 plain_part(boundary, "FormName", "VizaraRodode") + closing(boundary));
    EXPECT_EQ(request->body.size(), 471 + p.size() + content.size());
    EXPECT_EQ(request->request_line, "POST /body/batch HTTP/1.1");
    EXPECT_EQ(request->values("Content-Length"), std::vector<std::string>{std::to_string(request->body.size())});
}

TEST(Body, NoInputGivesOnlyTheClosingDelimiter) {
    auto request = post("/body/no-input", L"<Other><Input Name=\"n\" Type=\"t\">v</Input></Other>");
    EXPECT_EQ(request.body.size(), 65u);
    EXPECT_EQ(request.body, closing(request.boundary()));
}

TEST(Body, TwoFileInputsEachBehindTheirOwnHeader) {
    std::wstring first = data_file(L"first.bin", "one"), second = data_file(L"second.bin", "two!");
    auto request = post("/body/two-files", input(L"a", L"file", first) + input(L"b", L"File", second));
    std::string boundary = request.boundary();
    EXPECT_EQ(request.body, file_part(boundary, "a", ansi(first), "one") + crlf +
                                file_part(boundary, "b", ansi(second), "two!") + closing(boundary));
}

TEST(Body, BinaryContentGoesThroughUnchanged) {
    auto request_boundary = [] {
        // The boundary's own text inside the file must not disturb anything.
        std::string bytes("\r\n\0\0\xff\xfe--", 9);
        bytes += std::string(27, '-') + "0123456789ABCDEF0123456789ABCDEF--\r\n";
        for (int i = 0; i < 256; ++i) bytes += char(i);
        return bytes;
    }();
    std::wstring path = data_file(L"binary.bin", request_boundary);
    auto request = post("/body/binary", input(L"UploadData", L"FILE", path));
    EXPECT_EQ(request.body, file_part(request.boundary(), "UploadData", ansi(path), request_boundary) +
                                closing(request.boundary()));
}

// Type decides between a file part and a plain part: only "file" in any case is a file.
TEST(Body, TypeChoosesThePartKind) {
    std::wstring path = data_file(L"kind.txt", "K");
    struct kind {
        const wchar_t* type;
        bool file;
    } kinds[] = {{L"FILE", true}, {L"file", true}, {L"fIlE", true}, {L" FILE", false},
                 {L"submit", false}, {L"hidden", false}, {L"", false}, {L"FILES", false}};
    for (auto [type, file] : kinds) {
        SCOPED_TRACE(ansi(type));
        auto request = post("/body/kind", input(L"f", type, path));
        std::string boundary = request.boundary();
        EXPECT_EQ(request.body, (file ? file_part(boundary, "f", ansi(path), "K") : plain_part(boundary, "f", ansi(path))) +
                                    closing(boundary));
    }
}

// Names, paths and values go in verbatim, in the ANSI code page with its replacement characters.
TEST(Body, TextIsSentVerbatimInTheAnsiCodePage) {
    std::wstring path = data_file(L"na\u00efve \u65e5\u672c.txt", "x");
    auto request = post("/body/text", input(L"", L"hidden", L"empty name") + input(L"say \"hi\"", L"submit", L"a\"b") +
                                          input(L"\u00e9t\u00e9 \u0416", L"hidden", L"caf\u00e9 \u03a9") +
                                          input(L"UploadData", L"FILE", path));
    std::string boundary = request.boundary();
    EXPECT_EQ(request.body, plain_part(boundary, "", "empty name") + crlf + plain_part(boundary, "say \"hi\"", "a\"b") +
                                crlf + plain_part(boundary, ansi(L"\u00e9t\u00e9 \u0416"), ansi(L"caf\u00e9 \u03a9")) +
                                crlf + file_part(boundary, "UploadData", ansi(path), "x") + closing(boundary));
    // Characters outside the code page arrive as its replacement, never as UTF-8.
    EXPECT_EQ(request.body.find("\xd0\x96"), std::string::npos);
    EXPECT_NE(ansi(L"\u0416"), "\xd0\x96");
}

}  // namespace
