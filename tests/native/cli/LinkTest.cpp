// The converter's output as a toolchain sees it: C compiled and linked with gcc and
// its bytes read back by a program; assembler text assembled for the R3000 and its
// symbols, their binding, alignment and bytes read back from the object.

#include "tests/support/RunProgram.h"

#include <cstdint>
#include <map>
#include <sstream>

using namespace testfiles;

namespace {

struct Inputs {
    std::string first = RandomBytes(37, 11) + Bytes({0x0a, 0x0d, 0x1a});
    std::string second = Bytes({0, 1, 2, 3, 4, 5, 6, 7, 8});
};

struct OptionSet {
    const char* name;
    std::vector<std::string> args;
    bool constData, size, global, nameFromFile, header;
    unsigned align;
};

// Each option alone, then all of them together.
const OptionSet kSets[] = {
    {"plain", {}, false, false, false, false, false, 0},
    {"const", {"--const"}, true, false, false, false, false, 0},
    {"size", {"--size"}, false, true, false, false, false, 0},
    {"global", {"--global"}, false, false, true, false, false, 0},
    {"align", {"--align", "64"}, false, false, false, false, false, 64},
    {"name-from-file", {"--name-from-file"}, false, false, false, true, false, 0},
    {"header", {"--header", "gen/embed.h"}, false, false, false, false, true, 0},
    {"all",
     {"--const", "--size", "--global", "--align=16", "--name-from-file", "--header=gen/embed.h"},
     true,
     true,
     true,
     true,
     true,
     16},
};

std::vector<std::string> Labels(const OptionSet& set) {
    if (set.nameFromFile)
        return {"pic1_tim", "_2nd_bin"};
    return {"data1", "data2"};
}

Outcome Convert(const TempDir& dir, const OptionSet& set, const char* format) {
    Inputs in;
    WriteFile(dir / "pic1.tim", in.first);
    WriteFile(dir / "2nd.bin", in.second);
    fs::create_directories(dir.path() / "gen");
    std::vector<std::string> args = {"-q", "-f", format, "-o", "gen"};
    if (!set.nameFromFile)
        args.insert(args.end(), {"-l", "data"});
    args.insert(args.end(), set.args.begin(), set.args.end());
    args.insert(args.end(), {"pic1.tim", "2nd.bin"});
    return RunTavrik(dir, args);
}

std::string In(const TempDir& dir, const std::string& command) {
    return "cd " + Quote(dir.path().string()) + " && " + command;
}

// A program that writes both arrays to standard output and fails on a misaligned one.
std::string ReaderProgram(const OptionSet& set, const Inputs& in) {
    const auto labels = Labels(set);
    const std::string element = set.constData ? "const unsigned char " : "unsigned char ";
    std::string text = "#include <stdint.h>\n#include <stdio.h>\n";
    if (set.header) {
        text += "#include \"embed.h\"\n";
    } else {
        for (const auto& label : labels) {
            text += "extern " + element + label + "[];\n";
            if (set.size)
                text += "extern const unsigned int " + label + "_size;\n";
        }
    }
    text += "static int put(const unsigned char* p, unsigned int n) {\n"
            "    if ((uintptr_t)p % " +
            std::to_string(set.align ? set.align : 1) +
            " != 0) return 3;\n"
            "    return fwrite(p, 1, n, stdout) == n ? 0 : 4;\n}\n"
            "int main(void) {\n";
    const std::size_t sizes[] = {in.first.size(), in.second.size()};
    for (std::size_t i = 0; i < 2; ++i) {
        const std::string length = set.size ? labels[i] + "_size" : std::to_string(sizes[i]) + "u";
        text += "    if (put(" + labels[i] + ", " + length + ") != 0) return 3;\n";
    }
    return text + "    return 0;\n}\n";
}

TEST(Link, COutputCompilesLinksAndHoldsTheBytes) {
    for (const auto& set : kSets) {
        SCOPED_TRACE(set.name);
        TempDir dir;
        Outcome r = Convert(dir, set, "c");
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(fs::exists(dir.path() / "gen/embed.h"), set.header);
        Inputs in;
        WriteFile(dir / "main.c", ReaderProgram(set, in));
        std::string log;
        // Each array in a file of its own, so that the symbols must link.
        ASSERT_EQ(
            Shell(In(dir, "gcc -std=c99 -Wall -Wextra -Werror -Igen -c gen/pic1.c -o a.o && "
                          "gcc -std=c99 -Wall -Wextra -Werror -Igen -c gen/2nd.c -o b.o && "
                          "gcc -std=c99 -Wall -Wextra -Werror -Igen main.c a.o b.o -o reader"),
                  &log),
            0)
            << log;
        std::string bytes;
        ASSERT_EQ(Shell(In(dir, "./reader"), &bytes), 0) << bytes;
        EXPECT_TRUE(bytes == in.first + in.second);

        // const data lands in a read-only section (nm: R), writable data does not (D).
        std::string symbols;
        ASSERT_EQ(Shell(In(dir, "nm a.o"), &symbols), 0);
        const std::string label = Labels(set)[0];
        EXPECT_NE(symbols.find(std::string(set.constData ? " R " : " D ") + label + "\n"),
                  std::string::npos)
            << symbols;
        EXPECT_EQ(symbols.find(label + "_size") != std::string::npos, set.size) << symbols;
    }
}

struct ElfSymbol {
    std::uint32_t value = 0;
    std::string bind;
};

std::map<std::string, ElfSymbol> ReadSymbols(const TempDir& dir, const std::string& object) {
    std::string table;
    EXPECT_EQ(Shell(In(dir, "mipsel-linux-gnu-readelf -sW " + object), &table), 0) << table;
    std::map<std::string, ElfSymbol> symbols;
    std::istringstream lines(table);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string num, value, size, type, bind, vis, ndx, name;
        if (fields >> num >> value >> size >> type >> bind >> vis >> ndx >> name &&
            num.back() == ':' && type == "NOTYPE")
            symbols[name] = {static_cast<std::uint32_t>(std::stoul(value, nullptr, 16)), bind};
    }
    return symbols;
}

