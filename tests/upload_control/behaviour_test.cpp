// The control's behaviour over a scripted face: initialisation, settings, file selection
// and removal.
#include <windows.h>
#include <gtest/gtest.h>
#include <map>
#include "com/object.h"
#include "com/unique.h"
#include "fake_face.h"

namespace {

using norvat::Buttons;
using Entries = std::vector<std::wstring>;

// A property bag holding some values, which records the names it is asked for.
class Bag : public com::implements<IPropertyBag> {
public:
    explicit Bag(std::map<std::wstring, com::unique_bstr> values) : values_(std::move(values)) {}
    std::vector<std::wstring> asked;

    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) noexcept override {
        asked.push_back(name);
        auto found = values_.find(name);
        if (found == values_.end()) return E_INVALIDARG;
        value->vt = VT_BSTR;
        value->bstrVal = SysAllocString(found->second.get());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR, VARIANT*) noexcept override { return E_NOTIMPL; }

private:
    std::map<std::wstring, com::unique_bstr> values_;
};

com::ptr<Bag> bag(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> values) {
    std::map<std::wstring, com::unique_bstr> map;
    for (auto [name, value] : values) map.emplace(name, com::make_bstr(value));
    return com::make<Bag>(std::move(map));
}

TEST(Initialize, SetsTheToolTipAndDisablesRemove) {
    fake::Control c;
    EXPECT_EQ(c.face.tool_tip, L"List of files to upload.  Use 'Choose Files to Upload..' button to populate.");
    EXPECT_FALSE(c.face.remove_enabled);
    EXPECT_EQ(c.face.caption, L"0/0");
}

TEST(ReadProperties, ReadsTheFourNamesInOrderAndMissingOnesAsEmpty) {
    struct row {
        const char* what;
        com::ptr<Bag> bag;
        norvat::Settings expected;
    } rows[] = {
        {"all four",
         bag({{L"URLStr", L"http://h/up"}, {L"CookieStr", L"a=1"}, {L"PathStr", L"C:\\Data"}, {L"CookiePathURL", L"http://h/n"}}),
         {L"http://h/up", L"a=1", L"C:\\Data", L"http://h/n"}},
        {"only PathStr", bag({{L"PathStr", L"C:\\Temp"}}), {L"", L"", L"C:\\Temp", L""}},
        {"none", bag({}), {}},
        {"names are case-sensitive to the bag", bag({{L"urlstr", L"x"}}), {}},
    };
    for (auto& r : rows) {
        SCOPED_TRACE(r.what);
        fake::Control c;
        c.control.ReadProperties(r.bag.get());
        EXPECT_EQ(r.bag->asked, (Entries{L"URLStr", L"CookieStr", L"PathStr", L"CookiePathURL"}));
        EXPECT_EQ(c.control.settings().URLStr, r.expected.URLStr);
        EXPECT_EQ(c.control.settings().CookieStr, r.expected.CookieStr);
        EXPECT_EQ(c.control.settings().PathStr, r.expected.PathStr);
        EXPECT_EQ(c.control.settings().CookiePathURL, r.expected.CookiePathURL);
        EXPECT_EQ(c.face.caption, L"0/0");
        EXPECT_FALSE(c.face.remove_enabled);
    }
}

// A bag that answers with values of other types and fails for one name.
class OddBag : public com::implements<IPropertyBag> {
public:
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) noexcept override {
        if (std::wstring_view(name) == L"URLStr") {
            value->vt = VT_I4;
            value->lVal = 42;
            return S_OK;
        }
        if (std::wstring_view(name) == L"PathStr") return E_ACCESSDENIED;
        return E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR, VARIANT*) noexcept override { return E_NOTIMPL; }
};

TEST(ReadProperties, ConvertsValuesToTextAndStopsAtAFailingRead) {
    fake::Control c;
    auto odd = com::make<OddBag>();
    c.control.HandleEvent([&] { c.control.ReadProperties(odd.get()); });
    EXPECT_EQ(c.control.settings().URLStr, L"42");
    EXPECT_EQ(c.control.settings().CookieStr, L"");
    ASSERT_EQ(c.face.messages.size(), 1u) << "the failure is shown, not passed to the host";
    EXPECT_EQ(c.face.messages[0].buttons, Buttons::OK);
}

const wchar_t* const notify = L"http://host/notify.asp";

// A control whose settings came from a page.
struct Loaded : fake::Control {
    explicit Loaded(Entries listed = {}) {
        auto settings = bag({{L"URLStr", L"http://host/upload.asp"}, {L"PathStr", L"C:\\Start"}, {L"CookiePathURL", notify}});
        control.ReadProperties(settings.get());
        face.entries = std::move(listed);
    }
    std::wstring notification(const std::wstring& folder) const {
        return std::wstring(notify) + L"?LocalPath=" + folder + L"&Purpose=Upload";
    }
};

TEST(ChooseFiles, SetsUpTheDialogBeforeShowingIt) {
    Loaded c;
    c.dialog.FileName = L"C:\\earlier\\choice.txt";
    c.dialog.on_show = [&] {
        EXPECT_EQ(c.dialog.InitDir, L"C:\\Start");
        EXPECT_EQ(c.dialog.DialogTitle, L"Select Files to Upload");
        EXPECT_EQ(c.dialog.Flags, 0x81A00);
        EXPECT_EQ(c.dialog.Filter, L"All files (*.*)|*.*");
        EXPECT_EQ(c.dialog.MaxFileSize, 2048);
        EXPECT_FALSE(c.dialog.CancelError);
        EXPECT_EQ(c.dialog.FileName, L"C:\\earlier\\choice.txt") << "the previous choice is left alone";
    };
    c.control.ChooseFiles_Click();
    EXPECT_EQ(c.dialog.shown, 1);
}

