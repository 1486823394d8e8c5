#include "Emitters.h"
#include "TestFiles.h"

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
