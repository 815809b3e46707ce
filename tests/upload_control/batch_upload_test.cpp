// UploadFiles over a scripted face and poster: confirmation, one request document and one post
// per file, progress, failures and the summary.
#include <windows.h>
#include <gtest/gtest.h>
#include <msxml2.h>
#include "com/object.h"
#include "com/ptr.h"
#include "com/unique.h"
#include "fake_face.h"
#include "form_poster/msxml_contract.h"

namespace {

using norvat::Answer;
using norvat::Buttons;
using norvat::Pointer;
using Strings = std::vector<std::wstring>;
using fake::Message;

const std::optional<std::wstring> upload_files = L"Upload Files";

Message confirm(int count) {
    return {L"Are you sure you want to upload the " + std::to_wstring(count) + L" files listed?", Buttons::YesNo, upload_files};
}
Message summary(int uploaded, int listed) {
    return {std::to_wstring(uploaded) + L" of " + std::to_wstring(listed) + L" files uploaded.", Buttons::OK, upload_files};
}
Message shown(const std::wstring& text) { return {text, Buttons::OK, std::nullopt}; }

// One request document as the poster reads it.
struct request {
    size_t roots = 0;
    std::wstring root, url;
    std::vector<Strings> inputs;  // Type, Name, text of each child of the root
};

std::wstring attribute(IXMLDOMNode* node, const wchar_t* name) {
    com::ptr<IXMLDOMNode> found;
    if (node->selectSingleNode(com::make_bstr(std::wstring(L"@") + name).get(), found.put()) != S_OK) return L"(none)";
    com::unique_bstr text;
    found->get_text(text.put());
    return std::wstring(com::view(text.get()));
}

request parse(const std::wstring& xml) {
    auto document = com::create<IXMLDOMDocument>(MultiPartFormDataPost::CLSID_DOMDocument26);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    EXPECT_EQ(document->loadXML(com::make_bstr(xml).get(), &loaded), S_OK);
    request result;
    com::ptr<IXMLDOMNodeList> roots, children;
    document->selectNodes(com::make_bstr(L"/*").get(), roots.put());
    long count = 0;
    roots->get_length(&count);
    result.roots = size_t(count);
    com::ptr<IXMLDOMElement> root;
    if (document->get_documentElement(root.put()) != S_OK) return result;
    com::unique_bstr name;
    root->get_nodeName(name.put());
    result.root = com::view(name.get());
    result.url = attribute(root.get(), L"URL");
    root->selectNodes(com::make_bstr(L"*").get(), children.put());
    children->get_length(&count);
    for (long i = 0; i < count; ++i) {
        com::ptr<IXMLDOMNode> child;
        children->get_item(i, child.put());
        com::unique_bstr child_name, text;
        child->get_nodeName(child_name.put());
        child->get_text(text.put());
        result.inputs.push_back({std::wstring(com::view(child_name.get())), attribute(child.get(), L"Type"),
                                 attribute(child.get(), L"Name"), std::wstring(com::view(text.get()))});
    }
    return result;
}

// A control loaded with its upload address and cookie, listing some files.
struct Batch : fake::Control {
    class PropertyBagStub : public com::implements<IPropertyBag> {
    public:
        HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) noexcept override {
            std::wstring_view n(name);
            const wchar_t* text = n == L"URLStr" ? L"http://host/upload.asp" : n == L"CookieStr" ? L"session=42" : nullptr;
            if (!text) return E_INVALIDARG;
            value->vt = VT_BSTR;
            value->bstrVal = SysAllocString(text);
            return S_OK;
        }
        HRESULT STDMETHODCALLTYPE Write(LPCOLESTR, VARIANT*) noexcept override { return E_NOTIMPL; }
    };

    explicit Batch(Strings listed) {
        face.entries = std::move(listed);
        auto settings = com::make<PropertyBagStub>();
        control.ReadProperties(settings.get());
    }
    // The file paths posted, in order, after checking each request document's shape.
    Strings posted() {
        Strings paths;
        for (auto& [xml, cookie] : services.posts) {
            EXPECT_EQ(cookie, L"session=42");
            auto r = parse(xml);
            EXPECT_EQ(r.roots, 1u);
            EXPECT_EQ(r.root, L"POST");
            EXPECT_EQ(r.url, L"http://host/upload.asp");
            if (r.inputs.size() != 3) {
                ADD_FAILURE() << "request with " << r.inputs.size() << " children";
                continue;
            }
            EXPECT_EQ(r.inputs[1], (Strings{L"Input", L"submit", L"btnSubmit", L"Upload"}));
            EXPECT_EQ(r.inputs[2], (Strings{L"Input", L"hidden", L"FormName", L"VizaraRodode"}));
            EXPECT_EQ(r.inputs[0][0], L"Input");
            EXPECT_EQ(r.inputs[0][1], L"FILE");
            EXPECT_EQ(r.inputs[0][2], L"UploadData");
            paths.push_back(r.inputs[0][3]);
        }
        return paths;
    }

};

