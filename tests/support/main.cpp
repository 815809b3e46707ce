// Test programs run on a single-threaded apartment thread, like the host's user-interface thread.
#include <gtest/gtest.h>
#include <objbase.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
