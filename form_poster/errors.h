// The errors this module raises itself. The document's own errors count up from the object-error
// base; the last two descriptions share one number and only their texts tell them apart.
#pragma once
#include <string>
#include "com/error.h"

namespace MultiPartFormDataPost {

inline constexpr wchar_t error_source[] = L"PostMultiPartFormData";

inline constexpr long error_not_well_formed = 0x80040001;
inline constexpr long error_no_url = 0x80040002;
inline constexpr long error_incomplete = 0x80040003;

inline constexpr wchar_t no_url_description[] = L"POST Element with URL Attribute Required";
inline constexpr wchar_t user_without_password_description[] =
    L"POST Element with User Attribute Must also have Password Attribute";
inline constexpr wchar_t incomplete_input_description[] = L"Input Elements Must have Name, Type, and Value attributes";

// Raises an error with this module's source; an empty description takes the platform's text
// for the number.
[[noreturn]] inline void raise(long number, std::wstring description = {}) {
    com::raise(number, error_source, std::move(description));
}

}  // namespace MultiPartFormDataPost
