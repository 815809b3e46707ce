#include "send_room.h"
#include <string>
#include "com/unique.h"
#include "errors.h"

namespace MultiPartFormDataPost {
namespace {

constexpr int blocks_needed = 5;  // our body, and the platform's copies with one to spare

struct reservation_traits {
    using type = void*;
    static constexpr void* invalid() noexcept { return nullptr; }
    static void close(void* place) noexcept { VirtualFree(place, 0, MEM_RELEASE); }
};
using unique_reservation = com::unique_any<reservation_traits>;

}  // namespace

void ensure_room_to_send(LONG body_size) {
    unique_reservation blocks[blocks_needed];
    for (auto& block : blocks) {
        block.reset(VirtualAlloc(nullptr, SIZE_T(body_size), MEM_RESERVE, PAGE_NOACCESS));
        if (!block)
            raise(com::error_out_of_memory, L"Out of memory: a body of " + std::to_wstring(body_size) +
                                                L" bytes is too large for this process to send");
    }
}

}  // namespace MultiPartFormDataPost
