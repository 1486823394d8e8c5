#include "convert/Symbols.h"

#include "os/FileSystem.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace tavrik {

namespace {

// Every keyword of C up to C23, so that no generated symbol collides with one.
const char* const kCKeywords[] = {
    "_Alignas",
    "_Alignof",
    "_Atomic",
    "_BitInt",
    "_Bool",
    "_Complex",
    "_Decimal128",
    "_Decimal32",
    "_Decimal64",
    "_Generic",
    "_Imaginary",
    "_Noreturn",
    "_Static_assert",
    "_Thread_local",
    "alignas",
    "alignof",
    "auto",
    "bool",
    "break",
    "case",
    "char",
    "const",
    "constexpr",
    "continue",
    "default",
    "do",
    "double",
    "else",
    "enum",
    "extern",
    "false",
    "float",
    "for",
    "goto",
    "if",
    "inline",
    "int",
    "long",
    "nullptr",
    "register",
    "restrict",
    "return",
    "short",
    "signed",
    "sizeof",
    "static",
    "static_assert",
    "struct",
    "switch",
    "thread_local",
    "true",
    "typedef",
    "typeof",
    "typeof_unqual",
    "union",
    "unsigned",
    "void",
    "volatile",
    "while",
};

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsCKeyword(const std::string& word) {
    return std::find_if(std::begin(kCKeywords), std::end(kCKeywords),
                        [&](const char* k) { return word == k; }) != std::end(kCKeywords);
}

std::string FileNameOf(const std::string& path) {
    std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

bool IsValidSymbol(const std::string& label, SourceFormat format) {
    if (label.empty() || IsAsciiDigit(label[0]))
        return false;
    for (char c : label) {
        bool allowed = IsAsciiLetter(c) || IsAsciiDigit(c) || c == '_' ||
                       (format == SourceFormat::Asm && (c == '.' || c == '$'));
        if (!allowed)
            return false;
    }
    return format == SourceFormat::Asm || !IsCKeyword(label);
}

std::string SymbolFromFileName(const std::string& path) {
    std::string symbol = FileNameOf(path);
    for (char& c : symbol)
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c))
            c = '_';
    if (symbol.empty() || IsAsciiDigit(symbol[0]))
        symbol.insert(symbol.begin(), '_');
    if (IsCKeyword(symbol))
        symbol += '_';
    return symbol;
}

std::string DeclarationHeader(const std::string& headerPath, const std::vector<std::string>& labels,
                              const EmitOptions& options) {
    std::string guard = SymbolFromFileName(headerPath);
    std::transform(guard.begin(), guard.end(), guard.begin(), [](char c) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    });
    // A guard like _EMBED_H would be a name reserved to the implementation.
    if (guard[0] == '_')
        guard.insert(0, "TAVRIK");

    const std::string element = options.constData ? "const unsigned char " : "unsigned char ";
    std::string text = "#ifndef " + guard + "\r\n#define " + guard + "\r\n\r\n" +
                       "#ifdef __cplusplus\r\nextern \"C\" {\r\n#endif\r\n\r\n";
    for (const auto& label : labels) {
        text += "extern " + element + label + "[];\r\n";
        if (options.sizeSymbol)
            text += "extern const unsigned int " + label + "_size;\r\n";
    }
    text += "\r\n#ifdef __cplusplus\r\n}\r\n#endif\r\n\r\n#endif\r\n";
    return text;
}

bool WriteHeaderFile(const std::string& path, const std::string& text) {
    using tavrik::os::File;
    {
        File existing = File::OpenForReading(path);
        if (existing.IsOpen() && existing.Size() == text.size()) {
            std::string held(text.size(), '\0');
            std::size_t got = 0;
            while (got < held.size()) {
                long long n = existing.Read(held.data() + got, held.size() - got);
                if (n <= 0)
                    break;
                got += static_cast<std::size_t>(n);
            }
            if (got == held.size() && held == text)
                return true;
        }
    }
    File output = File::CreateTruncating(path);
    if (!output.IsOpen())
        return false;
    const bool written = output.WriteAll(text.data(), text.size());
    return output.Close() && written;
}

} // namespace tavrik
