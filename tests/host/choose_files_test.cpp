// The real control in the real host: files chosen through the real Open dialog, listed,
// removed, and the folder notification that reaches a loopback receiver.
#include <windows.h>
#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include "host_run.h"
#include "support/module_facts.h"

namespace {

namespace fs = std::filesystem;
using host_run::run;

// Percent-decodes a request target as the server reads it.
std::string decoded(const std::string& target) {
    std::string result;
    for (size_t i = 0; i < target.size(); ++i) {
        if (target[i] == '%' && i + 2 < target.size()) {
            result += char(std::stoi(target.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            result += target[i];
        }
    }
    return result;
}

// The target of the request line the receiver recorded for a path.
std::string target_of(const std::wstring& name) {
    std::string request = host_run::recorded(name);
    size_t space = request.find(' '), second = request.find(' ', space + 1);
    return request.substr(0, space) + " " + decoded(request.substr(space + 1, second - space - 1));
}

std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

class ChooseFiles : public testing::Test {
protected:
    void SetUp() override {
        folder = fs::path(facts::windows_path(SAMPLES_DIR)) / L"My Files & More";
        fs::create_directories(folder);
        for (auto name : {L"a.txt", L"b.txt"}) std::ofstream(folder / name) << "sample";
    }
    std::wstring path(const wchar_t* name) const { return (folder / name).wstring(); }
    std::wstring notify(const std::wstring& name) const { return host_run::receiver_address() + L"/" + name; }

    fs::path folder;
};

TEST_F(ChooseFiles, ListsTheChosenFilesAndNotifiesTheirFolder) {
    auto host = run({L"--param", L"PathStr=" + folder.wstring(), L"--param", L"CookiePathURL=" + notify(L"several"),
                     L"--choose", L"\"a.txt\" \"b.txt\"", L"--list"});
    EXPECT_EQ(host.exit_code, 0u);
    EXPECT_TRUE(host.has(L"safe for scripting: yes, safe for initialising: yes"));
    EXPECT_TRUE(host.has(L"dialog: Select Files to Upload"));
    EXPECT_EQ(host.starting(L"progress: "), std::vector<std::wstring>{L"progress: 0/2"});
    EXPECT_EQ(host.starting(L"listed: "), (std::vector<std::wstring>{L"listed: " + path(L"a.txt"), L"listed: " + path(L"b.txt")}));
    EXPECT_TRUE(host.starting(L"message").empty());
    EXPECT_EQ(target_of(L"several"), "GET /several?LocalPath=" + narrow(folder.wstring()) + "\\&Purpose=Upload");
}

TEST_F(ChooseFiles, AListedFileIsNotAddedTwiceAndRemoveEmptiesTheList) {
    auto host = run({L"--param", L"PathStr=" + folder.wstring(), L"--param", L"CookiePathURL=" + notify(L"single"),
                     L"--choose", L"\"a.txt\"", L"--list", L"--choose", L"\"a.txt\"", L"--select", L"0", L"--remove",
                     L"--list"});
    EXPECT_EQ(host.exit_code, 0u);
    EXPECT_EQ(host.starting(L"listed: "), std::vector<std::wstring>{L"listed: " + path(L"a.txt")});
    EXPECT_EQ(host.starting(L"progress: "), (std::vector<std::wstring>{L"progress: 0/1", L"progress: 0/1", L"progress: 0/0"}));
    // The second choice added nothing, so it reported no folder.
    EXPECT_EQ(target_of(L"single"), "GET /single?LocalPath=&Purpose=Upload");
}

TEST_F(ChooseFiles, SettingsComeFromThePagesObjectElement) {
    fs::path page = folder.parent_path() / L"page.html";
    std::ofstream(page) << "<html><body><object classid=\"clsid:0DD23DB8-57F3-4314-A00F-29784811853E\">\n"
                        << "<param name=\"PathStr\" value=\"" << narrow(folder.wstring()) << "\">\n"
                        << "<param name=\"CookiePathURL\" value=\"" << narrow(notify(L"page")) << "?site=a&amp;b\">\n"
                        << "</object></body></html>\n";
    auto host = run({L"--page", page.wstring(), L"--choose", L"\"b.txt\"", L"--list"});
    EXPECT_EQ(host.starting(L"listed: "), std::vector<std::wstring>{L"listed: " + path(L"b.txt")});
    EXPECT_EQ(target_of(L"page"), "GET /page?site=a&b?LocalPath=" + narrow(folder.wstring()) + "\\&Purpose=Upload");
}

TEST_F(ChooseFiles, FailuresAreShownAndTheHostGoesOn) {
    // Names that together need more than the dialog's 2048 characters.
    std::wstring names;
    for (int i = 0; i < 30; ++i) {
        std::wstring name = L"a file with a long name, long enough to fill the room quickly " + std::to_wstring(i) + L".txt";
        std::ofstream(folder / name) << i;
        names += L"\"" + name + L"\" ";
    }
    auto host = run({L"--param", L"PathStr=" + folder.wstring(), L"--param", L"CookiePathURL=http://127.0.0.1:1/unreachable",
                     L"--choose", names, L"--list", L"--choose", L"\"a.txt\"", L"--list"});
    EXPECT_EQ(host.exit_code, 0u);
    EXPECT_EQ(host.starting(L"message"),
              (std::vector<std::wstring>{
                  L"message [Norvat]: The names of the chosen files do not fit in 2048 characters. Choose fewer files at a time.",
                  L"message [Norvat]: The server could not be reached or the transfer failed"}));
    // The oversized choice listed nothing; the unreachable server left the new entry listed.
    EXPECT_EQ(host.starting(L"listed: "), std::vector<std::wstring>{L"listed: " + path(L"a.txt")});
}

}  // namespace
