#include "dispatch.h"
#include "module.h"

namespace com {

ptr<ITypeInfo> module_type_info(REFIID iid) {
    ptr<ITypeLib> library;
    throw_if_failed(LoadTypeLibEx(module::path().c_str(), REGKIND_NONE, library.put()));
    ptr<ITypeInfo> info;
    throw_if_failed(library->GetTypeInfoOfGuid(iid, info.put()));
    // A dual interface is described twice; calls go through the virtual table's description.
    HREFTYPE vtable = 0;
    ptr<ITypeInfo> interface_info;
    if (SUCCEEDED(info->GetRefTypeOfImplType(-1, &vtable)) &&
        SUCCEEDED(info->GetRefTypeInfo(vtable, interface_info.put())))
        return interface_info;
    return info;
}

}  // namespace com
