// A scripted face, dialog and services for the control's behaviour: it records what the
// behaviour did and answers as the test says.
#pragma once
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>
#include "com/error.h"
#include "upload_control/ferrolan.h"

namespace fake {

struct Message {
    std::wstring prompt;
    norvat::Buttons buttons;
    std::optional<std::wstring> caption;
    bool operator==(const Message&) const = default;
};

class Face : public norvat::Face {
public:
    std::vector<std::wstring> entries;
    std::set<int> selected;
    std::wstring tool_tip, caption = L"0/0";
    bool remove_enabled = true, upload_label_visible = false;
    norvat::Pointer pointer = norvat::Pointer::Default;
    std::vector<Message> messages;
    std::vector<std::wstring> captions;  // every caption set, in order
    std::deque<norvat::Answer> answers;  // for Yes/No questions; Yes when empty
    std::function<void(const Message&)> on_message;  // may throw, as a failing message box would
    std::function<void()> on_yield;      // what the host does during a yield
    int yields = 0;
    std::vector<int> removals;           // positions handed to RemoveItem, in order

    int ListCount() override { return int(entries.size()); }
    std::wstring List(int index) override { return entries.at(index); }
    void AddItem(const std::wstring& entry) override { entries.push_back(entry); }
    void RemoveItem(int index) override {
        removals.push_back(index);
        entries.erase(entries.begin() + index);
        std::set<int> shifted;
        for (int s : selected)
            if (s != index) shifted.insert(s > index ? s - 1 : s);
        selected = shifted;
    }
    int SelCount() override { return int(selected.size()); }
    bool Selected(int index) override { return selected.count(index) > 0; }
    void SetListToolTip(const std::wstring& text) override { tool_tip = text; }
    void EnableRemove(bool enabled) override { remove_enabled = enabled; }
    void SetProgressCaption(const std::wstring& text) override {
        caption = text;
        captions.push_back(text);
    }
    void ShowUploadLabel(bool visible) override { upload_label_visible = visible; }
    norvat::Answer MsgBox(const std::wstring& prompt, norvat::Buttons buttons,
                          const std::optional<std::wstring>& title) override {
        messages.push_back({prompt, buttons, title});
        if (on_message) on_message(messages.back());
        if (buttons == norvat::Buttons::OK) return norvat::Answer::OK;
        if (answers.empty()) return norvat::Answer::Yes;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void SetPointer(norvat::Pointer p) override { pointer = p; }
    void DoEvents() override {
        ++yields;
        if (on_yield) on_yield();
    }
};

class Dialog : public norvat::CommonDialog {
public:
    std::wstring choice;  // what the user picks
    std::function<void()> on_show;
    int shown = 0;
    void ShowOpen() override {
        ++shown;
        if (on_show) on_show();
        FileName = choice;
    }
};

class Services : public norvat::Services {
public:
    std::vector<std::wstring> gets;
    std::vector<std::pair<std::wstring, std::wstring>> posts;  // request text, cookie
    std::function<std::wstring(const std::wstring& request)> answer;  // may throw com::error
    std::function<void(const std::wstring& url)> on_get;
    int slot_closes = 0;

    void Get(const std::wstring& url) override {
        gets.push_back(url);
        if (on_get) on_get(url);
    }
    std::wstring PostMultiPartFormData(const std::wstring& request, const std::wstring& cookie) override {
        posts.emplace_back(request, cookie);
        return answer ? answer(request) : L"<HTTP Status=\"200\" StatusText=\"OK\"/>";
    }
    void CloseFileSlot() override { ++slot_closes; }
};

// A control over a fake face, initialised as a host creates it.
struct Control {
    Face face;
    Dialog dialog;
    Services services;
    norvat::Ferrolan control{face, dialog, services};
    Control() { control.Initialize(); }
};

}  // namespace fake
