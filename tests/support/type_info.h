// What a client reads of a type library: attributes and names, copied out of the library.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <string>
#include "com/ptr.h"

namespace facts {

// Loads a type library without registering it.
com::ptr<ITypeLib> load_type_library(const std::wstring& path);

TLIBATTR attributes(ITypeLib* library);
TYPEATTR attributes(ITypeInfo* info);

// The name of a type, or of one of its members.
std::wstring name_of(ITypeInfo* info, MEMBERID id = MEMBERID_NIL);

}  // namespace facts
