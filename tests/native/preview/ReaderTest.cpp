// The TIM and TMD reader against files written by the fixture generator, damaged
// files from a table, and the composed preview area.

#include "preview/ImageReader.h"
#include "preview/PreviewCanvas.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TimFixtures.h"

#include <gtest/gtest.h>

using namespace tavrik;
using namespace timfixtures;
using testfiles::TempDir;

namespace {

ImageFile FromBytes(const std::string& bytes) {
    return ImageFile(std::vector<unsigned char>(bytes.begin(), bytes.end()), bytes.size());
}

TEST(TimReader, EachPixelModeGivesBackTheKnownPicture) {
    struct Case {
        const char* what;
        Picture picture;
        const char* line;
    } cases[] = {
        {"4-bit, odd units", {0, 12, 3, 1}, "f: TIM, 4-bit, 12x3, palette 1 of 1"},
        {"4-bit, palettes in rows", {0, 8, 2, 4}, "f: TIM, 4-bit, 8x2, palette 1 of 4"},
        {"4-bit, palettes side by side", {0, 4, 1, 4, 2}, "f: TIM, 4-bit, 4x1, palette 1 of 4"},
        {"4-bit, no palette", {0, 4, 4, 0}, "f: TIM, 4-bit, 4x4, no palette"},
        {"8-bit, odd units", {1, 6, 3, 1}, "f: TIM, 8-bit, 6x3, palette 1 of 1"},
        {"8-bit, three palettes", {1, 4, 2, 3}, "f: TIM, 8-bit, 4x2, palette 1 of 3"},
        {"15-bit, odd width", {2, 3, 2, 0}, "f: TIM, 15-bit, 3x2"},
        {"15-bit with an unused palette", {2, 4, 2, 2}, "f: TIM, 15-bit, 4x2"},
        {"24-bit, padded rows", {3, 5, 3, 0}, "f: TIM, 24-bit, 5x3"},
        {"24-bit, no padding", {3, 4, 2, 0}, "f: TIM, 24-bit, 4x2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ImageFile file = FromBytes(c.picture.Bytes());
        ASSERT_TRUE(file.HasPicture()) << file.Info().problem;
        EXPECT_EQ(DescribeImage("f", file.Info()), c.line);
        const int palettes = std::max(1, file.Info().paletteCount);
        for (int p = 0; p < palettes; ++p) {
            if (c.picture.palettes == 0 && c.picture.mode < 2) {
                // Without a palette the indices show as greys.
                std::vector<Pixel> greys;
                for (int y = 0; y < c.picture.height; ++y)
                    for (int x = 0; x < c.picture.width; ++x)
                        greys.push_back(0xff000000u | 0x111111u * c.picture.Index(x, y));
                EXPECT_EQ(file.Decode(p), greys);
            } else {
                EXPECT_EQ(file.Decode(p), c.picture.Expected(p)) << "palette " << p;
            }
        }
    }
}

TEST(TimReader, FourBitPixelsTakeTheLowNibbleFirst) {
    // Palette: index n is the colour n of a hand-written list.
    std::string palette;
    for (int i = 0; i < 16; ++i)
        Put16(palette, i < 5 ? kColours[static_cast<size_t>(i)].stored : 0);
    const std::string tim =
        TimHeader(0, true) + Block(16, 1, palette) + Block(1, 1, std::string("\x10\x32", 2));
    EXPECT_EQ(FromBytes(tim).Decode(),
              (std::vector<Pixel>{0xffff0000, 0xff00ff00, 0xff0000ff, 0xffffffff}));
}

TEST(TimReader, PalettesStepAndShortPaletteRowsAreSeeThrough) {
    // An 8-bit picture of indices 0, 1, 2, 200 with two palettes of only three colours.
    std::string palette;
    for (int row = 0; row < 2; ++row)
        for (int i = 0; i < 3; ++i)
            Put16(palette, kColours[static_cast<size_t>(row * 3 + i)].stored);
    const std::string tim =
        TimHeader(1, true) + Block(3, 2, palette) + Block(2, 1, std::string("\x00\x01\x02\xc8", 4));
    const ImageFile file = FromBytes(tim);
    EXPECT_EQ(DescribeImage("pic1.tim", file.Info(), 1),
              "pic1.tim: TIM, 8-bit, 4x1, palette 2 of 2");
    EXPECT_EQ(file.Decode(0), (std::vector<Pixel>{0xffff0000, 0xff00ff00, 0xff0000ff, 0}));
    EXPECT_EQ(file.Decode(1), (std::vector<Pixel>{0xffffffff, 0xff000000, 0, 0}));
    // A palette number beyond the last shows the last one rather than reading past it.
    EXPECT_EQ(file.Decode(7), file.Decode(1));
}

TEST(TimReader, DamagedFilesGiveTheirReason) {
    const std::string good = Picture{1, 4, 2, 1}.Bytes(); // palette block 8..532, picture 532..552
    auto cut = [&](std::size_t n) { return good.substr(0, n); };
    auto patched = [&](std::size_t at, std::uint32_t v, int bytes = 4) {
        std::string s = good;
        for (int i = 0; i < bytes; ++i)
            s[at + static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i));
        return s;
    };
    std::string narrow24 = TimHeader(3, false) + Block(1, 1, "xy");
    struct Case {
        std::string bytes;
        const char* reason;
    } cases[] = {
        {cut(6), "header runs past the end of the file"},
        {patched(4, 4), "mixed pixel mode is not supported"},
        {patched(4, 7 | 8), "unknown pixel mode 7"},
        {cut(14), "palette block header runs past the end of the file"},
        {cut(300), "palette block runs past the end of the file"},
        {patched(8, 12), "palette block length 12 is too small for 256x1 16-bit units"},
        {patched(8, 0x7fffffff), "palette block runs past the end of the file"},
        {patched(16, 0, 2), "palette block is empty"},
        {cut(532), "picture block header runs past the end of the file"},
        {cut(540), "picture block header runs past the end of the file"},
        {cut(550), "picture block runs past the end of the file"},
        {patched(532, 0xffffffff), "picture block runs past the end of the file"},
        {patched(532, 19), "picture block length 19 is too small for 2x2 16-bit units"},
        {patched(542, 0, 2), "picture block is empty"},
        {narrow24, "picture block is too narrow for one pixel"},
    };
    for (const Case& c : cases) {
        const ImageFile file = FromBytes(c.bytes);
        EXPECT_EQ(file.Info().kind, ImageKind::Tim);
        EXPECT_EQ(file.Info().problem, c.reason);
        EXPECT_FALSE(file.HasPicture());
        EXPECT_TRUE(file.Decode().empty());
        EXPECT_EQ(DescribeImage("bad.tim", file.Info()),
                  std::string("bad.tim: damaged TIM: ") + c.reason);
    }
    EXPECT_TRUE(FromBytes(good).HasPicture());
}

TEST(TmdReader, HeadersFromATable) {
    std::string lying = Tmd(2);
    lying[8] = 3; // three objects claimed, two in the table
    std::string huge = Tmd(1);
    Put32(huge, 0); // harmless trailing bytes
    huge.replace(8, 4, std::string("\xff\xff\xff\xff", 4));
    auto objectField = [](std::string s, std::size_t object, std::size_t field, std::uint32_t v) {
        std::string value;
        Put32(value, v);
        s.replace(12 + object * 28 + field * 4, 4, value);
        return s;
    };
    struct Case {
        std::string bytes;
        const char* line;
    } cases[] = {
        {Tmd(12), "car.tmd: TMD model, 12 objects"},
        {Tmd(1), "car.tmd: TMD model, 1 object"},
        {Tmd(0), "car.tmd: TMD model, 0 objects"},
        {Tmd(2).substr(0, 10), "car.tmd: damaged TMD: header runs past the end of the file"},
        {Tmd(2).substr(0, 12 + 28 + 27),
         "car.tmd: damaged TMD: object table runs past the end of the file"},
        {lying, "car.tmd: damaged TMD: object 3 has vertices past the end of the file"},
        {huge, "car.tmd: damaged TMD: object table runs past the end of the file"},
        {objectField(Tmd(2), 1, 1, 0x20000000),
         "car.tmd: damaged TMD: object 2 has vertices past the end of the file"},
        {objectField(Tmd(2), 0, 2, 2 * 28 + 48),
         "car.tmd: damaged TMD: object 1 has normals past the end of the file"},
        {objectField(Tmd(2), 1, 4, 2 * 28 + 48),
         "car.tmd: damaged TMD: object 2 has primitives past the end of the file"},
        // Addresses in the console's memory say nothing about the file.
        {objectField(Tmd(2, 1), 1, 0, 0x80100000), "car.tmd: TMD model, 2 objects"},
        // Primitives vary in size: only where they start is checked.
        {Tmd(1).substr(0, 12 + 28 + 17), "car.tmd: TMD model, 1 object"},
        {Tmd(1).substr(0, 12 + 28 + 16),
         "car.tmd: damaged TMD: object 1 has primitives past the end of the file"},
    };
    for (const Case& c : cases) {
        const ImageInfo info = FromBytes(c.bytes).Info();
        EXPECT_EQ(info.kind, ImageKind::Tmd);
        EXPECT_EQ(DescribeImage("car.tmd", info), c.line);
    }
}

TEST(ImageReader, AnythingElseIsRawData) {
    struct Case {
        std::string bytes;
        std::uint64_t size;
        const char* line;
    } cases[] = {
        {"VAGp", 31264, "sound.vag: raw data, 31,264 bytes"},
        {"", 0, "sound.vag: raw data, 0 bytes"},
        {"x", 1, "sound.vag: raw data, 1 byte"},
        {std::string("\x10\x00\x00", 3), 3, "sound.vag: raw data, 3 bytes"},
        {std::string("\x10\x01\x00\x00", 4), 1234567, "sound.vag: raw data, 1,234,567 bytes"},
        {"\x41\x00\x00\x01", 1000, "sound.vag: raw data, 1,000 bytes"},
    };
    for (const Case& c : cases) {
        const ImageFile file(std::vector<unsigned char>(c.bytes.begin(), c.bytes.end()), c.size);
        EXPECT_EQ(file.Info().kind, ImageKind::Raw);
        EXPECT_EQ(DescribeImage("sound.vag", file.Info()), c.line);
    }
    EXPECT_EQ(FileNameOf("C:\\in\\pic1.tim"), "pic1.tim");
    EXPECT_EQ(FileNameOf("/in/car.tmd"), "car.tmd");
    EXPECT_EQ(FileNameOf("car.tmd"), "car.tmd");
}

TEST(ImageReader, ReadsFilesFromDisk) {
    TempDir dir;
    const Picture picture{2, 3, 2, 0};
    testfiles::WriteFile(dir / "pic.tim", picture.Bytes());
    testfiles::WriteFile(dir / "sound.vag", testfiles::RandomBytes(31264, 1));
    std::string large = Picture{2, 4, 4, 0}.Bytes();
    large.resize((16u << 20) + 1, '\0');
    testfiles::WriteFile(dir / "large.tim", large);

    ImageFile file;
    ASSERT_TRUE(ReadImageFile(dir / "pic.tim", file));
    EXPECT_EQ(file.Decode(), picture.Expected());
    ASSERT_TRUE(ReadImageFile(dir / "sound.vag", file));
    EXPECT_EQ(DescribeImage("sound.vag", file.Info()), "sound.vag: raw data, 31,264 bytes");
    ASSERT_TRUE(ReadImageFile(dir / "large.tim", file));
    EXPECT_EQ(file.Info().problem, "file is too large to show");
    EXPECT_FALSE(file.HasPicture());

    EXPECT_FALSE(ReadImageFile(dir / "missing.tim", file));
    EXPECT_FALSE(ReadImageFile(dir.path().string(), file)) << "a folder";
}

TEST(PreviewCanvas, LargestWholeZoomThatFits) {
    struct Case {
        int width, height;
        PreviewScale scale;
    } cases[] = {
        {256, 240, {2, 1}}, {1, 1, {512, 1}},  {512, 512, {1, 1}},  {3, 2, {170, 1}},
        {171, 2, {2, 1}},   {513, 10, {1, 2}}, {1024, 512, {1, 2}}, {100, 1537, {1, 4}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitScale(c.width, c.height), c.scale) << c.width << "x" << c.height;
}

TEST(PreviewCanvas, SeeThroughPixelsShowTheCheckerboard) {
    // Red and see-through over see-through and blue, 16 times enlarged and centred.
    const std::vector<Pixel> picture{0xffff0000, 0, 0, 0xff0000ff};
    std::vector<Pixel> area;
    ComposePreview(picture, 2, 2, {16, 1}, 40, 40, 0x00123456, area);
    ASSERT_EQ(area.size(), 1600u);
    auto at = [&](int x, int y) { return area[static_cast<size_t>(y * 40 + x)]; };
    EXPECT_EQ(at(3, 3), 0xff123456u) << "around the picture";
    EXPECT_EQ(at(36, 36), 0xff123456u);
    EXPECT_EQ(at(4, 4), 0xffff0000u);
    EXPECT_EQ(at(19, 19), 0xffff0000u);
    EXPECT_EQ(at(35, 35), 0xff0000ffu);
    EXPECT_EQ(at(20, 4), kCheckerLight) << "square 2 of the top row";
    EXPECT_EQ(at(28, 4), kCheckerDark);
    EXPECT_EQ(at(28, 12), kCheckerLight);
    EXPECT_EQ(at(4, 20), kCheckerLight);
    EXPECT_EQ(at(12, 20), kCheckerDark);

    // Too large for the area: every second pixel of every second row.
    std::vector<Pixel> wide(8 * 2);
    for (std::size_t i = 0; i < wide.size(); ++i)
        wide[i] = 0xff000000u | static_cast<Pixel>(i);
    ComposePreview(wide, 8, 2, {1, 2}, 4, 1, 0, area);
    EXPECT_EQ(area, (std::vector<Pixel>{0xff000000, 0xff000002, 0xff000004, 0xff000006}));
}

} // namespace