const Strings three = {L"C:\\Data\\a.txt", L"C:\\Data\\b.txt", L"C:\\Data\\c.txt"};

TEST(UploadFiles, AnEmptyListOnlySaysSo) {
    Batch b({});
    b.face.caption = L"0/0";
    b.control.UploadFiles();
    EXPECT_EQ(b.face.messages, (std::vector<Message>{{L"No files listed to upload.", Buttons::OK, upload_files}}));
    EXPECT_TRUE(b.services.posts.empty());
    EXPECT_TRUE(b.face.captions.empty());
    EXPECT_EQ(b.face.yields, 0);
    EXPECT_EQ(b.face.pointer, Pointer::Default);
    EXPECT_FALSE(b.face.upload_label_visible);
}

TEST(UploadFiles, AnsweringNoPostsNothing) {
    Batch b(three);
    b.face.answers = {Answer::No};
    b.control.UploadFiles();
    EXPECT_EQ(b.face.messages, std::vector<Message>{confirm(3)});
    EXPECT_TRUE(b.services.posts.empty());
    EXPECT_TRUE(b.face.captions.empty());
    EXPECT_EQ(b.face.yields, 0);
}

TEST(UploadFiles, PostsEveryEntryInOrderUnderTheHourglass) {
    Batch b(three);
    std::vector<std::pair<Pointer, bool>> during;
    b.services.answer = [&](const std::wstring&) {
        during.emplace_back(b.face.pointer, b.face.upload_label_visible);
        return L"<HTTP Status=\"200\" StatusText=\"OK\"/>";
    };
    b.control.UploadFiles();
    EXPECT_EQ(b.posted(), three);
    EXPECT_EQ(b.face.captions, (Strings{L"1/3", L"2/3", L"3/3", L"3/3"}));
    EXPECT_EQ(b.face.messages, (std::vector<Message>{confirm(3), summary(3, 3)}));
    EXPECT_EQ(during, (std::vector<std::pair<Pointer, bool>>(3, {Pointer::Hourglass, true})));
    EXPECT_EQ(b.face.yields, 5);  // before the loop and after each of the four passes
    EXPECT_EQ(b.face.entries, three);
    EXPECT_EQ(b.face.pointer, Pointer::Default);
    EXPECT_FALSE(b.face.upload_label_visible);
}

TEST(UploadFiles, AFileCountsOnlyWhenItsPostCompletedAndTheServerTookIt) {
    struct row {
        const char* what;
        std::function<std::wstring()> second_post;
        std::wstring message;
        int closes;
    } rows[] = {
        {"an empty file", [] { throw com::error(9, L"PostMultiPartFormData", L"Subscript out of range"); return L""; },
         L"C:\\Data\\b.txt is empty, skipping.", 1},
        {"a post that cannot be sent",
         [] { throw com::error(HRESULT(0x800C0008), L"msxml3.dll", L"The server could not be reached"); return L""; },
         L"The server could not be reached", 1},
        {"a server error", [] { return L"<HTTP Status=\"500\" StatusText=\"Internal Server Error\"/>"; },
         L"C:\\Data\\b.txt was not uploaded: the server answered 500 Internal Server Error.", 0},
        {"a refused request", [] { return L"<HTTP Status=\"400\" StatusText=\"Bad Request\"/>"; },
         L"C:\\Data\\b.txt was not uploaded: the server answered 400 Bad Request.", 0},
    };
    for (auto& r : rows) {
        SCOPED_TRACE(r.what);
        Batch b(three);
        b.services.answer = [&](const std::wstring& xml) {
            return parse(xml).inputs[0][3] == three[1] ? r.second_post() : L"<HTTP Status=\"200\" StatusText=\"OK\"/>";
        };
        b.control.UploadFiles();
        EXPECT_EQ(b.posted(), three);
        EXPECT_EQ(b.face.captions, (Strings{L"1/3", L"1/3", L"2/3", L"2/3"}));
        EXPECT_EQ(b.face.messages, (std::vector<Message>{confirm(3), shown(r.message), summary(2, 3)}));
        EXPECT_EQ(b.services.slot_closes, r.closes);
        EXPECT_EQ(b.face.pointer, Pointer::Default);
        EXPECT_FALSE(b.face.upload_label_visible);
    }
}

