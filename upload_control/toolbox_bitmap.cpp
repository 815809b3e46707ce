// Turns the text picture of the toolbox bitmap into a 4-bit device-independent bitmap file:
//   toolbox_bitmap PICTURE.txt OUTPUT.bmp
// The picture is 15 rows of 16 characters, one a pixel, each naming a palette colour.
#include <windows.h>
#include <array>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int width = 16, height = 15;

// The standard 16-colour Windows palette, in its usual order, and the character of each colour.
constexpr std::array<RGBQUAD, 16> palette{{
    {0x00, 0x00, 0x00}, {0x00, 0x00, 0x80}, {0x00, 0x80, 0x00}, {0x00, 0x80, 0x80},
    {0x80, 0x00, 0x00}, {0x80, 0x00, 0x80}, {0x80, 0x80, 0x00}, {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80}, {0x00, 0x00, 0xFF}, {0x00, 0xFF, 0x00}, {0x00, 0xFF, 0xFF},
    {0xFF, 0x00, 0x00}, {0xFF, 0x00, 0xFF}, {0xFF, 0xFF, 0x00}, {0xFF, 0xFF, 0xFF},
}};  // RGBQUAD is blue, green, red
constexpr char colour_names[] = "krgynmc.dRGYBMCw";

std::vector<std::string> read_rows(const char* path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error(std::string("cannot read ") + path);
    std::vector<std::string> rows;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (line.size() != width) throw std::runtime_error("a row is not 16 pixels wide: " + line);
        rows.push_back(line);
    }
    if (rows.size() != height) throw std::runtime_error("the picture is not 15 rows high");
    return rows;
}

BYTE colour_index(char c) {
    for (BYTE i = 0; i < 16; ++i)
        if (colour_names[i] == c) return i;
    throw std::runtime_error(std::string("no colour is named ") + c);
}

// Two pixels a byte, high nibble first; rows bottom-up, each a multiple of 4 bytes (16 pixels: 8).
std::vector<BYTE> pixels(const std::vector<std::string>& rows) {
    std::vector<BYTE> bits;
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        for (int x = 0; x < width; x += 2) bits.push_back(BYTE(colour_index((*row)[x]) << 4 | colour_index((*row)[x + 1])));
    return bits;
}

void write_bitmap(const char* path, const std::vector<BYTE>& bits) {
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 4;
    info.biCompression = BI_RGB;
    info.biSizeImage = DWORD(bits.size());
    info.biClrUsed = palette.size();
    BITMAPFILEHEADER file{};
    file.bfType = 'B' | 'M' << 8;
    file.bfOffBits = sizeof file + sizeof info + sizeof palette;
    file.bfSize = file.bfOffBits + DWORD(bits.size());

    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(palette.data()), sizeof palette);
    out.write(reinterpret_cast<const char*>(bits.data()), std::streamsize(bits.size()));
    if (!out) throw std::runtime_error(std::string("cannot write ") + path);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PICTURE.txt OUTPUT.bmp\n", argv[0]);
        return 2;
    }
    try {
        write_bitmap(argv[2], pixels(read_rows(argv[1])));
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[1], e.what());
        return 1;
    }
}
