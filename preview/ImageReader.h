// What a source file is: a TIM picture, a TMD model or raw data, read from its
// bytes without the window system. Every offset is checked against the bytes
// at hand before it is used, so a damaged or cut-short file yields a reason,
// never a read past the buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tavrik {

enum class ImageKind { Raw, Tim, Tmd };

// The TIM pixel modes, by the value of the mode bits in the flags.
enum class PixelMode { Indexed4 = 0, Indexed8 = 1, Direct15 = 2, Direct24 = 3 };

// A palette or picture block: its header and where its data starts.
struct TimBlock {
    std::uint32_t length = 0; // bytes, this 12-byte header included
    std::uint16_t x = 0, y = 0;
    std::uint16_t width = 0; // in 16-bit units
    std::uint16_t height = 0;
    std::size_t dataOffset = 0;
};

struct ImageInfo {
    ImageKind kind = ImageKind::Raw;
    std::uint64_t fileSize = 0;
    // Why the TIM or TMD cannot be shown; empty when it can.
    std::string problem;

    // TIM
    PixelMode mode = PixelMode::Indexed4;
    bool hasPalette = false;
    TimBlock palette;
    TimBlock picture;
    int width = 0; // in pixels
    int height = 0;
    int paletteCount = 0; // 0 for direct colour and for indexed pictures without a palette

    // TMD
    std::uint32_t objectCount = 0;
};

// Pixels as 0xAARRGGBB: the byte order of a 32-bit top-down DIB. Alpha is 0 or 255.
using Pixel = std::uint32_t;
constexpr Pixel kTransparent = 0;

// The 16-bit colour of palettes and 15-bit pictures: 0x0000 is see-through, every
// other value opaque (0x8000, black with the semi-transparency bit, is black).
constexpr Pixel Colour15(std::uint16_t value) {
    if (value == 0)
        return kTransparent;
    const unsigned r = value & 0x1f, g = (value >> 5) & 0x1f, b = (value >> 10) & 0x1f;
    return 0xff000000u | ((r << 3 | r >> 2) << 16) | ((g << 3 | g >> 2) << 8) | (b << 3 | b >> 2);
}

// A source file's bytes and what they are.
class ImageFile {
  public:
    ImageFile() = default;
    // |fileSize| is the size on disk, which may exceed the bytes kept (raw data
    // is not read beyond its first bytes).
    ImageFile(std::vector<unsigned char> bytes, std::uint64_t fileSize);

    const ImageInfo& Info() const { return m_info; }
    // True for a TIM whose picture can be decoded.
    bool HasPicture() const { return m_info.kind == ImageKind::Tim && m_info.problem.empty(); }
    // The picture with palette |palette| (0-based; ignored for direct colour),
    // width x height pixels, row by row from the top. Empty when there is no picture.
    void Decode(int palette, std::vector<Pixel>& pixels) const;
    std::vector<Pixel> Decode(int palette = 0) const;

  private:
    std::vector<unsigned char> m_bytes;
    ImageInfo m_info;
};

// Reads what these bytes are. |fileSize| is the size of the whole file.
ImageInfo ReadImageInfo(const unsigned char* data, std::size_t size, std::uint64_t fileSize);

// Reads a file through the engine's file layer. False when it cannot be opened or read.
bool ReadImageFile(const std::string& path, ImageFile& file);

// One line about the file, such as "pic1.tim: TIM, 8-bit, 256x240, palette 1 of 4".
std::string DescribeImage(const std::string& name, const ImageInfo& info, int palette = 0);
// The line for a file that cannot be read.
std::string DescribeUnreadable(const std::string& name);
// The last component of a path, after a slash or a backslash.
std::string FileNameOf(const std::string& path);
// 31264 as "31,264".
std::string GroupThousands(std::uint64_t value);

} // namespace tavrik
