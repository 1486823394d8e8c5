// How an output file gets written: beside its target under a temporary name and then
// renamed over it, so that a failed run leaves the old file whole; in place where a
// rename cannot stand in for writing (devices, pipes, files with other links or an
// owner that cannot be kept).
#pragma once

#include "convert/Emitters.h"
#include "os/FileSystem.h"

#include <functional>
#include <string>

namespace tavrik {

// Whether two open files are one file on disk.
bool IsSameFile(const tavrik::os::File& a, const tavrik::os::File& b);

// Writes the text that |write| puts into the open output over |outputPath|; refuses
// when that would overwrite |input| itself.
using OutputWriter = std::function<ConvertResult(tavrik::os::File& output)>;
ConvertResult ReplaceOutputFile(const tavrik::os::File& input, const std::string& outputPath,
                                const OutputWriter& write);

} // namespace tavrik