TEST(ChooseFiles, AppendsWhatIsNotListedAndNotifiesTheFolder) {
    using namespace std::string_literals;
    struct row {
        const char* what;
        Entries listed;
        std::wstring choice;
        Entries expected;
        std::wstring folder;
    } rows[] = {
        {"one new file", {L"C:\\x.txt"}, L"C:\\Data\\a.txt", {L"C:\\x.txt", L"C:\\Data\\a.txt"}, L"C:\\Data\\"},
        {"one file already listed", {L"C:\\Data\\a.txt"}, L"C:\\Data\\a.txt", {L"C:\\Data\\a.txt"}, L""},
        {"one file without a folder", {}, L"a.txt", {L"a.txt"}, L""},
        {"several files", {}, L"C:\\Data\0a.txt\0b c.txt"s, {L"C:\\Data\\a.txt", L"C:\\Data\\b c.txt"}, L"C:\\Data\\"},
        {"several files in a drive's root", {}, L"C:\\\0a.txt\0b.txt"s, {L"C:\\a.txt", L"C:\\b.txt"}, L"C:\\"},
        {"several files, some listed",
         {L"C:\\Data\\b.txt"},
         L"C:\\Data\0a.txt\0b.txt\0c.txt"s,
         {L"C:\\Data\\b.txt", L"C:\\Data\\a.txt", L"C:\\Data\\c.txt"},
         L"C:\\Data\\"},
        {"several files, all listed", {L"C:\\D\\a", L"C:\\D\\b"}, L"C:\\D\0a\0b"s, {L"C:\\D\\a", L"C:\\D\\b"}, L"C:\\D\\"},
        {"nothing chosen", {L"C:\\x.txt"}, L"", {L"C:\\x.txt"}, L""},
        {"a name differing only in case", {L"C:\\Data\\A.txt"}, L"C:\\Data\\a.txt", {L"C:\\Data\\A.txt", L"C:\\Data\\a.txt"}, L"C:\\Data\\"},
        {"a folder with spaces and an ampersand",
         {},
         L"C:\\My Files & More\0x.txt\0y.txt"s,
         {L"C:\\My Files & More\\x.txt", L"C:\\My Files & More\\y.txt"},
         L"C:\\My Files & More\\"},
    };
    for (auto& r : rows) {
        SCOPED_TRACE(r.what);
        Loaded c(r.listed);
        c.face.caption = L"3/3";
        c.dialog.choice = r.choice;
        c.control.ChooseFiles_Click();
        EXPECT_EQ(c.face.entries, r.expected);
        EXPECT_EQ(c.face.caption, L"0/" + std::to_wstring(r.expected.size()));
        EXPECT_EQ(c.face.remove_enabled, !r.expected.empty());
        EXPECT_EQ(c.services.gets, Entries{c.notification(r.folder)});
        EXPECT_TRUE(c.face.messages.empty());
    }
}

TEST(ChooseFiles, AFailureEndsTheHandlerKeepsWhatItDidAndIsShown) {
    const com::error unreachable(HRESULT(0x800C0008), L"msxml3.dll", L"The server cannot be reached");
    struct row {
        const char* what;
        bool dialog_fails;
        Entries expected;
        std::wstring caption;
    } rows[] = {
        {"the dialog fails", true, {L"C:\\old.txt"}, L"3/3"},
        {"the notification fails", false, {L"C:\\old.txt", L"C:\\Data\\a.txt"}, L"0/2"},
    };
    for (auto& r : rows) {
        SCOPED_TRACE(r.what);
        Loaded c({L"C:\\old.txt"});
        c.face.caption = L"3/3";
        c.dialog.choice = L"C:\\Data\\a.txt";
        if (r.dialog_fails)
            c.dialog.on_show = [&] { throw unreachable; };
        else
            c.services.on_get = [&](auto&) { throw unreachable; };
        c.control.HandleEvent([&] { c.control.ChooseFiles_Click(); });
        EXPECT_EQ(c.face.entries, r.expected);
        EXPECT_EQ(c.face.caption, r.caption);
        EXPECT_EQ(c.face.messages, (std::vector<fake::Message>{{L"The server cannot be reached", Buttons::OK, {}}}));
    }
}

TEST(Remove, RemovesEverySelectedEntryAndRefreshes) {
    struct row {
        const char* what;
        size_t listed;
        std::set<int> selected;
        Entries expected;
        std::vector<int> removals;
    } rows[] = {
        {"nothing selected", 3, {}, {L"0", L"1", L"2"}, {}},
        {"every entry selected", 3, {0, 1, 2}, {}, {0, 0, 0}},
        {"positions 1 and 3 of five", 5, {1, 3}, {L"0", L"2", L"4"}, {1, 2}},
        {"an empty list", 0, {}, {}, {}},
    };
    for (auto& r : rows) {
        SCOPED_TRACE(r.what);
        fake::Control c;
        for (size_t i = 0; i < r.listed; ++i) c.face.entries.push_back(std::to_wstring(i));
        c.face.selected = r.selected;
        c.face.caption = L"3/3";
        c.control.Remove_Click();
        EXPECT_EQ(c.face.entries, r.expected);
        EXPECT_EQ(c.face.removals, r.removals);
        EXPECT_EQ(c.face.caption, L"0/" + std::to_wstring(r.expected.size()));
        EXPECT_EQ(c.face.remove_enabled, !r.expected.empty());
        EXPECT_TRUE(c.services.gets.empty());
        EXPECT_TRUE(c.face.messages.empty());
    }
}

}  // namespace
