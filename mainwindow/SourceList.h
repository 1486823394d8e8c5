// The rules of the source list, without the window system: which paths join it,
// what a dropped folder brings, and how far the list must scroll sideways.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tavrik {

// Fills |names| with the files directly inside |path|; false when |path| is no folder.
using FolderLister = std::function<bool(const std::string& path, std::vector<std::string>& names)>;

// Dropped or given paths as list entries: a folder stands for the files directly
// inside it (its subfolders are left out, and an empty folder brings nothing),
// anything else for itself.
std::vector<std::string> ExpandFolders(const std::vector<std::string>& paths,
                                       const FolderLister& listFolder);

// The paths that join a list holding |listed|, in their order: empty paths and exact
// duplicates, of an entry or of an earlier path, stay out. Letter case counts, so
// two spellings of one file both join.
std::vector<std::string> NewEntries(const std::vector<std::string>& listed,
                                    const std::vector<std::string>& paths);

// The list's horizontal extent for entries of the given text widths: the widest
// plus |margin|, so that its last character can be scrolled into view; 0 for an
// empty list, which hides the scroll bar.
int HorizontalExtent(const std::vector<int>& textWidths, int margin);

} // namespace tavrik
