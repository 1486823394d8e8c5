// Differential: the engine's buffered, table-driven emitters against the plainest
// possible formatter, on arbitrary bytes and labels.

#include "convert/Emitters.h"
#include "tests/support/ReferenceFormat.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

using namespace tavrik;

namespace {

// Every line break of the text is CR LF, the label's own line feeds included.
std::string WithCrLf(const std::string& label) {
    std::string text;
    for (std::size_t i = 0; i < label.size(); ++i) {
        if (label[i] == '\n' && (i == 0 || label[i - 1] != '\r'))
            text += '\r';
        text += label[i];
    }
    return text;
}

std::string Reference(bool c, const std::string& data, const std::string& rawLabel) {
    const std::string label = WithCrLf(rawLabel);
    return c ? testfiles::ReferenceC(data, label) : testfiles::ReferenceAsm(data, label);
}

char g_workDir[] = "/tmp/tavrik-fuzz-XXXXXX";

void RemoveWorkDir() {
    for (const char* name : {"/in.bin", "/out.c", "/out.asm"})
        unlink((std::string(g_workDir) + name).c_str());
    rmdir(g_workDir);
}

std::string WorkDir() {
    static const bool made = [] {
        if (mkdtemp(g_workDir) == nullptr)
            std::abort();
        std::atexit(RemoveWorkDir);
        return true;
    }();
    (void)made;
    return g_workDir;
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    if (size < 1)
        return 0;
    const bool c = (data[0] & 0x80) == 0;
    std::size_t labelLength = data[0] & 0x7f;
    if (labelLength > size - 1)
        labelLength = size - 1;
    const std::string label(reinterpret_cast<const char*>(data) + 1, labelLength);
    const std::string bytes(reinterpret_cast<const char*>(data) + 1 + labelLength,
                            size - 1 - labelLength);

    const std::string input = WorkDir() + "/in.bin";
    const std::string output = WorkDir() + (c ? "/out.c" : "/out.asm");
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    const ConvertResult result =
        c ? ConvertToC(input, output, label) : ConvertToAsm(input, output, label);
    if (result != CONVERT_OK)
        std::abort();
    if (Slurp(output) != Reference(c, bytes, label))
        std::abort();
    return 0;
}
