#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tavrik {

enum ConvertResult : int {
    CONVERT_OK = 0,
    CONVERT_INPUT_FAILED = 1,
    CONVERT_OUTPUT_FAILED = 2,
    CONVERT_WRITE_FAILED = 3,
    CONVERT_READ_FAILED = 4,
    CONVERT_SAME_FILE = 5,
};

enum class SourceFormat { C, Asm };

// Opt-in additions for output that links as it is. The default is the plain format
// that the window writes.
struct EmitOptions {
    bool constData = false;   // C: const unsigned char
    bool sizeSymbol = false;  // LABEL_size after the data
    bool globalLabel = false; // assembler: .globl LABEL
    unsigned align = 0;       // a power of two; 0 leaves the alignment to the toolchain
};

using ByteProgress = std::function<void(std::uint64_t converted, std::uint64_t total)>;

ConvertResult ConvertToC(std::string inputPath, std::string outputPath, std::string label);
ConvertResult ConvertToAsm(std::string inputPath, std::string outputPath, std::string label);

ConvertResult ConvertFile(SourceFormat format, const std::string& inputPath,
                          const std::string& outputPath, const std::string& label,
                          const ByteProgress& progress = {}, const EmitOptions& options = {});

ConvertResult ConvertToStandardOutput(SourceFormat format, const std::string& inputPath,
                                      const std::string& label, const ByteProgress& progress = {},
                                      const EmitOptions& options = {});

} // namespace tavrik
