// The control's services from the platform: XMLHTTP for the folder notification, and the
// form poster for uploads.
#pragma once
#include "services.h"

namespace norvat {

class PlatformServices : public Services {
public:
    void Get(const std::wstring& url) override;
    std::wstring PostMultiPartFormData(const std::wstring& request, const std::wstring& cookie) override;
    void CloseFileSlot() override;
};

}  // namespace norvat
