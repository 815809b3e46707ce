#include "registry.h"
#include <oleauto.h>
#include <cwchar>
#include "error.h"
#include "module.h"
#include "ptr.h"
#include "unique.h"

namespace com::registry {
namespace {

unique_hkey create(HKEY root, const std::wstring& key) {
    unique_hkey result;
    LSTATUS status = RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, result.put(), nullptr);
    if (status != ERROR_SUCCESS) throw error(HRESULT_FROM_WIN32(status), {}, {});
    return result;
}

ptr<ITypeLib> module_type_library(const std::wstring& path = module::path()) {
    ptr<ITypeLib> library;
    throw_if_failed(LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.put()));
    return library;
}

TLIBATTR attributes_of(ITypeLib* library) {
    TLIBATTR* attributes = nullptr;
    throw_if_failed(library->GetLibAttr(&attributes));
    const TLIBATTR result = *attributes;
    library->ReleaseTLibAttr(attributes);
    return result;
}

// The file that the registry names for a library's id, version and locale on 32-bit Windows.
std::optional<std::wstring> registered_file(const TLIBATTR& library) {
    wchar_t key[100];
    swprintf(key, 100, L"TypeLib\\%ls\\%x.%x\\%lx\\win32", to_string(library.guid).c_str(), library.wMajorVerNum,
             library.wMinorVerNum, static_cast<unsigned long>(library.lcid));
    wchar_t value[MAX_PATH * 2];
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CLASSES_ROOT, key, nullptr, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(value);
}

bool same_file(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

std::wstring resource_path(int resource) { return module::path() + L"\\" + std::to_wstring(resource); }

}  // namespace

void set_string(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value) {
    auto handle = create(root, key);
    LSTATUS status = RegSetValueExW(handle.get(), name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(value.c_str()),
                                    DWORD((value.size() + 1) * sizeof(wchar_t)));
    if (status != ERROR_SUCCESS) throw error(HRESULT_FROM_WIN32(status), {}, {});
}

void create_key(HKEY root, const std::wstring& key) { create(root, key); }

void delete_tree(HKEY root, const std::wstring& key) {
    LSTATUS status = RegDeleteTreeW(root, key.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) throw error(HRESULT_FROM_WIN32(status), {}, {});
    status = RegDeleteKeyW(root, key.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) throw error(HRESULT_FROM_WIN32(status), {}, {});
}

std::wstring to_string(REFGUID guid) {
    wchar_t text[40];
    StringFromGUID2(guid, text, 40);
    return text;
}

void register_class(const class_entry& entry) {
    const std::wstring clsid = to_string(entry.clsid);
    const std::wstring key = L"CLSID\\" + clsid;
    const std::wstring path = module::path();
    set_string(HKEY_CLASSES_ROOT, key, {}, entry.description);
    set_string(HKEY_CLASSES_ROOT, key + L"\\InprocServer32", {}, path);
    set_string(HKEY_CLASSES_ROOT, key + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    set_string(HKEY_CLASSES_ROOT, key + L"\\ProgID", {}, entry.progid);
    set_string(HKEY_CLASSES_ROOT, key + L"\\VERSION", {}, entry.version);
    set_string(HKEY_CLASSES_ROOT, key + L"\\TypeLib", {}, to_string(entry.libid));
    if (entry.control) create_key(HKEY_CLASSES_ROOT, key + L"\\Control");
    if (entry.misc_status) {
        set_string(HKEY_CLASSES_ROOT, key + L"\\MiscStatus", {}, L"0");
        set_string(HKEY_CLASSES_ROOT, key + L"\\MiscStatus\\1", {}, std::to_wstring(*entry.misc_status));
    }
    if (entry.toolbox_bitmap)
        set_string(HKEY_CLASSES_ROOT, key + L"\\ToolboxBitmap32", {}, path + L"," + std::to_wstring(*entry.toolbox_bitmap));
    set_string(HKEY_CLASSES_ROOT, entry.progid, {}, entry.description);
    set_string(HKEY_CLASSES_ROOT, entry.progid + L"\\CLSID", {}, clsid);
}

void unregister_class(const class_entry& entry) {
    delete_tree(HKEY_CLASSES_ROOT, L"CLSID\\" + to_string(entry.clsid));
    delete_tree(HKEY_CLASSES_ROOT, entry.progid);
}

void register_type_library() {
    std::wstring path = module::path();
    throw_if_failed(RegisterTypeLib(module_type_library().get(), path.data(), nullptr));
}

void unregister_type_library() {
    const TLIBATTR attr = attributes_of(module_type_library().get());

    unique_bstr registered_path;
    if (QueryPathOfRegTypeLib(attr.guid, attr.wMajorVerNum, attr.wMinorVerNum, attr.lcid, registered_path.put()) ==
        TYPE_E_LIBNOTREGISTERED)
        return;  // nothing to remove
    throw_if_failed(UnRegisterTypeLib(attr.guid, attr.wMajorVerNum, attr.wMinorVerNum, attr.lcid, attr.syskind));
}

void register_shared_type_library(int resource) {
    std::wstring path = resource_path(resource);
    auto library = module_type_library(path);
    auto registered = registered_file(attributes_of(library.get()));
    if (registered && !same_file(*registered, path)) return;  // another module's registration
    throw_if_failed(RegisterTypeLib(library.get(), path.data(), nullptr));
}

void unregister_shared_type_library(int resource) {
    const std::wstring path = resource_path(resource);
    const TLIBATTR attr = attributes_of(module_type_library(path).get());
    auto registered = registered_file(attr);
    if (!registered || !same_file(*registered, path)) return;  // not ours to remove
    throw_if_failed(UnRegisterTypeLib(attr.guid, attr.wMajorVerNum, attr.wMinorVerNum, attr.lcid, attr.syskind));
}

}  // namespace com::registry
