// A type-library generator: GENERATOR OUTPUT [ARGUMENTS...]
#include <cstdio>
#include "com/error.h"
#include "writer.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        fwprintf(stderr, L"usage: %ls OUTPUT [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    CoInitialize(nullptr);
    try {
        typelib::write_library(argv[1], std::vector<std::wstring>(argv + 2, argv + argc));
        return 0;
    } catch (const com::error& e) {
        fwprintf(stderr, L"%ls: 0x%08lX %ls\n", argv[1], static_cast<unsigned long>(e.number()),
                 e.description().c_str());
        return 1;
    }
}
