// Runs the host program unattended and collects what it reported.
#pragma once
#include <string>
#include <vector>

namespace host_run {

struct result {
    unsigned long exit_code;
    std::vector<std::wstring> lines;  // standard output, line by line
    bool has(const std::wstring& line) const;
    std::vector<std::wstring> starting(const std::wstring& prefix) const;
};

// Runs host.exe with the given arguments (each quoted as needed) and waits for it.
result run(const std::vector<std::wstring>& arguments);

// The loopback receiver's folder (from the environment) and its address.
std::wstring receiver_folder();
std::wstring receiver_address();
// The raw bytes the receiver recorded for a request path, e.g. "notify".
std::string recorded(const std::wstring& name);

}  // namespace host_run
