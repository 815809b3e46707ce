// The entry points of the ActiveX control server Ferrolan.ocx.
#include "com/class_factory.h"
#include "com/registry.h"
#include "ferrolan_control.h"

namespace {

static_assert(norvat::FerrolanControl::misc_status == 131473);

constexpr int toolbox_bitmap = 30000;
// The library IObjectSafetyTLB, which the class's type description refers to.
constexpr int object_safety_library = 2;

const com::registry::class_entry ferrolan_class{
    .clsid = norvat::CLSID_Ferrolan,
    .description = L"Norvat.Ferrolan",
    .progid = L"Norvat.Ferrolan",
    .version = L"1.0",
    .libid = norvat::LIBID_Norvat,
    .control = true,
    .misc_status = norvat::FerrolanControl::misc_status,
    .toolbox_bitmap = toolbox_bitmap,
};

}  // namespace

STDAPI DllCanUnloadNow() { return com::module::can_unload(); }

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    return com::get_class_object<norvat::FerrolanControl>(clsid, iid, out);
}

STDAPI DllRegisterServer() {
    return com::boundary([] {
        com::registry::register_class(ferrolan_class);
        com::registry::register_shared_type_library(object_safety_library);
        com::registry::register_type_library();
    });
}

STDAPI DllUnregisterServer() {
    return com::boundary([] {
        com::registry::unregister_type_library();
        com::registry::unregister_shared_type_library(object_safety_library);
        com::registry::unregister_class(ferrolan_class);
    });
}
