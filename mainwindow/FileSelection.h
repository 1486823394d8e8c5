// The paths of a file-open dialog's selection, without the window system.
#pragma once

#include <string>
#include <vector>

namespace tavrik {

// |buffer| holds one full path, or (multiple selection) the folder and then
// the file names, separated by NUL characters. Each name becomes the folder,
// a backslash unless the folder already ends with one or with a slash, and
// the name.
std::vector<std::string> SplitFileSelection(const std::string& buffer);

} // namespace tavrik
