#pragma once

// Writes TIM and TMD files byte by byte from a known picture, for the reader's
// tests natively and for the preview window's tests under Wine. Standard C++ only.

#include <cstdint>
#include <string>
#include <vector>

namespace timfixtures {

// Test colours as stored (16-bit) and as they must come out of the decoder
// (0xAARRGGBB), written out by hand rather than computed.
struct TestColour {
    std::uint16_t stored;
    std::uint32_t shown;
};
inline const std::vector<TestColour> kColours = {
    {0x001f, 0xffff0000}, // red
    {0x03e0, 0xff00ff00}, // green
    {0x7c00, 0xff0000ff}, // blue
    {0x7fff, 0xffffffff}, // white
    {0x8000, 0xff000000}, // black with the semi-transparency bit: opaque
    {0x0000, 0x00000000}, // see-through
    {0x0421, 0xff080808}, // 1,1,1 of 31
    {0xfc10, 0xff8400ff}, // 16,0,31 with the semi-transparency bit
};

inline void Put16(std::string& s, unsigned v) {
    s += static_cast<char>(v & 0xff);
    s += static_cast<char>((v >> 8) & 0xff);
}
inline void Put32(std::string& s, std::uint32_t v) {
    Put16(s, v & 0xffff);
    Put16(s, v >> 16);
}

// A palette or picture block with its header; |payload| holds whole 16-bit units.
inline std::string Block(unsigned widthUnits, unsigned height, const std::string& payload,
                         std::uint16_t x = 0, std::uint16_t y = 0) {
    std::string s;
    Put32(s, static_cast<std::uint32_t>(12 + payload.size()));
    Put16(s, x);
    Put16(s, y);
    Put16(s, widthUnits);
    Put16(s, height);
    return s + payload;
}

inline std::string TimHeader(int mode, bool palette) {
    std::string s;
    Put32(s, 0x10);
    Put32(s, static_cast<std::uint32_t>(mode | (palette ? 8 : 0)));
    return s;
}

// A picture of the test colours with one or more palettes: pixel (x, y) has
// index (x * 3 + y * 5) % 8; palette p shows index i as colour (i + p) % 8.
// A direct-colour picture may carry palettes too, which it does not use.
struct Picture {
    int mode = 0; // 0 4-bit, 1 8-bit, 2 15-bit, 3 24-bit
    int width = 0, height = 0;
    int palettes = 0;       // 0: none
    int palettesPerRow = 1; // palettes side by side in one row of the palette block

    int Index(int x, int y) const { return (x * 3 + y * 5) % 8; }
    // What the decoder must give for palette |p|.
    std::vector<std::uint32_t> Expected(int p = 0) const {
        std::vector<std::uint32_t> pixels;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                int i = Index(x, y);
                if (mode == 3 && kColours[i].shown == 0)
                    i = 0; // no see-through in 24-bit pictures: written as red
                const int shift = mode < 2 ? p : 0; // direct colour ignores palettes
                pixels.push_back(kColours[static_cast<size_t>((i + shift) % 8)].shown);
            }
        return pixels;
    }

    std::string Bytes() const {
        std::string file = TimHeader(mode, palettes > 0);
        if (palettes > 0) {
            const int entries = mode == 1 ? 256 : 16;
            const int rows = (palettes + palettesPerRow - 1) / palettesPerRow;
            std::string colours;
            for (int p = 0; p < rows * palettesPerRow; ++p)
                for (int i = 0; i < entries; ++i)
                    Put16(colours,
                          i < 8 ? kColours[static_cast<size_t>((i + p) % 8)].stored : 0x1234);
            file += Block(static_cast<unsigned>(entries * palettesPerRow),
                          static_cast<unsigned>(rows), colours, 0, 480);
        }
        // Each row fills whole 16-bit units; what is left over is padding.
        const int bitsPerPixel = mode == 0 ? 4 : mode == 1 ? 8 : mode == 2 ? 16 : 24;
        const int units = (width * bitsPerPixel + 15) / 16;
        std::string rows;
        for (int y = 0; y < height; ++y) {
            std::string row;
            for (int x = 0; x < width; ++x) {
                const int i = Index(x, y);
                switch (mode) {
                case 0:
                    if (x % 2 == 0)
                        row += static_cast<char>(i);
                    else
                        row.back() = static_cast<char>(row.back() | i << 4);
                    break;
                case 1:
                    row += static_cast<char>(i);
                    break;
                case 2:
                    Put16(row, kColours[static_cast<size_t>(i)].stored);
                    break;
                default: {
                    const std::uint32_t c = kColours[static_cast<size_t>(i)].shown
                                                ? kColours[static_cast<size_t>(i)].shown
                                                : kColours[0].shown;
                    row += static_cast<char>(c >> 16 & 0xff);
                    row += static_cast<char>(c >> 8 & 0xff);
                    row += static_cast<char>(c & 0xff);
                }
                }
            }
            row.resize(static_cast<size_t>(units) * 2, '\x77');
            rows += row;
        }
        return file +
               Block(static_cast<unsigned>(units), static_cast<unsigned>(height), rows, 320, 0);
    }
};

// A TMD model: |objects| objects of one vertex, one normal and one primitive
// each, placed after the object table.
inline std::string Tmd(std::uint32_t objects, std::uint32_t flags = 0) {
    std::string s;
    Put32(s, 0x41);
    Put32(s, flags);
    Put32(s, objects);
    const std::uint32_t data = objects * 28; // offsets count from the table's start
    for (std::uint32_t i = 0; i < objects; ++i) {
        Put32(s, data + i * 24); // vertices
        Put32(s, 1);
        Put32(s, data + i * 24 + 8); // normals
        Put32(s, 1);
        Put32(s, data + i * 24 + 16); // primitives
        Put32(s, 1);
        Put32(s, 0); // scale
    }
    for (std::uint32_t i = 0; i < objects; ++i)
        s += std::string(24, '\x01');
    return s;
}

} // namespace timfixtures
