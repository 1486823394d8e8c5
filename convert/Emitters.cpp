#include "convert/Emitters.h"

#include "os/FileSystem.h"
#include "convert/OutputFile.h"

#include <array>
#include <cstring>
#include <memory>

namespace tavrik {

using os::File;

namespace {

constexpr std::size_t kInputBufferSize = 64 * 1024;
constexpr std::size_t kOutputBufferSize = 256 * 1024;
// The longest text one byte can produce ("\r\n\t.byte\t0xNN"), plus the two bytes
// of padding that the eight-byte copies below write past their text.
constexpr std::size_t kMaxTextPerByte = 13;
constexpr std::size_t kCopySlack = 8;

// ", 0xNN" for every byte value, padded to eight bytes so that one fixed-size
// copy writes an entry; "0xNN" alone is the same entry from its third character.
struct HexTable {
    char entry[256][8];
};

constexpr HexTable MakeHexTable() {
    constexpr char digits[] = "0123456789abcdef";
    HexTable table{};
    for (int b = 0; b < 256; ++b) {
        char* e = table.entry[b];
        e[0] = ',';
        e[1] = ' ';
        e[2] = '0';
        e[3] = 'x';
        e[4] = digits[b >> 4];
        e[5] = digits[b & 15];
        e[6] = 0;
        e[7] = 0;
    }
    return table;
}

constexpr HexTable kHex = MakeHexTable();

inline char* PutHex(char* p, unsigned char b) {
    std::memcpy(p, kHex.entry[b] + 2, 4);
    return p + 4;
}

inline char* PutCommaHex(char* p, unsigned char b) {
    std::memcpy(p, kHex.entry[b], 8);
    return p + 6;
}

template <std::size_t N> inline char* PutText(char* p, const char (&text)[N]) {
    std::memcpy(p, text, N - 1);
    return p + N - 1;
}

class TextWriter {
  public:
    explicit TextWriter(File& file)
        : m_file(file), m_buffer(std::make_unique<char[]>(kOutputBufferSize)) {}

    void Append(const char* data, std::size_t size) {
        if (size > kOutputBufferSize - m_used)
            Flush();
        if (size > kOutputBufferSize) {
            if (!m_failed && !m_file.WriteAll(data, size))
                m_failed = true;
            return;
        }
        std::memcpy(m_buffer.get() + m_used, data, size);
        m_used += size;
    }
    void Append(const std::string& text) { Append(text.data(), text.size()); }
    // Text of the user's, whose line feeds become the CR LF of every other line break.
    void AppendLines(const std::string& text) {
        std::size_t from = 0;
        for (std::size_t at = text.find('\n'); at != std::string::npos;
             at = text.find('\n', at + 1)) {
            const bool paired = at > 0 && text[at - 1] == '\r';
            Append(text.data() + from, at - from);
            Append(paired ? "\n" : "\r\n", paired ? 1 : 2);
            from = at + 1;
        }
        Append(text.data() + from, text.size() - from);
    }

    char* Reserve(std::size_t size) {
        if (size > kOutputBufferSize - m_used)
            Flush();
        return m_buffer.get() + m_used;
    }
    void Commit(char* end) { m_used = static_cast<std::size_t>(end - m_buffer.get()); }
    std::size_t Room() const { return kOutputBufferSize - m_used; }

    bool Flush() {
        if (m_used > 0 && !m_failed && !m_file.WriteAll(m_buffer.get(), m_used))
            m_failed = true;
        m_used = 0;
        return !m_failed;
    }
    bool Failed() const { return m_failed; }

  private:
    File& m_file;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_used = 0;
    bool m_failed = false;
};

// Formats n bytes eight to a line; each line is opened by lineOpener. Whole lines
// take the fast path, so the column bookkeeping runs only at the ends of a block.
template <std::size_t N>
char* PutLines(char* p, const unsigned char* in, std::size_t n, unsigned& column,
               const char (&lineOpener)[N]) {
    std::size_t i = 0;
    while (i < n) {
        if (column == 0 && n - i >= 8) {
            p = PutText(p, lineOpener);
            p = PutHex(p, in[i]);
            for (int k = 1; k < 8; ++k)
                p = PutCommaHex(p, in[i + k]);
            i += 8;
            continue;
        }
        if (column == 0) {
            p = PutText(p, lineOpener);
            p = PutHex(p, in[i]);
        } else {
            p = PutCommaHex(p, in[i]);
        }
        column = (column + 1) & 7;
        ++i;
    }
    return p;
}

struct CSource {
    unsigned column = 0;
    bool first = true;

    static void Header(TextWriter& out, const std::string& label, const EmitOptions& options) {
        if (options.constData)
            out.Append("const ", 6);
        out.Append("unsigned char ", 14);
        out.AppendLines(label);
        out.Append("[]", 2);
        if (options.align != 0)
            out.Append(" __attribute__((aligned(" + std::to_string(options.align) + ")))");
        out.Append(" = {\r\n", 6);
    }
    static void Trailer(TextWriter& out, const std::string& label, std::uint64_t size,
                        const EmitOptions& options) {
        out.Append("};\r\n", 4);
        if (options.sizeSymbol)
            out.AppendLines("const unsigned int " + label + "_size = " + std::to_string(size) +
                            ";\r\n");
    }

