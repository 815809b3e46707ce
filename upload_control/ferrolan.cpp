#include "ferrolan.h"
#include <new>
#include "com/error.h"
#include "com/unique.h"

namespace norvat {

void Ferrolan::Initialize() {
    face_.SetListToolTip(L"List of files to upload.  Use 'Choose Files to Upload..' button to populate.");
    face_.EnableRemove(false);
}

void Ferrolan::ReadProperties(IPropertyBag* bag) {
    for (auto [name, setting] : {std::pair{L"URLStr", &settings_.URLStr}, std::pair{L"CookieStr", &settings_.CookieStr},
                                 std::pair{L"PathStr", &settings_.PathStr},
                                 std::pair{L"CookiePathURL", &settings_.CookiePathURL}}) {
        com::unique_variant value;
        HRESULT hr = bag->Read(name, &value, nullptr);
        if (hr != E_INVALIDARG) com::throw_if_failed(hr);  // a name the bag lacks reads as empty
        com::throw_if_failed(VariantChangeType(&value, &value, 0, VT_BSTR));
        *setting = com::view(value.bstrVal);
    }
}

void Ferrolan::RefreshListStatus() {
    int count = face_.ListCount();
    face_.SetProgressCaption(L"0/" + std::to_wstring(count));
    face_.EnableRemove(count >= 1);
}

void Ferrolan::HandleEvent(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const com::error& e) {
        face_.MsgBox(e.description(), Buttons::OK);
    } catch (const std::bad_alloc&) {
        face_.MsgBox(com::describe(com::error_out_of_memory), Buttons::OK);
    }
}

}  // namespace norvat
