// The fixed contract of the Limbrel token server: its identifiers and the interface through
// which a client calls NewGUID. A client binds to these at run time, not at link time.
#pragma once
#include <windows.h>
#include <oaidl.h>

namespace limbrel {

inline constexpr GUID LIBID_Limbrel = {0x26B62A6E, 0x7A59, 0x4AAC, {0x8B, 0xCD, 0x92, 0xFD, 0xC0, 0x97, 0x4D, 0x19}};
inline constexpr CLSID CLSID_GUID = {0xE99F16B1, 0xB6A1, 0x420B, {0x8F, 0xB6, 0x75, 0xD7, 0x46, 0x06, 0x29, 0x48}};
inline constexpr IID IID__GUID = {0xF23D4B77, 0xE121, 0x4E8C, {0x97, 0xA0, 0xBC, 0xBC, 0x69, 0x11, 0x40, 0xDE}};
inline constexpr DISPID DISPID_NewGUID = 0x60030000;

// The interface the type library names _GUID; in code that name belongs to the platform's
// GUID structure. NewGUID is the first entry after IDispatch's seven (byte offset 28).
struct IGUID : IDispatch {
    virtual HRESULT STDMETHODCALLTYPE NewGUID(BSTR* token) = 0;
};

}  // namespace limbrel

__CRT_UUID_DECL(limbrel::IGUID, 0xF23D4B77, 0xE121, 0x4E8C, 0x97, 0xA0, 0xBC, 0xBC, 0x69, 0x11, 0x40, 0xDE)
