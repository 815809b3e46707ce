// Uploading every listed file, one post per file. A failing step is reported to the user and
// the batch goes on with the step that follows it.
#include <msxml2.h>
#include "com/error.h"
#include "com/ptr.h"
#include "com/unique.h"
#include "ferrolan.h"
#include "form_poster/msxml_dom.h"
#include "form_poster/result_document.h"

namespace norvat {
namespace {

namespace dom = MultiPartFormDataPost::dom;
using MultiPartFormDataPost::read_result_document;

const wchar_t* const caption = L"Upload Files";

// The platform's number for a call on an object that does not exist.
constexpr long error_object_not_set = 91;

// Replaces the document's root with the request for one file and returns its XML text.
std::wstring write_request(IXMLDOMDocument* document, const std::wstring& url, const std::wstring& path) {
    if (!document) com::raise(error_object_not_set, L"UploadFiles", L"Object variable or With block variable not set");
    auto post = dom::create_element(document, L"POST");
    com::throw_if_failed(document->putref_documentElement(post.get()));
    dom::set_attribute(post.get(), L"URL", url);
    const struct {
        const wchar_t* type;
        const wchar_t* name;
        std::wstring text;
    } inputs[] = {{L"FILE", L"UploadData", path}, {L"submit", L"btnSubmit", L"Upload"}, {L"hidden", L"FormName", L"VizaraRodode"}};
    for (const auto& field : inputs) {
        auto input = dom::create_element(document, L"Input");
        dom::set_attribute(input.get(), L"Type", field.type);
        dom::set_attribute(input.get(), L"Name", field.name);
        com::throw_if_failed(input->put_text(com::make_bstr(field.text).get()));
        com::throw_if_failed(post->appendChild(input.get(), nullptr));
    }
    return dom::xml_of(document);
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
    attempt([&] { request = dom::create_document(); });

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
                    auto answer = read_result_document(services_.PostMultiPartFormData(xml, settings_.CookieStr));
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
