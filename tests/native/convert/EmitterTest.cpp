#include "convert/Emitters.h"
#include "tests/support/TestFiles.h"

using namespace tavrik;
using namespace testfiles;

namespace {

struct Emitter {
    const char* name;
    ConvertResult (*convert)(std::string, std::string, std::string);
    std::string (*reference)(const std::string&, const std::string&);
};

const Emitter kEmitters[] = {
    {"C", ConvertToC, ReferenceC},
    {"Asm", ConvertToAsm, ReferenceAsm},
};

std::string Convert(const Emitter& emitter, const std::string& data, const std::string& label) {
    TempDir dir;
    WriteFile(dir / "in.bin", data);
    EXPECT_EQ(emitter.convert(dir / "in.bin", dir / "out.txt", label), CONVERT_OK) << emitter.name;
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"in.bin", "out.txt"})) << emitter.name;
    return ReadFile(dir / "out.txt");
}

const std::string kTen = Bytes({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});

TEST(Emitters, WorkedExampleIsExact) {
    EXPECT_EQ(Convert(kEmitters[0], kTen, "tex"),
              "unsigned char tex[] = {\r\n"
              "0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07,\r\n"
              "0x08, 0x09};\r\n");
    EXPECT_EQ(Convert(kEmitters[1], kTen, "tex"),
              "tex:\r\n"
              "\t.byte\t0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07\r\n"
              "\t.byte\t0x08, 0x09\r\n");
}

