#include "mainwindow/FileSelection.h"

#include <gtest/gtest.h>

using namespace tavrik;
using namespace std::string_literals;

namespace {

struct Case {
    const char* name;
    std::string buffer;
    std::vector<std::string> paths;
};

class FileSelection : public ::testing::TestWithParam<Case> {};

TEST_P(FileSelection, YieldsOnePathPerName) {
    EXPECT_EQ(SplitFileSelection(GetParam().buffer), GetParam().paths);
}

INSTANTIATE_TEST_SUITE_P(
    Buffers, FileSelection,
    ::testing::Values(
        Case{"single", "C:\\in\\pic.tim", {"C:\\in\\pic.tim"}},
        Case{"several",
             "C:\\in\0c.tim\0a.tim\0b.tim"s,
             {"C:\\in\\c.tim", "C:\\in\\a.tim", "C:\\in\\b.tim"}},
        Case{"root keeps its one backslash", "C:\\\0a.tim\0b.tim"s, {"C:\\a.tim", "C:\\b.tim"}},
        Case{"slash ends the folder too", "Z:/tmp/\0a\0b"s, {"Z:/tmp/a", "Z:/tmp/b"}},
        Case{"network folder",
             "\\\\srv\\share\0x.tmd\0y.tmd"s,
             {"\\\\srv\\share\\x.tmd", "\\\\srv\\share\\y.tmd"}},
        Case{"names with blanks and dots",
             "C:\\my data\0a b.c.tim\0.tim"s,
             {"C:\\my data\\a b.c.tim", "C:\\my data\\.tim"}},
        Case{"nothing", "", {""}}),
    [](const ::testing::TestParamInfo<Case>& info) {
        std::string name = info.param.name;
        for (char& c : name)
            if (!isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

TEST(FileSelectionSize, ThousandsOfNamesComeBackInOrder) {
    std::string buffer = "D:\\textures";
    for (int i = 0; i < 5000; ++i)
        buffer += '\0' + ("tex" + std::to_string(i) + ".tim");
    std::vector<std::string> paths = SplitFileSelection(buffer);
    ASSERT_EQ(paths.size(), 5000u);
    EXPECT_EQ(paths.front(), "D:\\textures\\tex0.tim");
    EXPECT_EQ(paths.back(), "D:\\textures\\tex4999.tim");
}

} // namespace
