// The parsing of the arguments alone; it runs natively and under Wine, since
// glibc and mingw-w64 bring getopt_long implementations of their own.

#include "cli/CommandLine.h"

#include <gtest/gtest.h>

using namespace tavrik;

namespace {

TEST(CommandLineParsing, OptionsInEveryForm) {
    struct Case {
        std::vector<std::string> args;
        SourceFormat format;
        std::string label, output;
        std::vector<std::string> files;
    } cases[] = {
        {{"a"}, SourceFormat::C, "Label", ".", {"a"}},
        {{"-fasm", "-lx", "-oout", "a"}, SourceFormat::Asm, "x", "out", {"a"}},
        {{"--format", "asm", "--label=y", "--output=", "a", "b"},
         SourceFormat::Asm,
         "y",
         "",
         {"a", "b"}},
        {{"-l", "-q", "--", "-f", "-"}, SourceFormat::C, "-q", ".", {"-f", "-"}},
        {{"b", "-q", "a", "--", "--size"}, SourceFormat::C, "Label", ".", {"b", "a", "--size"}},
    };
    for (const auto& c : cases) {
        CommandLine line;
        EXPECT_EQ(ParseCommandLine(c.args, line), "") << ::testing::PrintToString(c.args);
        EXPECT_EQ(line.format, c.format);
        EXPECT_EQ(line.label, c.label);
        EXPECT_EQ(line.output, c.output);
        EXPECT_EQ(line.files, c.files);
    }
    CommandLine plain;
    ASSERT_EQ(ParseCommandLine({"a"}, plain), "");
    EXPECT_FALSE(plain.options.constData || plain.options.sizeSymbol || plain.options.globalLabel ||
                 plain.nameFromFile);
    EXPECT_EQ(plain.options.align, 0u);
    EXPECT_EQ(plain.header, "");
    CommandLine all;
    ASSERT_EQ(ParseCommandLine({"--const", "--size", "a", "--global", "--align", "8",
                                "--name-from-file", "--header", "x.h", "b"},
                               all),
              "");
    EXPECT_TRUE(all.options.constData && all.options.sizeSymbol && all.options.globalLabel &&
                all.nameFromFile);
    EXPECT_EQ(all.options.align, 8u);
    EXPECT_EQ(all.header, "x.h");
    EXPECT_EQ(all.files, (std::vector<std::string>{"a", "b"}));

    EXPECT_EQ(UniqueFiles({"b", "a", "b", "./b", "a"}),
              (std::vector<std::string>{"b", "a", "./b"}));
}

TEST(CommandLineParsing, ErrorsNameTheOption) {
    struct Case {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"-qx", "a"}, "unknown option -x"},
        {{"--bogus", "a"}, "unknown option --bogus"},
        {{"--bogus=1", "a"}, "unknown option --bogus"},
        {{"a", "--label"}, "option --label needs a value"},
        {{"a", "-o"}, "option -o needs a value"},
        {{"--quiet=yes", "a"}, "option --quiet takes no value"},
        {{"--const=1", "a"}, "option --const takes no value"},
        {{"--align", "3", "a"}, "--align needs a power of two from 1 to 65536, not \"3\""},
        {{"--align=0", "a"}, "--align needs a power of two from 1 to 65536, not \"0\""},
        {{"--align=131072", "a"}, "--align needs a power of two from 1 to 65536, not \"131072\""},
        {{"--align=-4", "a"}, "--align needs a power of two from 1 to 65536, not \"-4\""},
        {{"--align=16k", "a"}, "--align needs a power of two from 1 to 65536, not \"16k\""},
        {{"--header=", "a"}, "option --header needs a file name"},
        {{"-l", "x", "--name-from-file", "a"},
         "options --label and --name-from-file exclude each other"},
    };
    for (const auto& c : cases) {
        CommandLine line;
        EXPECT_EQ(ParseCommandLine(c.args, line), c.message) << ::testing::PrintToString(c.args);
    }
}

} // namespace