TEST(Emitters, SmallSizesAreExact) {
    struct Case {
        std::string data, c, asm_;
    } cases[] = {
        {"", "unsigned char L[] = {\r\n};\r\n", "L:\r\n"},
        {Bytes({0xff}), "unsigned char L[] = {\r\n0xff};\r\n", "L:\r\n\t.byte\t0xff\r\n"},
        {std::string(8, '\xab'),
         "unsigned char L[] = {\r\n0xab, 0xab, 0xab, 0xab, 0xab, 0xab, 0xab, 0xab};\r\n",
         "L:\r\n\t.byte\t0xab, 0xab, 0xab, 0xab, 0xab, 0xab, 0xab, 0xab\r\n"},
        {std::string(9, '\x10'),
         "unsigned char L[] = {\r\n0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10,\r\n0x10};\r\n",
         "L:\r\n\t.byte\t0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10\r\n\t.byte\t0x10\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data.size());
        EXPECT_EQ(Convert(kEmitters[0], c.data, "L"), c.c);
        EXPECT_EQ(Convert(kEmitters[1], c.data, "L"), c.asm_);
    }
}

TEST(Emitters, ControlBytesAreTakenUnchanged) {
    // Line feed, carriage return and the DOS end-of-file mark must neither end the
    // reading nor be translated.
    const std::string data = Bytes({0x0a, 0x0d, 0x1a, 0x00, 0x0d, 0x0a, 0x1a, 0x41, 0x1a});
    EXPECT_EQ(
        Convert(kEmitters[0], data, "x"),
        "unsigned char x[] = {\r\n0x0a, 0x0d, 0x1a, 0x00, 0x0d, 0x0a, 0x1a, 0x41,\r\n0x1a};\r\n");
    for (const auto& emitter : kEmitters)
        EXPECT_EQ(Convert(emitter, data, "x"), emitter.reference(data, "x")) << emitter.name;
}

TEST(Emitters, LabelsAreWrittenVerbatim) {
    const std::string data = Bytes({1, 2});
    for (const std::string label : {"%s%d%n", "  two words ", "a\"b\\c", "x[3]", "ÄÖ"}) {
        EXPECT_EQ(Convert(kEmitters[0], data, label),
                  "unsigned char " + label + "[] = {\r\n0x01, 0x02};\r\n");
        EXPECT_EQ(Convert(kEmitters[1], data, label), label + ":\r\n\t.byte\t0x01, 0x02\r\n");
    }
    // A label longer than the output buffer goes out whole.
    const std::string huge(300 * 1024, 'q');
    for (const auto& emitter : kEmitters)
        EXPECT_EQ(Convert(emitter, data, huge), emitter.reference(data, huge)) << emitter.name;
}

TEST(Emitters, LinkingOptionsAddOnlyWhatTheyName) {
    struct Case {
        const char* name;
        EmitOptions options;
        std::string c, asm_;
    } cases[] = {
        {"const",
         {true, false, false, 0},
         "const unsigned char t[] = {\r\n0x01, 0x02};\r\n",
         "t:\r\n\t.byte\t0x01, 0x02\r\n"},
        {"size",
         {false, true, false, 0},
         "unsigned char t[] = {\r\n0x01, 0x02};\r\nconst unsigned int t_size = 2;\r\n",
         "t:\r\n\t.byte\t0x01, 0x02\r\n\t.balign\t4\r\nt_size:\r\n\t.word\t2\r\n"},
        {"global",
         {false, false, true, 0},
         "unsigned char t[] = {\r\n0x01, 0x02};\r\n",
         "\t.globl\tt\r\nt:\r\n\t.byte\t0x01, 0x02\r\n"},
        {"align",
         {false, false, false, 32},
         "unsigned char t[] __attribute__((aligned(32))) = {\r\n0x01, 0x02};\r\n",
         "\t.balign\t32\r\nt:\r\n\t.byte\t0x01, 0x02\r\n"},
        {"all",
         {true, true, true, 4},
         "const unsigned char t[] __attribute__((aligned(4))) = {\r\n0x01, "
         "0x02};\r\nconst unsigned int t_size = 2;\r\n",
         "\t.globl\tt\r\n\t.balign\t4\r\nt:\r\n\t.byte\t0x01, "
         "0x02\r\n\t.globl\tt_size\r\n\t.balign\t4\r\nt_size:\r\n\t.word\t2\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        WriteFile(dir / "in.bin", Bytes({1, 2}));
        ASSERT_EQ(ConvertFile(SourceFormat::C, dir / "in.bin", dir / "o.c", "t", {}, c.options),
                  CONVERT_OK);
        ASSERT_EQ(ConvertFile(SourceFormat::Asm, dir / "in.bin", dir / "o.s", "t", {}, c.options),
                  CONVERT_OK);
        EXPECT_EQ(ReadFile(dir / "o.c"), c.c);
        EXPECT_EQ(ReadFile(dir / "o.s"), c.asm_);
    }
    // The size is the number of bytes, also past the buffers and for nothing at all.
    TempDir dir;
    const std::string big = RandomBytes(200 * 1024 + 3, 5);
    for (const std::string& data : {std::string(), big}) {
        WriteFile(dir / "in.bin", data);
        ASSERT_EQ(ConvertFile(SourceFormat::C, dir / "in.bin", dir / "o.c", "t", {},
                              {false, true, false, 0}),
                  CONVERT_OK);
        EXPECT_EQ(ReadFile(dir / "o.c"), ReferenceC(data, "t") + "const unsigned int t_size = " +
                                             std::to_string(data.size()) + ";\r\n");
    }
}

TEST(Emitters, LineFeedsInALabelBecomeCrLf) {
    const std::string data = Bytes({1});
    struct Case {
        std::string label, written;
    } cases[] = {
        {"a\nb", "a\r\nb"}, {"\n\nx\n", "\r\n\r\nx\r\n"}, {"a\r\nb", "a\r\nb"},
        {"a\rb", "a\rb"},   {"\r\n\n", "\r\n\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Convert(kEmitters[0], data, c.label),
                  "unsigned char " + c.written + "[] = {\r\n0x01};\r\n");
        EXPECT_EQ(Convert(kEmitters[1], data, c.label), c.written + ":\r\n\t.byte\t0x01\r\n");
    }
}

TEST(Emitters, BufferBoundarySizesMatchReference) {
    // Around the 64 KiB read buffer, and around the points where the text of a slice
    // fills the 256 KiB output buffer.
    const std::size_t k = 64 * 1024;
    for (std::size_t size : {k - 1, k, k + 1, 2 * k - 7, 2 * k + 8, 3 * k + 3, 10 * k + 5}) {
        const std::string data = RandomBytes(size, static_cast<unsigned>(size));
        for (const auto& emitter : kEmitters)
            EXPECT_EQ(Convert(emitter, data, "big"), emitter.reference(data, "big"))
                << emitter.name << " " << size;
    }
}

TEST(Emitters, EveryByteValueIsTwoLowercaseDigits) {
    std::string data;
    for (int b = 0; b < 256; ++b)
        data += static_cast<char>(b);
    for (const auto& emitter : kEmitters)
        EXPECT_EQ(Convert(emitter, data, "all"), emitter.reference(data, "all")) << emitter.name;
}

TEST(Emitters, ExistingOutputIsReplaced) {
    for (const auto& emitter : kEmitters) {
        TempDir dir;
        WriteFile(dir / "in.bin", Bytes({7}));
        WriteFile(dir / "out.txt", std::string(5000, 'z'));
        ASSERT_EQ(emitter.convert(dir / "in.bin", dir / "out.txt", "r"), CONVERT_OK);
        EXPECT_EQ(ReadFile(dir / "out.txt"), emitter.reference(Bytes({7}), "r")) << emitter.name;
        EXPECT_EQ(dir.Names(), (std::vector<std::string>{"in.bin", "out.txt"}));
    }
}

TEST(Emitters, MissingInputLeavesOutputAlone) {
    for (const auto& emitter : kEmitters) {
        TempDir dir;
        WriteFile(dir / "out.txt", "keep me");
        EXPECT_EQ(emitter.convert(dir / "nothing.bin", dir / "out.txt", "r"), CONVERT_INPUT_FAILED);
        EXPECT_EQ(emitter.convert("", dir / "out.txt", "r"), CONVERT_INPUT_FAILED);
        EXPECT_EQ(emitter.convert(dir.path().string(), dir / "out.txt", "r"), CONVERT_INPUT_FAILED)
            << "a folder is no input file";
        EXPECT_EQ(ReadFile(dir / "out.txt"), "keep me");
        EXPECT_EQ(emitter.convert(dir / "nothing.bin", dir / "new.txt", "r"), CONVERT_INPUT_FAILED);
        EXPECT_EQ(dir.Names(), std::vector<std::string>{"out.txt"}) << emitter.name;
    }
}

} // namespace
