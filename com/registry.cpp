#include "registry.h"
#include <oleauto.h>
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

ptr<ITypeLib> module_type_library() {
    ptr<ITypeLib> library;
    throw_if_failed(LoadTypeLibEx(module::path().c_str(), REGKIND_NONE, library.put()));
    return library;
}

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
    auto library = module_type_library();
    TLIBATTR* attributes = nullptr;
    throw_if_failed(library->GetLibAttr(&attributes));
    const TLIBATTR attr = *attributes;
    library->ReleaseTLibAttr(attributes);

    unique_bstr registered_path;
    if (QueryPathOfRegTypeLib(attr.guid, attr.wMajorVerNum, attr.wMinorVerNum, attr.lcid, registered_path.put()) ==
        TYPE_E_LIBNOTREGISTERED)
        return;  // nothing to remove
    throw_if_failed(UnRegisterTypeLib(attr.guid, attr.wMajorVerNum, attr.wMinorVerNum, attr.lcid, attr.syskind));
}

}  // namespace com::registry
