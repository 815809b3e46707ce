// A COM object's IUnknown, written once. A class lists the interfaces it implements:
//
//     class token : public com::implements<com::dispatch<IGUID>, ISupportErrorInfo> { ... };
//
// QueryInterface answers for each listed interface and for the interfaces it derives from
// that are named with com::chain<Interface, Base...> or implied by com::dispatch<I>.
#pragma once
#include <windows.h>
#include <objbase.h>
#include <atomic>
#include <tuple>
#include <utility>
#include "module.h"
#include "ptr.h"

namespace com {

// Implements Interface and also answers QueryInterface for each of Bases through it.
template <class Interface, class... Bases>
struct chain : Interface {};

namespace detail {

// The interfaces an entry of implements<> answers for.
template <class Entry>
struct answers {
    using type = std::tuple<Entry>;
};
template <class Interface, class... Bases>
struct answers<chain<Interface, Bases...>> {
    using type = std::tuple<Interface, Bases...>;
};

template <class Entry, class Self, class... Interfaces>
bool find(Self* self, REFIID iid, void** out, std::tuple<Interfaces...>*) noexcept {
    auto* entry = static_cast<Entry*>(self);
    return ((IsEqualIID(iid, __uuidof(Interfaces)) && (*out = static_cast<Interfaces*>(entry), true)) || ...);
}

}  // namespace detail

template <class... Entries>
class implements : public Entries... {
public:
    implements(const implements&) = delete;
    implements& operator=(const implements&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown)) {
            *out = static_cast<IUnknown*>(static_cast<first*>(this));
        } else if (!(detail::find<Entries>(this, iid, out, static_cast<typename detail::answers<Entries>::type*>(nullptr)) || ...)) {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() noexcept override {
        ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

protected:
    implements() noexcept { module::object_created(); }
    virtual ~implements() { module::object_destroyed(); }

private:
    using first = std::tuple_element_t<0, std::tuple<Entries...>>;
    std::atomic<ULONG> references_{1};
};

// Makes an object whose one reference the returned pointer owns.
template <class T, class... Args>
ptr<T> make(Args&&... args) {
    return ptr<T>::adopt(new T(std::forward<Args>(args)...));
}

}  // namespace com
