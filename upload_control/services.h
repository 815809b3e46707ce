// What the control's behaviour asks of the network and of the form poster; tests script it.
#pragma once
#include <string>

namespace norvat {

class Services {
public:
    virtual ~Services() = default;

    // One synchronous HTTP GET whose answer is ignored.
    virtual void Get(const std::wstring& url) = 0;
    // Posts one upload request document; returns the result document.
    virtual std::wstring PostMultiPartFormData(const std::wstring& request, const std::wstring& cookie) = 0;
    // Closes the numbered file slot through which the poster reads files.
    virtual void CloseFileSlot() = 0;
};

}  // namespace norvat
