// Uploading every listed file, one post per file. A failing step is reported to the user and
// the batch goes on with the step that follows it.
#include <msxml2.h>
#include "com/arguments.h"
#include "com/error.h"
#include "com/ptr.h"
#include "com/unique.h"
#include "ferrolan.h"
#include "form_poster/msxml_contract.h"

namespace norvat {
namespace {

const wchar_t* const caption = L"Upload Files";

// The platform's number for a call on an object that does not exist.
constexpr long error_object_not_set = 91;

com::ptr<IXMLDOMElement> element(IXMLDOMDocument* document, const wchar_t* name) {
    com::ptr<IXMLDOMElement> created;
    com::throw_if_failed(document->createElement(com::make_bstr(name).get(), created.put()));
    return created;
}

void set_attribute(IXMLDOMElement* target, const wchar_t* name, const std::wstring& value) {
    com::throw_if_failed(target->setAttribute(com::make_bstr(name).get(), com::text_argument(value)));
}

// Replaces the document's root with the request for one file and returns its XML text.
std::wstring write_request(IXMLDOMDocument* document, const std::wstring& url, const std::wstring& path) {
    if (!document) com::raise(error_object_not_set, L"UploadFiles", L"Object variable or With block variable not set");
    auto post = element(document, L"POST");
    com::throw_if_failed(document->putref_documentElement(post.get()));
    set_attribute(post.get(), L"URL", url);
    const std::pair<const wchar_t*, const wchar_t*> fields[] = {
        {L"FILE", L"UploadData"}, {L"submit", L"btnSubmit"}, {L"hidden", L"FormName"}};
    const std::wstring values[] = {path, L"Upload", L"VizaraRodode"};
    for (size_t i = 0; i < 3; ++i) {
        auto input = element(document, L"Input");
        set_attribute(input.get(), L"Type", fields[i].first);
        set_attribute(input.get(), L"Name", fields[i].second);
        com::throw_if_failed(input->put_text(com::make_bstr(values[i]).get()));
        com::throw_if_failed(post->appendChild(input.get(), nullptr));
    }
    com::unique_bstr xml;
    com::throw_if_failed(document->get_xml(xml.put()));
    return std::wstring(com::view(xml.get()));
}

struct server_answer {
    long status;
    std::wstring status_text;
};

// The status that the result document of a post carries.
server_answer read_result(const std::wstring& result) {
    auto document = com::create<IXMLDOMDocument>(MultiPartFormDataPost::CLSID_DOMDocument26);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    com::throw_if_failed(document->loadXML(com::make_bstr(result).get(), &loaded));
    com::ptr<IXMLDOMElement> root;
    if (!loaded || document->get_documentElement(root.put()) != S_OK)
        com::raise(E_UNEXPECTED, L"UploadFiles", L"The form poster's result could not be read");
    server_answer answer{};
    com::unique_variant status, text;
    com::throw_if_failed(root->getAttribute(com::make_bstr(L"Status").get(), &status));
    com::throw_if_failed(root->getAttribute(com::make_bstr(L"StatusText").get(), &text));
    com::throw_if_failed(VariantChangeType(&status, &status, 0, VT_I4));
    if (text.vt == VT_BSTR) answer.status_text = com::view(text.bstrVal);
    answer.status = status.lVal;
    return answer;
}

}  // namespace

void Ferrolan::UploadFiles() {
    long pass = 0;  // the entry the failure handler names
    // Runs one step. A failure is shown and cleared, file slot 1 is closed, and the batch goes
    // on; a failure of the handler itself ends the call.
    auto attempt = [&](auto&& step) {
        try {
            step();
            return true;
        } catch (const com::error& e) {
            if (e.number() == com::error_subscript_out_of_range)
                face_.MsgBox(face_.List(pass) + L" is empty, skipping.", Buttons::OK);
            else
                face_.MsgBox(e.description(), Buttons::OK);
        } catch (const std::bad_alloc&) {
            face_.MsgBox(com::describe(com::error_out_of_memory), Buttons::OK);
        }
        services_.CloseFileSlot();
        return false;
    };

    com::ptr<IXMLDOMDocument> request;
    attempt([&] { request = com::create<IXMLDOMDocument>(MultiPartFormDataPost::CLSID_DOMDocument26); });

    // A failing test counts as holding.
    bool empty = true;
    attempt([&] { empty = face_.ListCount() == 0; });
    if (empty) {
        attempt([&] { face_.MsgBox(L"No files listed to upload.", Buttons::OK, caption); });
        return;
    }
    bool confirmed = true;
    attempt([&] {
        confirmed = face_.MsgBox(L"Are you sure you want to upload the " + std::to_wstring(face_.ListCount()) +
                                     L" files listed?",
                                 Buttons::YesNo, caption) == Answer::Yes;
    });
    if (!confirmed) return;

    // From the hourglass on, the face is restored on every way out.
    struct busy_face {
        Face& face;
        bool busy = true;
        ~busy_face() {
            if (!busy) return;
            try {
                face.ShowUploadLabel(false);
                face.SetPointer(Pointer::Default);
            } catch (...) {
            }
        }
    } busy{face_};
    attempt([&] { face_.SetPointer(Pointer::Hourglass); });
    attempt([&] { face_.ShowUploadLabel(true); });
    attempt([&] { face_.DoEvents(); });

    long uploaded = 0, bound = 0;
    attempt([&] { bound = face_.ListCount(); });
    for (pass = 0; pass <= bound; ++pass) {
        bool listed = true;
        attempt([&] { listed = pass < face_.ListCount(); });
        if (listed) {
            std::wstring entry, xml;
            bool written = attempt([&] {
                entry = face_.List(pass);
                xml = write_request(request.get(), settings_.URLStr, entry);
            });
            // A file counts once its post completed and the server took it.
            if (written) {
                attempt([&] {
                    auto answer = read_result(services_.PostMultiPartFormData(xml, settings_.CookieStr));
                    if (answer.status >= 400)
                        face_.MsgBox(entry + L" was not uploaded: the server answered " + std::to_wstring(answer.status) +
                                         L" " + answer.status_text + L".",
                                     Buttons::OK);
                    else
                        ++uploaded;
                });
            }
        }
        attempt([&] { face_.SetProgressCaption(std::to_wstring(uploaded) + L"/" + std::to_wstring(face_.ListCount())); });
        attempt([&] { face_.DoEvents(); });
    }

    attempt([&] { face_.ShowUploadLabel(false); });
    attempt([&] { face_.SetPointer(Pointer::Default); });
    busy.busy = false;
    attempt([&] {
        face_.MsgBox(std::to_wstring(uploaded) + L" of " + std::to_wstring(face_.ListCount()) + L" files uploaded.",
                     Buttons::OK, caption);
    });
}

}  // namespace norvat