TEST(Link, AssemblerOutputAssemblesForTheR3000) {
    for (const auto& set : kSets) {
        SCOPED_TRACE(set.name);
        TempDir dir;
        Outcome r = Convert(dir, set, "asm");
        ASSERT_EQ(r.status, 0) << r.err;
        // One odd byte first, so that nothing after it starts aligned by chance.
        WriteFile(dir / "all.s", "\t.byte\t0x55\n\t.include\t\"gen/pic1.asm\"\n"
                                 "\t.include\t\"gen/2nd.asm\"\n");
        std::string log;
        ASSERT_EQ(Shell(In(dir, "mipsel-linux-gnu-as -march=r3000 -o all.o all.s && "
                                "mipsel-linux-gnu-objcopy -O binary -j .text all.o text.bin"),
                        &log),
                  0)
            << log;
        EXPECT_EQ(log, "") << "the assembler warned";
        const std::string text = ReadFile(dir / "text.bin");
        const auto symbols = ReadSymbols(dir, "all.o");
        Inputs in;
        const std::string data[] = {in.first, in.second};
        const auto labels = Labels(set);
        for (std::size_t i = 0; i < 2; ++i) {
            SCOPED_TRACE(labels[i]);
            auto found = symbols.find(labels[i]);
            ASSERT_NE(found, symbols.end());
            const ElfSymbol& symbol = found->second;
            EXPECT_EQ(symbol.bind, set.global ? "GLOBAL" : "LOCAL");
            if (set.align != 0) {
                EXPECT_EQ(symbol.value % set.align, 0u) << symbol.value;
            }
            EXPECT_TRUE(text.substr(symbol.value, data[i].size()) == data[i]);

            auto size = symbols.find(labels[i] + "_size");
            ASSERT_EQ(size != symbols.end(), set.size);
            if (!set.size)
                continue;
            EXPECT_EQ(size->second.bind, set.global ? "GLOBAL" : "LOCAL");
            ASSERT_EQ(size->second.value % 4, 0u);
            const std::string word = text.substr(size->second.value, 4);
            ASSERT_EQ(word.size(), 4u);
            std::uint32_t n = 0;
            for (int k = 3; k >= 0; --k)
                n = n << 8 | static_cast<unsigned char>(word[static_cast<std::size_t>(k)]);
            EXPECT_EQ(n, data[i].size());
        }
        if (set.header) {
            // The same declarations serve a C program that links the assembled blocks.
            WriteFile(dir / "use.c", "#include \"embed.h\"\nconst void* p[] = {" + labels[0] +
                                         ", " + labels[1] + "};\n");
            EXPECT_EQ(Shell(In(dir, "gcc -std=c99 -Wall -Werror -Igen -c use.c -o use.o"), &log), 0)
                << log;
        }
    }
}

} // namespace
