// The entry points of the in-process server Limbrel.dll.
#include "com/class_factory.h"
#include "com/registry.h"
#include "guid_object.h"

namespace {

const com::registry::class_entry guid_class{
    .clsid = limbrel::CLSID_GUID,
    .description = L"Limbrel.GUID",
    .progid = L"Limbrel.GUID",
    .version = L"1.0",
    .libid = limbrel::LIBID_Limbrel,
};

}  // namespace

STDAPI DllCanUnloadNow() { return com::module::can_unload(); }

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    return com::get_class_object<limbrel::GuidObject>(clsid, iid, out);
}

STDAPI DllRegisterServer() {
    return com::boundary([] {
        com::registry::register_class(guid_class);
        com::registry::register_type_library();
    });
}

STDAPI DllUnregisterServer() {
    return com::boundary([] {
        com::registry::unregister_type_library();
        com::registry::unregister_class(guid_class);
    });
}
