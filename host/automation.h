// Plays the user for unattended runs: answers the Open dialog with given names, Yes/No
// questions with a given answer and OK boxes by pressing OK, and reports every message box
// and every progress caption of the control as it appears.
#pragma once
#include <windows.h>
#include <functional>
#include <set>
#include <string>
#include "com/unique.h"

namespace host {

class Automation {
public:
    struct events {
        std::function<void(const std::wstring& title)> dialog;
        std::function<void(const std::wstring& caption, const std::wstring& text)> message;
        std::function<void(const std::wstring& caption)> progress;
    };
    Automation(bool answer_yes, events report);
    ~Automation();

    // The text typed into the next Open dialog's file name box, e.g. "a.txt" "b c.txt".
    void choose(std::wstring names) { names_ = std::move(names); }
    // Reports the captions given to this label.
    void watch_progress(HWND label) { progress_label_ = label; }

private:
    static LRESULT CALLBACK on_cbt(int code, WPARAM w, LPARAM l);
    static LRESULT CALLBACK on_call(int code, WPARAM w, LPARAM l);
    static LRESULT CALLBACK on_helper(HWND window, UINT message, WPARAM w, LPARAM l);
    void answer(HWND dialog);

    bool answer_yes_;
    events report_;
    std::wstring names_;
    HWND progress_label_ = nullptr;
    std::set<HWND> answered_;
    HHOOK cbt_ = nullptr, call_ = nullptr;
    com::unique_hwnd helper_;
};

}  // namespace host
