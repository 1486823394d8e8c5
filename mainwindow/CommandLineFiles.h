// The files named on the program's command line: what "Send To" and a drop onto
// the program's icon hand over.
#pragma once

#include <string>
#include <vector>

// The arguments of |commandLine| after the program's own name, as full paths in the
// active code page. A name that code page cannot spell exactly is left out and
// counted in |unusable|: a look-alike would name another file.
std::vector<std::string> CommandLineFiles(const wchar_t* commandLine, int& unusable);
