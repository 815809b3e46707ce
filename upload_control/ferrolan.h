// The behaviour of the control Ferrolan: its event handlers and its one public method, over
// a face, a file dialog and the services it calls.
#pragma once
#include <ocidl.h>
#include <functional>
#include <string>
#include "common_dialog.h"
#include "face.h"
#include "services.h"

namespace norvat {

// The four settings a host hands over when it loads the control.
struct Settings {
    std::wstring URLStr;
    std::wstring CookieStr;
    std::wstring PathStr;
    std::wstring CookiePathURL;
};

class Ferrolan {
public:
    Ferrolan(Face& face, CommonDialog& dialog, Services& services) : face_(face), dialog_(dialog), services_(services) {}

    // Events of the control itself.
    void Initialize();
    void ReadProperties(IPropertyBag* bag);

    // Click events of the buttons ChooseFiles and Remove.
    void ChooseFiles_Click();
    void Remove_Click();

    // The public method: uploads every listed file.
    void UploadFiles();

    // Runs an event handler. An error that leaves it is shown to the user, never passed on:
    // what the handler did before the failure stays done.
    void HandleEvent(const std::function<void()>& handler);

    const Settings& settings() const { return settings_; }

private:
    bool IsFileListed(const std::wstring& path);
    void RefreshListStatus();

    Face& face_;
    CommonDialog& dialog_;
    Services& services_;
    Settings settings_;
};

}  // namespace norvat
