#include "writer.h"
#include "com/error.h"

using com::throw_if_failed;

namespace typelib {

type& type::method(MEMBERID id, const std::wstring& name, std::vector<parameter> parameters,
                   std::vector<std::wstring> parameter_names) {
    std::vector<TYPEDESC> pointees(parameters.size());
    std::vector<ELEMDESC> elements(parameters.size());
    for (size_t i = 0; i < parameters.size(); ++i) {
        pointees[i].vt = parameters[i].type;
        if (parameters[i].user_type) throw_if_failed(info_->AddRefTypeInfo(parameters[i].user_type, &pointees[i].hreftype));
        if (parameters[i].by_reference) {
            elements[i].tdesc.vt = VT_PTR;
            elements[i].tdesc.lptdesc = &pointees[i];
        } else {
            elements[i].tdesc = pointees[i];
        }
        elements[i].paramdesc.wParamFlags = parameters[i].flags;
    }
    FUNCDESC description{};
    description.memid = id;
    description.funckind = FUNC_PUREVIRTUAL;
    description.invkind = INVOKE_FUNC;
    description.callconv = CC_STDCALL;
    description.cParams = SHORT(parameters.size());
    description.lprgelemdescParam = elements.data();
    description.elemdescFunc.tdesc.vt = VT_HRESULT;
    throw_if_failed(info_->AddFuncDesc(methods_, &description));

    std::vector<LPOLESTR> names{const_cast<LPOLESTR>(name.c_str())};
    for (auto& n : parameter_names) names.push_back(const_cast<LPOLESTR>(n.c_str()));
    throw_if_failed(info_->SetFuncAndParamNames(methods_, names.data(), UINT(names.size())));
    ++methods_;
    return *this;
}

type& type::implements(ITypeInfo* implemented, int flags) {
    HREFTYPE reference = 0;
    throw_if_failed(info_->AddRefTypeInfo(implemented, &reference));
    throw_if_failed(info_->AddImplType(implemented_, reference));
    if (flags) throw_if_failed(info_->SetImplTypeFlags(implemented_, flags));
    ++implemented_;
    return *this;
}

ITypeInfo* type::info() const {
    // The ITypeInfo of a type under construction is its ICreateTypeInfo's other face.
    ITypeInfo* result = nullptr;
    throw_if_failed(info_->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(&result)));
    result->Release();  // still held by info_
    return result;
}

library::library(const std::wstring& path, const std::wstring& name, REFGUID libid, WORD major, WORD minor) {
    throw_if_failed(CreateTypeLib2(SYS_WIN32, path.c_str(), library_.put()));
    throw_if_failed(library_->SetName(const_cast<LPOLESTR>(name.c_str())));
    throw_if_failed(library_->SetGuid(libid));
    throw_if_failed(library_->SetVersion(major, minor));
    throw_if_failed(library_->SetLcid(LOCALE_NEUTRAL));
}

library& library::flags(UINT flags) {
    throw_if_failed(library_->SetLibFlags(flags));
    return *this;
}

library& library::help_string(const std::wstring& text) {
    throw_if_failed(library_->SetDocString(const_cast<LPOLESTR>(text.c_str())));
    return *this;
}

com::ptr<ITypeLib> library::load_import(const std::wstring& library_path) {
    com::ptr<ITypeLib> imported;
    throw_if_failed(LoadTypeLibEx(library_path.c_str(), REGKIND_NONE, imported.put()));
    imports_.push_back(imported);
    return imported;
}

com::ptr<ITypeInfo> library::import(const std::wstring& library_path, REFGUID type) {
    com::ptr<ITypeInfo> info;
    throw_if_failed(load_import(library_path)->GetTypeInfoOfGuid(type, info.put()));
    return info;
}

com::ptr<ITypeInfo> library::import(const std::wstring& library_path, const std::wstring& type_name) {
    std::wstring name = type_name;  // FindName may rewrite the case of what it is given
    ITypeInfo* found = nullptr;
    MEMBERID member = 0;
    USHORT count = 1;
    throw_if_failed(load_import(library_path)->FindName(name.data(), 0, &found, &member, &count));
    auto info = com::ptr<ITypeInfo>::adopt(count ? found : nullptr);
    if (!info || member != MEMBERID_NIL) throw com::error(TYPE_E_ELEMENTNOTFOUND, {}, L"no type named " + type_name);
    return info;
}

type library::add(const std::wstring& name, TYPEKIND kind, REFGUID guid, UINT flags, WORD major, WORD minor) {
    com::ptr<ICreateTypeInfo> created;
    throw_if_failed(library_->CreateTypeInfo(const_cast<LPOLESTR>(name.c_str()), kind, created.put()));
    auto info = created.as<ICreateTypeInfo2>();
    throw_if_failed(info->SetGuid(guid));
    throw_if_failed(info->SetTypeFlags(flags));
    throw_if_failed(info->SetVersion(major, minor));
    return type(std::move(info), kind, flags);
}

void library::save(std::initializer_list<type*> types) {
    for (auto* t : types) {
        throw_if_failed(t->create()->LayOut());
        // LayOut marks a class dispatchable when its interfaces are; a class keeps its own flags.
        if (t->kind() == TKIND_COCLASS) throw_if_failed(t->create()->SetTypeFlags(t->flags()));
    }
    throw_if_failed(library_->SaveAllChanges());
}

}  // namespace typelib
