// Ferrolan.ocx as a file: its export table, resources and version block.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <cstring>
#include "com/unique.h"
#include "support/module_facts.h"
#include "upload_control/norvat.h"

namespace {

const std::wstring ocx = facts::windows_path(FERROLAN_OCX);
constexpr WORD neutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);

class FerrolanModule : public testing::Test {
protected:
    static void SetUpTestSuite() { module.reset(LoadLibraryExW(ocx.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)); }
    static void TearDownTestSuite() { module.reset(); }
    static std::optional<std::vector<BYTE>> resource(const wchar_t* type, int id, WORD language = neutral) {
        return facts::resource(module.get(), type, MAKEINTRESOURCEW(id), language);
    }
    static inline com::unique_hmodule module;
};

TEST_F(FerrolanModule, ExportsTheFourEntryPointsAtOrdinalsOneToFour) { facts::expect_server_exports(ocx); }

TEST_F(FerrolanModule, InterfaceIdResourcesHoldLengthThenIid) {
    facts::expect_iid_resource(module.get(), L"_IID_FERROLAN", norvat::IID__Ferrolan);
    facts::expect_iid_resource(module.get(), L"_SRCIID_FERROLAN", norvat::DIID___Ferrolan);
}

TEST_F(FerrolanModule, CarriesNorvatAndIObjectSafetyTlbAsTypeLibraries) {
    for (int id : {1, 2}) {
        auto bytes = resource(L"TYPELIB", id);
        ASSERT_TRUE(bytes) << id;
        ASSERT_GE(bytes->size(), 4u);
        EXPECT_EQ(std::memcmp(bytes->data(), "MSFT", 4), 0) << id;
    }
}

TEST_F(FerrolanModule, ToolboxBitmapIsA16By15FourBitPictureWithTheStandardPalette) {
    auto bytes = resource(RT_BITMAP, 30000);
    ASSERT_TRUE(bytes);
    BITMAPINFOHEADER header;
    ASSERT_GE(bytes->size(), sizeof header);
    std::memcpy(&header, bytes->data(), sizeof header);
    EXPECT_EQ(header.biSize, sizeof header);
    EXPECT_EQ(header.biWidth, 16);
    EXPECT_EQ(header.biHeight, 15);  // bottom-up
    EXPECT_EQ(header.biPlanes, 1);
    EXPECT_EQ(header.biBitCount, 4);
    EXPECT_EQ(header.biCompression, DWORD(BI_RGB));
    EXPECT_TRUE(header.biClrUsed == 0 || header.biClrUsed == 16) << header.biClrUsed;
    EXPECT_TRUE(header.biSizeImage == 0 || header.biSizeImage == 120) << header.biSizeImage;
    ASSERT_EQ(bytes->size(), sizeof header + 16 * sizeof(RGBQUAD) + 120);  // 8 bytes a row, 15 rows

    const COLORREF standard[16] = {RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
                                   RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
                                   RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
                                   RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};
    auto palette = reinterpret_cast<const RGBQUAD*>(bytes->data() + sizeof header);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(RGB(palette[i].rgbRed, palette[i].rgbGreen, palette[i].rgbBlue), standard[i]) << "entry " << i;

    // A picture, not a blank square: it uses several colours.
    std::vector<bool> used(16);
    for (size_t i = sizeof header + 16 * sizeof(RGBQUAD); i < bytes->size(); ++i)
        used[(*bytes)[i] >> 4] = used[(*bytes)[i] & 15] = true;
    EXPECT_GE(std::count(used.begin(), used.end(), true), 3);
}

TEST_F(FerrolanModule, VersionBlockReadsBack) {
    EXPECT_TRUE(resource(MAKEINTRESOURCEW(16) /* RT_VERSION */, 1, 1033));
    facts::expect_version_block(ocx, 1, L"Ferrolan", L"Ferrolan.ocx");
}

}  // namespace
