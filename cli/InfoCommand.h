#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace tavrik {

// Prints one line about each file, what it is (a TIM picture, a TMD model or raw
// data), to |out|; a file that cannot be read is named on |err|. Converts nothing.
// Answers true when every file could be read.
bool PrintFileInfo(const std::vector<std::string>& files, std::FILE* out = stdout,
                   std::FILE* err = stderr);

} // namespace tavrik
