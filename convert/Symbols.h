#pragma once

#include "convert/Emitters.h"

#include <string>
#include <vector>

namespace tavrik {

// Whether a toolchain takes the label as a symbol name: C wants an identifier that
// is no keyword, the assembler also allows '.' and '$'.
bool IsValidSymbol(const std::string& label, SourceFormat format);

// A symbol for a file: its name with the extension, every other character than a
// letter, a digit or '_' made '_' ("pic1.tim" gives "pic1_tim").
std::string SymbolFromFileName(const std::string& path);

// A C header that declares the arrays (and with sizeSymbol their sizes) of one run,
// for C and for assembler output alike.
std::string DeclarationHeader(const std::string& headerPath, const std::vector<std::string>& labels,
                              const EmitOptions& options);

// Writes the header unless the file already holds exactly this text, so that a build
// that runs the converter again does not recompile everything that includes it.
bool WriteHeaderFile(const std::string& path, const std::string& text);

} // namespace tavrik
