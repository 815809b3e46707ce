// Embeds the upload control the way a page does: created by class identifier, asked about
// scripting safety, given its client site before its settings, loaded from a property bag,
// activated in place, and scripted through IDispatch by name.
#pragma once
#include <windows.h>
#include <oleidl.h>
#include <string>
#include "com/ptr.h"
#include "property_bag.h"
#include "site.h"

namespace host {

class Container {
public:
    // Shows the control in window, its top left corner at origin.
    Container(HWND window, POINT origin, const values& params);
    ~Container();

    // What the control answered when asked, as a browser asks, whether it may be scripted and
    // initialised from the page's parameters.
    bool safe_for_scripting() const { return safe_for_scripting_; }
    bool safe_for_initialising() const { return safe_for_initialising_; }

    // Calls the control's UploadFiles through IDispatch by name; raises what the call raised.
    void UploadFiles();

    // The control's own window and its size in pixels.
    HWND control_window() const;
    SIZE size() const { return size_; }
    Site& site() { return *site_.get(); }

private:
    com::ptr<IOleObject> control_;
    com::ptr<Site> site_;
    SIZE size_;
    bool safe_for_scripting_ = false, safe_for_initialising_ = false;
};

}  // namespace host
