// The module MultiPartFormDataPost: sends the form that an upload request document describes as
// one synchronous multipart/form-data POST.
#pragma once
#include <string>

namespace MultiPartFormDataPost {

// Posts the form of the request document and answers with the result document
// <HTTP Status="..." StatusText="..."/>. Every failure is raised as com::error with its number,
// source and description as they were raised. Any server answer counts as a completed post.
std::wstring PostMultiPartFormData(const std::wstring& request, const std::wstring& cookie);

// Closes file slot 1, through which a post reads its files. A caller that reports a failed
// post calls it; when nothing is open there it does nothing.
void CloseFileSlot() noexcept;

}  // namespace MultiPartFormDataPost
