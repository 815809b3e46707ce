#include "unique.h"
#include <new>

namespace com {

unique_bstr make_bstr(std::wstring_view text) {
    unique_bstr result(SysAllocStringLen(text.data(), UINT(text.size())));
    if (!result) throw std::bad_alloc();
    return result;
}

}  // namespace com