TEST(UploadFiles, StatusesBelow400CountAsUploaded) {
    for (const wchar_t* answer : {L"<HTTP Status=\"302\" StatusText=\"Found\"/>", L"<HTTP Status=\"399\" StatusText=\"\"/>"}) {
        Batch b({L"C:\\a.txt"});
        b.services.answer = [&](const std::wstring&) { return answer; };
        b.control.UploadFiles();
        EXPECT_EQ(b.face.messages, (std::vector<Message>{confirm(1), summary(1, 1)}));
    }
}

TEST(UploadFiles, PathsThatXmlMustEscapeReachThePostIntact) {
    const Strings odd = {L"C:\\R&D\\a<b>.txt", L"C:\\\"quoted\" 'and' &amp;.txt", L"C:\\Daten\\Gr\u00FC\u00DFe \u4E2D.txt"};
    Batch b(odd);
    b.control.UploadFiles();
    EXPECT_EQ(b.posted(), odd);
}

TEST(UploadFiles, ReadsTheListAfreshAfterEveryYield) {
    struct row {
        const char* what;
        Strings listed;
        int change_at_yield;
        std::function<void(fake::Face&)> change;
        Strings posted;
        Strings captions;
        Message last;
    } rows[] = {
        {"the first entry removed after its post", three, 2, [](fake::Face& f) { f.RemoveItem(0); },
         {three[0], three[2]}, {L"1/3", L"2/2", L"2/2", L"2/2"}, summary(2, 2)},
        {"an entry added before the last pass", {three[0], three[1]}, 3, [](fake::Face& f) { f.AddItem(L"C:\\new.txt"); },
         {three[0], three[1], L"C:\\new.txt"}, {L"1/2", L"2/2", L"3/3"}, summary(3, 3)},
        {"two entries added: only the one at the loop bound is posted", {three[0]}, 2,
         [](fake::Face& f) {
             f.AddItem(L"C:\\x.txt");
             f.AddItem(L"C:\\y.txt");
         },
         {three[0], L"C:\\x.txt"}, {L"1/1", L"2/3"}, summary(2, 3)},
        {"every entry removed before the loop bound is read", three, 1, [](fake::Face& f) { f.entries.clear(); }, {},
         {L"0/0"}, summary(0, 0)},
        {"every entry removed after the first post", three, 2, [](fake::Face& f) { f.entries.clear(); }, {three[0]},
         {L"1/3", L"1/0", L"1/0", L"1/0"}, summary(1, 0)},
    };
    for (auto& r : rows) {
        SCOPED_TRACE(r.what);
        Batch b(r.listed);
        b.face.on_yield = [&] {
            if (b.face.yields == r.change_at_yield) r.change(b.face);
        };
        b.control.UploadFiles();
        EXPECT_EQ(b.posted(), r.posted);
        EXPECT_EQ(b.face.captions, r.captions);
        EXPECT_EQ(b.face.messages.back(), r.last);
    }
}

TEST(UploadFiles, ASecondCallDuringAYieldRunsItsWholeBatchThere) {
    Batch b({three[0], three[1]});
    b.face.on_yield = [&] {
        if (b.face.yields == 1) b.control.UploadFiles();
    };
    b.control.UploadFiles();
    EXPECT_EQ(b.posted(), (Strings{three[0], three[1], three[0], three[1]}));
    EXPECT_EQ(b.face.messages, (std::vector<Message>{confirm(2), confirm(2), summary(2, 2), summary(2, 2)}));
    EXPECT_EQ(b.face.pointer, Pointer::Default);
    EXPECT_FALSE(b.face.upload_label_visible);
}

TEST(UploadFiles, TheFaceIsRestoredWhenTheFailureHandlerItselfFails) {
    Batch b(three);
    b.services.answer = [](const std::wstring&) -> std::wstring { throw com::error(E_FAIL, L"x", L"post failed"); };
    b.face.on_message = [](const Message& m) {
        if (m.prompt == L"post failed") throw com::error(E_OUTOFMEMORY, L"MsgBox", L"no room for a message box");
    };
    EXPECT_THROW(b.control.UploadFiles(), com::error);
    EXPECT_EQ(b.services.posts.size(), 1u);
    EXPECT_EQ(b.face.pointer, Pointer::Default);
    EXPECT_FALSE(b.face.upload_label_visible);
}

}  // namespace