    char* Bytes(char* p, const unsigned char* in, std::size_t n) {
        if (first && n > 0) {
            // The first byte opens the first line without a separator before it.
            p = PutHex(p, in[0]);
            first = false;
            column = 1;
            ++in;
            --n;
        }
        return PutLines(p, in, n, column, ",\r\n");
    }
};

struct AsmSource {
    unsigned column = 0;

    static void Header(TextWriter& out, const std::string& label, const EmitOptions& options) {
        if (options.globalLabel)
            out.AppendLines("\t.globl\t" + label + "\r\n");
        if (options.align != 0)
            out.Append("\t.balign\t" + std::to_string(options.align) + "\r\n");
        out.AppendLines(label);
        out.Append(":", 1);
    }
    static void Trailer(TextWriter& out, const std::string& label, std::uint64_t size,
                        const EmitOptions& options) {
        out.Append("\r\n", 2);
        if (!options.sizeSymbol)
            return;
        // A .word at an unaligned address would fault on the R3000 when read.
        if (options.globalLabel)
            out.AppendLines("\t.globl\t" + label + "_size\r\n");
        out.AppendLines("\t.balign\t4\r\n" + label + "_size:\r\n\t.word\t" + std::to_string(size) +
                        "\r\n");
    }

    char* Bytes(char* p, const unsigned char* in, std::size_t n) {
        return PutLines(p, in, n, column, "\r\n\t.byte\t");
    }
};

template <class Source>
ConvertResult Emit(File& input, File& output, const std::string& label,
                   const ByteProgress& progress, const EmitOptions& options) {
    TextWriter out(output);
    Source source;
    Source::Header(out, label, options);
    auto buffer = std::make_unique<unsigned char[]>(kInputBufferSize);
    const std::uint64_t total = input.Size();
    std::uint64_t done = 0;
    for (;;) {
        long long got = input.Read(buffer.get(), kInputBufferSize);
        if (got < 0)
            return CONVERT_READ_FAILED;
        if (got == 0)
            break;
        const unsigned char* in = buffer.get();
        std::size_t left = static_cast<std::size_t>(got);
        while (left > 0) {
            char* p = out.Reserve(kOutputBufferSize / 2);
            std::size_t slice = (out.Room() - kCopySlack) / kMaxTextPerByte;
            if (slice > left)
                slice = left;
            out.Commit(source.Bytes(p, in, slice));
            in += slice;
            left -= slice;
        }
        // A full disk stops the run at once rather than after the whole input.
        if (out.Failed())
            return CONVERT_WRITE_FAILED;
        done += static_cast<std::uint64_t>(got);
        if (progress)
            progress(done, total);
    }
    Source::Trailer(out, label, done, options);
    return out.Flush() ? CONVERT_OK : CONVERT_WRITE_FAILED;
}

ConvertResult EmitAs(SourceFormat format, File& input, File& output, const std::string& label,
                     const ByteProgress& progress, const EmitOptions& options) {
    return format == SourceFormat::C ? Emit<CSource>(input, output, label, progress, options)
                                     : Emit<AsmSource>(input, output, label, progress, options);
}

} // namespace

ConvertResult ConvertFile(SourceFormat format, const std::string& inputPath,
                          const std::string& outputPath, const std::string& label,
                          const ByteProgress& progress, const EmitOptions& options) {
    File input = File::OpenForReading(inputPath);
    if (!input.IsOpen())
        return CONVERT_INPUT_FAILED;
    if (outputPath.empty())
        return CONVERT_OUTPUT_FAILED;

    return ReplaceOutputFile(input, outputPath, [&](File& output) {
        return EmitAs(format, input, output, label, progress, options);
    });
}

ConvertResult ConvertToC(std::string inputPath, std::string outputPath, std::string label) {
    return ConvertFile(SourceFormat::C, inputPath, outputPath, label);
}

ConvertResult ConvertToAsm(std::string inputPath, std::string outputPath, std::string label) {
    return ConvertFile(SourceFormat::Asm, inputPath, outputPath, label);
}

ConvertResult ConvertToStandardOutput(SourceFormat format, const std::string& inputPath,
                                      const std::string& label, const ByteProgress& progress,
                                      const EmitOptions& options) {
    File input = File::OpenForReading(inputPath);
    if (!input.IsOpen())
        return CONVERT_INPUT_FAILED;
    File output = File::StandardOutput();
    if (!output.IsOpen())
        return CONVERT_OUTPUT_FAILED;
    // Appending a file to itself would at best double it. A disk file that cannot say
    // which file it is might be the input, so it is not written at all.
    tavrik::os::FileIdentity written;
    if (output.IsRegular() && !output.Identity(written))
        return CONVERT_OUTPUT_FAILED;
    if (output.IsRegular() && IsSameFile(input, output))
        return CONVERT_SAME_FILE;
    return EmitAs(format, input, output, label, progress, options);
}

} // namespace tavrik
