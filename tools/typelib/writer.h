// Writes a type library with exactly the content given, through the platform's
// ICreateTypeLib2. Each library's description is a small program built on this.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <initializer_list>
#include <string>
#include <vector>
#include "com/ptr.h"

namespace typelib {

// One parameter of a method: its type (VT_PTR-wrapped when by reference) and its flags.
// A VT_USERDEFINED parameter names its type in user_type.
struct parameter {
    VARTYPE type;
    bool by_reference;
    USHORT flags;  // PARAMFLAG_*
    ITypeInfo* user_type = nullptr;
};

// The out-parameter that carries a method's result.
inline parameter retval(VARTYPE type) { return {type, true, PARAMFLAG_FOUT | PARAMFLAG_FRETVAL}; }

class type {
public:
    type(com::ptr<ICreateTypeInfo2> info, TYPEKIND kind, UINT flags)
        : info_(std::move(info)), kind_(kind), flags_(flags) {}

    // Adds a method returning HRESULT, standard calling convention, to an interface.
    type& method(MEMBERID id, const std::wstring& name, std::vector<parameter> parameters = {},
                 std::vector<std::wstring> parameter_names = {});
    // Adds the implemented (or, for an interface, the base) type with IMPLTYPEFLAG_* flags.
    type& implements(ITypeInfo* implemented, int flags = 0);

    ITypeInfo* info() const;
    ICreateTypeInfo2* create() const { return info_.get(); }
    TYPEKIND kind() const { return kind_; }
    UINT flags() const { return flags_; }

private:
    com::ptr<ICreateTypeInfo2> info_;
    TYPEKIND kind_;
    UINT flags_;
    UINT methods_ = 0, implemented_ = 0;
};

class library {
public:
    library(const std::wstring& path, const std::wstring& name, REFGUID libid, WORD major, WORD minor);

    library& flags(UINT flags);
    library& help_string(const std::wstring& text);

    // A type of another, existing library, by its GUID or by its name; the library is
    // imported on first use. The written library keeps only the imported file's name, as
    // MIDL does: clients look the imported library up in the registry by its LIBID first.
    com::ptr<ITypeInfo> import(const std::wstring& library_path, REFGUID type);
    com::ptr<ITypeInfo> import(const std::wstring& library_path, const std::wstring& type_name);

    // Types are numbered in the order these are called.
    type add(const std::wstring& name, TYPEKIND kind, REFGUID guid, UINT flags, WORD major = 1, WORD minor = 0);

    // Lays out every type and writes the file.
    void save(std::initializer_list<type*> types);

private:
    com::ptr<ITypeLib> load_import(const std::wstring& library_path);

    com::ptr<ICreateTypeLib2> library_;
    std::vector<com::ptr<ITypeLib>> imports_;
};

// Each generator program defines this: it writes its library to output. Further arguments
// name folders where imported libraries are found.
void write_library(const std::wstring& output, const std::vector<std::wstring>& arguments);

}  // namespace typelib
