#include "MultiPartFormDataPost.h"
#include <new>
#include "body_builder.h"
#include "boundary.h"
#include "errors.h"
#include "file_slot.h"
#include "http_request.h"
#include "request_document.h"
#include "result_document.h"
#include "send_room.h"

namespace MultiPartFormDataPost {
namespace {

std::wstring post(const std::wstring& request_text, const std::wstring& cookie) {
    auto document = load_request(request_text);
    post_target target = read_target(document.get());
    refuse_line_breaks(cookie);

    auto request = open_post(target);
    std::wstring boundary = new_boundary();
    set_headers(request.get(), boundary, cookie);

    body_builder body(boundary);
    auto inputs = select_inputs(document.get());
    while (auto field = next_input(inputs.get())) {
        if (field->is_file())
            body.append_file_part(field->Name, field->value);
        else
            body.append_plain_part(field->Name, field->value);
    }
    body.append_closing_delimiter();

    ensure_room_to_send(body.size());
    send(request.get(), body.bytes().get());
    return result_document(request.get());
}

}  // namespace

std::wstring PostMultiPartFormData(const std::wstring& request, const std::wstring& cookie) {
    try {
        return post(request, cookie);
    } catch (const std::bad_alloc&) {
        raise(com::error_out_of_memory);
    }
}

void CloseFileSlot() noexcept { file_slot::close(); }

}  // namespace MultiPartFormDataPost
