// Self-registration of an in-process server: its classes under HKEY_CLASSES_ROOT and its
// embedded type library, and the exact removal of both.
#pragma once
#include <windows.h>
#include <optional>
#include <string>
#include <string_view>

namespace com::registry {

// Writes a string value, creating the key path as needed. An empty name sets the default value.
void set_string(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value);
// Creates a key with no values.
void create_key(HKEY root, const std::wstring& key);
// Removes a key and everything below it; a key that does not exist is no failure.
void delete_tree(HKEY root, const std::wstring& key);

std::wstring to_string(REFGUID guid);

struct class_entry {
    CLSID clsid;
    std::wstring description;
    std::wstring progid;
    std::wstring version;  // e.g. "1.0"
    GUID libid;
    // ActiveX controls only.
    bool control = false;
    std::optional<DWORD> misc_status;
    std::optional<int> toolbox_bitmap;  // resource id of the module's toolbox bitmap
};

// Registers an in-process, apartment-threaded class of this module.
void register_class(const class_entry& entry);
void unregister_class(const class_entry& entry);

// Registers the module's resource TYPELIB 1, or removes its registration.
void register_type_library();
void unregister_type_library();

// A library that other modules may carry and register too, held as the module's resource
// TYPELIB `resource`: registered only when its id and version are not registered for another
// file, and unregistered only while the registration still names this module's copy.
void register_shared_type_library(int resource);
void unregister_shared_type_library(int resource);

}  // namespace com::registry
