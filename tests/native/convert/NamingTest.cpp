#include "convert/OutputNaming.h"
#include "tests/support/TestFiles.h"

using namespace tavrik;
using namespace testfiles;

namespace {

TEST(Naming, SeparatorPairsCollapseFromTheLeft) {
    struct Case {
        std::string in, out;
    } cases[] = {
        {"", ""},
        {"a\\b", "a\\b"},
        {"a\\\\b", "a\\b"},
        {"a\\\\\\b", "a\\\\b"},
        {"a\\\\\\\\b", "a\\\\b"},
        {"\\\\\\\\\\", "\\\\\\"},
        {"\\\\server\\share\\\\x.c", "\\server\\share\\x.c"},
        {"a//b", "a//b"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CollapseSeparatorPairs(c.in, '\\'), c.out) << c.in;
        std::string slashed = c.in, expected = c.out;
        std::replace(slashed.begin(), slashed.end(), '\\', '#');
        std::replace(expected.begin(), expected.end(), '\\', '#');
        EXPECT_EQ(CollapseSeparatorPairs(slashed, '#'), expected) << slashed;
    }
}

TEST(Naming, OutputPathJoinsFolderTitleAndExtension) {
    struct Case {
        std::string destination, title, extension;
        char separator;
        std::string expected;
    } cases[] = {
        {"C:\\out", "pic", "c", '\\', "C:\\out\\pic.c"},
        {"C:\\out\\", "pic", "asm", '\\', "C:\\out\\pic.asm"},
        {"C:\\", "pic", "c", '\\', "C:\\pic.c"},
        {"\\\\server\\share", "pic", "c", '\\', "\\server\\share\\pic.c"},
        {"out", "a.b", "c", '\\', "out\\a.b.c"},
        {"C:\\out", "", "c", '\\', "C:\\out\\.c"},
        {"C:\\out\\\\", "pic", "c", '\\', "C:\\out\\\\pic.c"},
        {"C:/out/", "pic", "c", '\\', "C:/out/\\pic.c"},
        {"/tmp/out", "pic", "c", '/', "/tmp/out/pic.c"},
        {"/tmp/out/", "pic", "asm", '/', "/tmp/out/pic.asm"},
        {"/", "pic", "c", '/', "/pic.c"},
        {"//net/x", "pic", "c", '/', "/net/x/pic.c"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JoinOutputPath(c.destination, c.title, c.extension, c.separator), c.expected)
            << c.destination << " + " << c.title;
}

TEST(Naming, TitleIsTheNameBeforeItsLastDot) {
    const std::pair<std::string, std::string> cases[] = {
        {"pic.tim", "pic"}, {"a.b.tim", "a.b"}, {"data", "data"},
        {".tim", ""},       {"x.", "x"},        {"two words.tmd", "two words"},
    };
    for (const auto& [name, title] : cases)
        EXPECT_EQ(FileTitleOf(name), title) << name;
}

TEST(Naming, IndexedLabelAppendsTheDecimalNumber) {
    EXPECT_EQ(MakeIndexedLabel("tex", 1), "tex1");
    EXPECT_EQ(MakeIndexedLabel("tex", 10), "tex10");
    EXPECT_EQ(MakeIndexedLabel("a b", 2), "a b2");
    EXPECT_EQ(MakeIndexedLabel("%d", 3), "%d3");
    EXPECT_EQ(MakeIndexedLabel("x", 123456), "x123456");
}

TEST(Naming, OutputPathComesFromTheFileOnDisk) {
    TempDir dir;
    for (const char* name : {"pic.tim", "a.b.tim", "data", ".tim"})
        WriteFile(dir / name, "");
    const std::string out = dir.path().string();
    const std::string sep(1, kPathSeparator);
    EXPECT_EQ(MakeOutputPath(dir / "pic.tim", out, "c"), out + sep + "pic.c");
    EXPECT_EQ(MakeOutputPath(dir / "a.b.tim", out, "asm"), out + sep + "a.b.asm");
    EXPECT_EQ(MakeOutputPath(dir / "data", out, "c"), out + sep + "data.c");
    EXPECT_EQ(MakeOutputPath(dir / ".tim", out, "c"), out + sep + ".c");
    EXPECT_EQ(MakeOutputPath(dir / "pic.tim", out + sep, "c"), out + sep + "pic.c");
    EXPECT_EQ(MakeOutputPath(dir / "gone.tim", out, "c"), "");
    EXPECT_EQ(MakeOutputPath("", out, "c"), "");
}

} // namespace
