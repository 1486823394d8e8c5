#include "os/FileSystem.h"
#include "mainwindow/SourceList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <unistd.h>

using namespace tavrik;

namespace {

using Paths = std::vector<std::string>;

// A disk of two folders: D:\tex holds files and a subfolder, D:\empty nothing.
bool FakeDisk(const std::string& path, Paths& names) {
    static const std::map<std::string, Paths> folders = {
        {"D:\\tex", {"b.tim", "a.tmd", "x y.tim"}},
        {"D:\\tex\\", {"b.tim", "a.tmd", "x y.tim"}},
        {"D:/tex", {"b.tim"}},
        {"D:\\empty", {}},
    };
    auto it = folders.find(path);
    if (it == folders.end())
        return false;
    names = it->second;
    return true;
}

TEST(SourceListRules, FoldersStandForTheFilesDirectlyInside) {
    struct Case {
        const char* name;
        Paths dropped;
        Paths expected;
    };
    const Case cases[] = {
        {"files stay as they are", {"C:\\a.tim", "C:\\b.tim"}, {"C:\\a.tim", "C:\\b.tim"}},
        {"folder brings its files",
         {"D:\\tex"},
         {"D:\\tex\\b.tim", "D:\\tex\\a.tmd", "D:\\tex\\x y.tim"}},
        {"folder with a trailing separator gets no second one",
         {"D:\\tex\\"},
         {"D:\\tex\\b.tim", "D:\\tex\\a.tmd", "D:\\tex\\x y.tim"}},
        {"slash-separated folder gets a backslash", {"D:/tex"}, {"D:/tex\\b.tim"}},
        {"empty folder brings nothing", {"D:\\empty", "C:\\a.tim"}, {"C:\\a.tim"}},
        {"files and folders mixed, in order",
         {"C:\\z.tim", "D:\\tex", "C:\\a.tim"},
         {"C:\\z.tim", "D:\\tex\\b.tim", "D:\\tex\\a.tmd", "D:\\tex\\x y.tim", "C:\\a.tim"}},
        {"missing path is kept for the run to report", {"C:\\gone.tim"}, {"C:\\gone.tim"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ExpandFolders(c.dropped, FakeDisk), c.expected);
    }
}

TEST(SourceListRules, OnlyNewExactPathsJoin) {
    struct Case {
        const char* name;
        Paths listed;
        Paths added;
        Paths expected;
    };
    const Case cases[] = {
        {"all new", {}, {"C:\\c", "C:\\a"}, {"C:\\c", "C:\\a"}},
        {"already listed", {"C:\\a", "C:\\b"}, {"C:\\b", "C:\\c"}, {"C:\\c"}},
        {"repeated within one addition", {}, {"C:\\a", "C:\\a", "C:\\b"}, {"C:\\a", "C:\\b"}},
        {"letter case counts", {"C:\\pic.tim"}, {"C:\\PIC.TIM"}, {"C:\\PIC.TIM"}},
        {"a slash is another path", {"C:\\in\\a"}, {"C:/in/a"}, {"C:/in/a"}},
        {"trailing blank is another path", {"C:\\a"}, {"C:\\a "}, {"C:\\a "}},
        {"empty paths never join", {}, {"", "C:\\a", ""}, {"C:\\a"}},
        {"non-ASCII bytes compared exactly",
         {"C:\\\xCE\xB1\xCE\xB2.tim"},
         {"C:\\\xCE\xB1\xCE\xB2.tim", "C:\\a\xC3\x9F.tim"},
         {"C:\\a\xC3\x9F.tim"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(NewEntries(c.listed, c.added), c.expected);
    }
}

TEST(SourceListRules, ExtentIsTheWidestEntryPlusTheMargin) {
    EXPECT_EQ(HorizontalExtent({}, 4), 0) << "an empty list scrolls nowhere";
    EXPECT_EQ(HorizontalExtent({120}, 4), 124);
    EXPECT_EQ(HorizontalExtent({30, 1450, 200}, 4), 1454) << "the widest, not the last";
    EXPECT_EQ(HorizontalExtent({0, 0}, 4), 4);
}

// The listing the window uses for a dropped folder, on a real disk.
TEST(SourceListRules, RealFolderListsItsFilesButNoSubfoldersOrHiddenFiles) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("tavrik-list-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "sub");
    for (const char* name : {"b.tim", "a.tmd", ".hidden", "sub/inner.tim"})
        std::ofstream(root / name) << "x";

    Paths names;
    ASSERT_TRUE(tavrik::os::ListFolderFiles(root.string(), names));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Paths{"a.tmd", "b.tim"}));

    Paths none;
    EXPECT_FALSE(tavrik::os::ListFolderFiles((root / "b.tim").string(), none)) << "a file";
    EXPECT_FALSE(tavrik::os::ListFolderFiles((root / "missing").string(), none));
    EXPECT_TRUE(none.empty());
    fs::remove_all(root);
}

} // namespace
