// VARIANT arguments that hold no resource, for methods that take their arguments as VARIANTs.
#pragma once
#include <windows.h>
#include <oleauto.h>

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

}  // namespace com
