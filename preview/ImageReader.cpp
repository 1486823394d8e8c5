#include "preview/ImageReader.h"

#include "os/FileSystem.h"

#include <algorithm>

namespace tavrik {

namespace {

constexpr std::uint32_t kTimId = 0x10;
constexpr std::uint32_t kTmdId = 0x41;
constexpr std::size_t kBlockHeader = 12;
constexpr std::size_t kTmdHeader = 12;
constexpr std::size_t kTmdObject = 28;
constexpr std::size_t kTmdVector = 8; // a vertex or a normal
// The console's whole frame buffer is 1 MiB; a file far beyond that is no
// picture, and reading it would only cost memory.
constexpr std::uint64_t kLargestModel = 16u << 20;

std::uint16_t U16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t U32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Palette entries of one palette in each pixel mode that has them.
int EntriesPerPalette(PixelMode mode) {
    return mode == PixelMode::Indexed4 ? 16 : 256;
}

bool IsIndexed(PixelMode mode) {
    return mode == PixelMode::Indexed4 || mode == PixelMode::Indexed8;
}

// Reads the block at |offset|; the problem when it does not fit into |size| bytes.
std::string ReadBlock(const unsigned char* data, std::size_t size, std::size_t offset,
                      const char* name, TimBlock& block) {
    const std::string what = name;
    if (size - offset < kBlockHeader)
        return what + " block header runs past the end of the file";
    const unsigned char* p = data + offset;
    block.length = U32(p);
    block.x = U16(p + 4);
    block.y = U16(p + 6);
    block.width = U16(p + 8);
    block.height = U16(p + 10);
    block.dataOffset = offset + kBlockHeader;
    const std::uint64_t needed = kBlockHeader + std::uint64_t{block.width} * block.height * 2;
    if (block.width == 0 || block.height == 0)
        return what + " block is empty";
    if (block.length < needed)
        return what + " block length " + std::to_string(block.length) + " is too small for " +
               std::to_string(block.width) + "x" + std::to_string(block.height) + " 16-bit units";
    if (block.length > size - offset)
        return what + " block runs past the end of the file";
    return std::string();
}

void ReadTim(const unsigned char* data, std::size_t size, ImageInfo& info) {
    if (size < 8) {
        info.problem = "header runs past the end of the file";
        return;
    }
    const std::uint32_t flags = U32(data + 4);
    const std::uint32_t mode = flags & 7;
    if (mode == 4) {
        info.problem = "mixed pixel mode is not supported";
        return;
    }
    if (mode > 4) {
        info.problem = "unknown pixel mode " + std::to_string(mode);
        return;
    }
    info.mode = static_cast<PixelMode>(mode);
    info.hasPalette = (flags & 8) != 0;

    std::size_t offset = 8;
    if (info.hasPalette) {
        info.problem = ReadBlock(data, size, offset, "palette", info.palette);
        if (!info.problem.empty())
            return;
        offset += info.palette.length;
    }
    info.problem = ReadBlock(data, size, offset, "picture", info.picture);
    if (!info.problem.empty())
        return;

    const int units = info.picture.width;
    switch (info.mode) {
    case PixelMode::Indexed4:
        info.width = units * 4;
        break;
    case PixelMode::Indexed8:
        info.width = units * 2;
        break;
    case PixelMode::Direct15:
        info.width = units;
        break;
    case PixelMode::Direct24:
        // Three bytes a pixel in rows of whole 16-bit units; what is left over is padding.
        info.width = units * 2 / 3;
        break;
    }
    info.height = info.picture.height;
    if (info.width == 0) {
        info.problem = "picture block is too narrow for one pixel";
        return;
    }
    if (IsIndexed(info.mode) && info.hasPalette) {
        // One palette a row, or several side by side in a row wider than one palette.
        const int perRow = std::max(1, info.palette.width / EntriesPerPalette(info.mode));
        info.paletteCount = perRow * info.palette.height;
    }
}

void ReadTmd(const unsigned char* data, std::size_t size, ImageInfo& info) {
    if (size < kTmdHeader) {
        info.problem = "header runs past the end of the file";
        return;
    }
    const std::uint32_t flags = U32(data + 4);
    info.objectCount = U32(data + 8);
    const std::uint64_t table = std::uint64_t{info.objectCount} * kTmdObject;
    if (table > size - kTmdHeader) {
        info.problem = "object table runs past the end of the file";
        return;
    }
    // With the low flag bit set the offsets are addresses in the console's
    // memory, which say nothing about the file.
    if (flags & 1)
        return;
    // The offsets count from the start of the object table.
    const std::uint64_t body = size - kTmdHeader;
    for (std::uint32_t i = 0; i < info.objectCount; ++i) {
        const unsigned char* p = data + kTmdHeader + std::size_t{i} * kTmdObject;
        const std::string object = "object " + std::to_string(i + 1);
        const std::uint64_t vertices = U32(p), vertexCount = U32(p + 4);
        const std::uint64_t normals = U32(p + 8), normalCount = U32(p + 12);
        const std::uint64_t primitives = U32(p + 16), primitiveCount = U32(p + 20);
        if (vertices + vertexCount * kTmdVector > body) {
            info.problem = object + " has vertices past the end of the file";
            return;
        }
        if (normals + normalCount * kTmdVector > body) {
            info.problem = object + " has normals past the end of the file";
            return;
        }
        if (primitiveCount > 0 && primitives >= body) {
            info.problem = object + " has primitives past the end of the file";
            return;
        }
    }
}

// The colours of one palette; entries a short palette row lacks are see-through.
void ReadPalette(const unsigned char* data, const ImageInfo& info, int palette, Pixel* colours) {
    const int entries = EntriesPerPalette(info.mode);
    const int perRow = std::max(1, info.palette.width / entries);
    const int row = palette / perRow;
    const int first = (palette % perRow) * entries;
    const int available = std::min(entries, info.palette.width - first);
    const unsigned char* p =
        data + info.palette.dataOffset + (std::size_t{info.palette.width} * row + first) * 2;
    for (int i = 0; i < entries; ++i)
        colours[i] = i < available ? Colour15(U16(p + 2 * i)) : kTransparent;
}

} // namespace

ImageInfo ReadImageInfo(const unsigned char* data, std::size_t size, std::uint64_t fileSize) {
    ImageInfo info;
    info.fileSize = std::max<std::uint64_t>(fileSize, size);
    const std::uint32_t id = size >= 4 ? U32(data) : 0xffffffffu;
    if (id == kTimId) {
        info.kind = ImageKind::Tim;
        ReadTim(data, size, info);
    } else if (id == kTmdId) {
        info.kind = ImageKind::Tmd;
        ReadTmd(data, size, info);
    }
    if (info.kind != ImageKind::Raw && info.problem.empty() && size < info.fileSize)
        info.problem = "file is too large to show";
    return info;
}

ImageFile::ImageFile(std::vector<unsigned char> bytes, std::uint64_t fileSize)
    : m_bytes(std::move(bytes)), m_info(ReadImageInfo(m_bytes.data(), m_bytes.size(), fileSize)) {}

std::vector<Pixel> ImageFile::Decode(int palette) const {
    std::vector<Pixel> pixels;
    Decode(palette, pixels);
    return pixels;
}

void ImageFile::Decode(int palette, std::vector<Pixel>& pixels) const {
    if (!HasPicture()) {
        pixels.clear();
        return;
    }
    const ImageInfo& info = m_info;
    const int width = info.width;
    const std::size_t stride = std::size_t{info.picture.width} * 2;
    pixels.resize(std::size_t{static_cast<unsigned>(width)} * info.height);

    Pixel colours[256];
    if (IsIndexed(info.mode)) {
        if (info.paletteCount > 0) {
            ReadPalette(m_bytes.data(), info, std::clamp(palette, 0, info.paletteCount - 1),
                        colours);
        } else {
            // Without a palette the indices show as shades of grey.
            const unsigned step = info.mode == PixelMode::Indexed4 ? 17 : 1;
            for (unsigned i = 0; i < 256; ++i) {
                const unsigned v = (i * step) & 0xff;
                colours[i] = 0xff000000u | v << 16 | v << 8 | v;
            }
        }
    }

    Pixel* out = pixels.data();
    for (int y = 0; y < info.height; ++y) {
        const unsigned char* row = m_bytes.data() + info.picture.dataOffset + stride * y;
        switch (info.mode) {
        case PixelMode::Indexed4:
            // The lower nibble is the left pixel.
            for (int x = 0; x < width; ++x)
                *out++ = colours[(row[x / 2] >> ((x & 1) * 4)) & 0xf];
            break;
        case PixelMode::Indexed8:
            for (int x = 0; x < width; ++x)
                *out++ = colours[row[x]];
            break;
        case PixelMode::Direct15:
            for (int x = 0; x < width; ++x)
                *out++ = Colour15(U16(row + 2 * x));
            break;
        case PixelMode::Direct24:
            for (int x = 0; x < width; ++x) {
                const unsigned char* p = row + 3 * x;
                *out++ = 0xff000000u | Pixel{p[0]} << 16 | Pixel{p[1]} << 8 | p[2];
            }
            break;
        }
    }
}

bool ReadImageFile(const std::string& path, ImageFile& file) {
    tavrik::os::File in = tavrik::os::File::OpenForReading(path);
    if (!in.IsOpen())
        return false;
    const std::uint64_t size = in.Size();
    std::vector<unsigned char> bytes(4);
    std::size_t got = 0;
    // Raw data is known by its first bytes and its size; only a picture or a
    // model is read whole, and only up to a size it can sensibly have.
    // One byte beyond the largest size tells a larger file also where the size is unknown.
    for (std::uint64_t limit = bytes.size(); got < limit;) {
        if (got == bytes.size())
            bytes.resize(
                std::min<std::uint64_t>(limit, std::max<std::uint64_t>(got * 2, size + 1)));
        const long long n = in.Read(bytes.data() + got, bytes.size() - got);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
        if (got == 4 && (U32(bytes.data()) == kTimId || U32(bytes.data()) == kTmdId))
            limit = kLargestModel + 1;
    }
    const std::uint64_t fileSize = std::max<std::uint64_t>(size, got);
    // Cut short, a larger file reports itself as too large to read.
    bytes.resize(std::min<std::uint64_t>(got, kLargestModel));
    file = ImageFile(std::move(bytes), fileSize);
    return true;
}

std::string GroupThousands(std::uint64_t value) {
    const std::string digits = std::to_string(value);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string DescribeUnreadable(const std::string& name) {
    return name + ": cannot be read";
}

std::string DescribeImage(const std::string& name, const ImageInfo& info, int palette) {
    std::string line = name + ": ";
    switch (info.kind) {
    case ImageKind::Raw:
        return line + "raw data, " + GroupThousands(info.fileSize) +
               (info.fileSize == 1 ? " byte" : " bytes");
    case ImageKind::Tmd:
        if (!info.problem.empty())
            return line + "damaged TMD: " + info.problem;
        return line + "TMD model, " + std::to_string(info.objectCount) +
               (info.objectCount == 1 ? " object" : " objects");
    case ImageKind::Tim:
        break;
    }
    if (!info.problem.empty())
        return line + "damaged TIM: " + info.problem;
    static const char* const kModes[] = {"4-bit", "8-bit", "15-bit", "24-bit"};
    line += std::string("TIM, ") + kModes[static_cast<int>(info.mode)] + ", " +
            std::to_string(info.width) + "x" + std::to_string(info.height);
    if (IsIndexed(info.mode)) {
        if (info.paletteCount == 0)
            return line + ", no palette";
        const int shown = std::clamp(palette, 0, info.paletteCount - 1);
        line +=
            ", palette " + std::to_string(shown + 1) + " of " + std::to_string(info.paletteCount);
    }
    return line;
}

} // namespace tavrik
