// VARIANT arguments, for methods that take their arguments as VARIANTs.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <string_view>
#include "unique.h"

namespace com {

// An optional argument left out, as a caller that does not pass it leaves it.
inline VARIANT missing_argument() noexcept {
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_ERROR;
    argument.scode = DISP_E_PARAMNOTFOUND;
    return argument;
}

inline VARIANT bool_argument(bool value) noexcept {
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_BOOL;
    argument.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return argument;
}

// A text argument; it owns its BSTR.
inline unique_variant text_argument(std::wstring_view text) {
    unique_variant argument;
    argument.vt = VT_BSTR;
    argument.bstrVal = make_bstr(text).release();
    return argument;
}

}  // namespace com
