#include "os/FileSystem.h"
#include "convert/Symbols.h"
#include "tests/support/TestFiles.h"

using namespace tavrik;
using namespace testfiles;

namespace {

TEST(Symbols, ValidityPerFormat) {
    struct Case {
        std::string label;
        bool c, asm_;
    } cases[] = {
        {"tex", true, true},      {"_x9", true, true},        {"3d model", false, false},
        {"3d", false, false},     {"a b", false, false},      {"", false, false},
        {"pic.tim", false, true}, {"$x", false, true},        {"int", false, true},
        {"x-y", false, false},    {"\xc3\x84", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsValidSymbol(c.label, SourceFormat::C), c.c) << c.label;
        EXPECT_EQ(IsValidSymbol(c.label, SourceFormat::Asm), c.asm_) << c.label;
    }
}

TEST(Symbols, FromFileNames) {
    struct Case {
        std::string path, symbol;
    } cases[] = {
        {"pic1.tim", "pic1_tim"},
        {"/data/sub.dir/model.tmd", "model_tmd"},
        {"art\\sky-box.tim", "sky_box_tim"},
        {"3d.tmd", "_3d_tmd"},
        {"int", "int_"},
        {".hidden", "_hidden"},
        {"caf\xc3\xa9.bin", "caf___bin"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SymbolFromFileName(c.path), c.symbol) << c.path;
        EXPECT_TRUE(IsValidSymbol(SymbolFromFileName(c.path), SourceFormat::C)) << c.path;
    }
}

TEST(Symbols, HeaderIsRewrittenOnlyWhenItChanges) {
    TempDir dir;
    const std::string path = dir / "h.h";
    const std::string text = DeclarationHeader(path, {"a"}, {});
    EXPECT_NE(text.find("#ifndef H_H\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("extern unsigned char a[];\r\n"), std::string::npos) << text;
    ASSERT_TRUE(WriteHeaderFile(path, text));
    EXPECT_EQ(ReadFile(path), text);
    const auto written = fs::last_write_time(path);
    fs::last_write_time(path, written - std::chrono::hours(1));
    ASSERT_TRUE(WriteHeaderFile(path, text));
    EXPECT_EQ(fs::last_write_time(path), written - std::chrono::hours(1));
    const std::string other = DeclarationHeader(path, {"a", "b"}, {true, true, false, 0});
    ASSERT_TRUE(WriteHeaderFile(path, other));
    EXPECT_EQ(ReadFile(path), other);
    EXPECT_FALSE(WriteHeaderFile(dir / "missing/h.h", text));
}

} // namespace
