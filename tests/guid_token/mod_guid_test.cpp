#include <gtest/gtest.h>
#include <cwctype>
#include "guid_token/modGUID.h"

namespace {

modGUID::guid_generator returning(GUID record, HRESULT status = S_OK) {
    return [=](GUID* out) {
        *out = record;
        return status;
    };
}

struct format_case {
    const char* what;
    GUID record;
    const wchar_t* token;
};

const format_case format_cases[] = {
    {"Data1 padded to 8 digits", {0x0000000A, 0, 0, {}}, L"0000000A000000000000000000000000"},
    {"Data2 all bits set, Data3 top bit", {0, 0xFFFF, 0x8000, {}}, L"00000000FFFF80000000000000000000"},
    {"Data2 top bit, Data3 all bits set", {0, 0x8000, 0xFFFF, {}}, L"000000008000FFFF0000000000000000"},
    {"Data2 and Data3 of one", {0, 0x0001, 0x0001, {}}, L"00000000000100010000000000000000"},
    {"Data4 bytes below and above 16",
     {0, 0, 0, {0x00, 0x0F, 0x10, 0xFF, 0x01, 0xA0, 0x0A, 0x99}},
     L"0000000000000000000F10FF01A00A99"},
    {"all zero", {}, L"00000000000000000000000000000000"},
    {"the example GUID",
     {0xF23D4B77, 0xE121, 0x4E8C, {0x97, 0xA0, 0xBC, 0xBC, 0x69, 0x11, 0x40, 0xDE}},
     L"F23D4B77E1214E8C97A0BCBC691140DE"},
    {"every digit position set", {0xFFFFFFFF, 0xFFFF, 0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
     L"FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"},
};

TEST(CreateGuidString, FormatsEachFieldPaddedUppercase) {
    for (const auto& c : format_cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(modGUID::CreateGuidString(returning(c.record)), c.token);
    }
}

TEST(CreateGuidString, FailingGeneratorGivesEmptyText) {
    const GUID filled = {0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8}};
    for (HRESULT status : {E_FAIL, E_OUTOFMEMORY, S_FALSE}) {
        SCOPED_TRACE(status);
        EXPECT_EQ(modGUID::CreateGuidString(returning(filled, status)), L"");
    }
}

TEST(CreateGuidString, GeneratorIsHandedAZeroedRecord) {
    GUID seen{1, 1, 1, {1}};
    modGUID::CreateGuidString([&](GUID* record) {
        seen = *record;
        return E_FAIL;
    });
    EXPECT_EQ(seen, GUID{});
}

TEST(CreateGuidString, PlatformTokensAreFreshHexDigits) {
    std::wstring first = modGUID::CreateGuidString(), second = modGUID::CreateGuidString();
    for (const auto& token : {first, second}) {
        ASSERT_EQ(token.size(), 32u);
        for (wchar_t c : token) EXPECT_TRUE(std::iswdigit(c) || (c >= L'A' && c <= L'F')) << char(c);
    }
    EXPECT_NE(first, second);
}

}  // namespace
