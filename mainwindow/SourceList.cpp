#include "mainwindow/SourceList.h"

#include <algorithm>
#include <unordered_set>

namespace tavrik {

std::vector<std::string> ExpandFolders(const std::vector<std::string>& paths,
                                       const FolderLister& listFolder) {
    std::vector<std::string> expanded;
    for (const std::string& path : paths) {
        std::vector<std::string> names;
        if (path.empty() || !listFolder(path, names)) {
            expanded.push_back(path);
            continue;
        }
        const bool separated = path.back() == '\\' || path.back() == '/';
        for (const std::string& name : names)
            expanded.push_back(separated ? path + name : path + '\\' + name);
    }
    return expanded;
}

std::vector<std::string> NewEntries(const std::vector<std::string>& listed,
                                    const std::vector<std::string>& paths) {
    std::unordered_set<std::string> seen(listed.begin(), listed.end());
    std::vector<std::string> fresh;
    for (const std::string& path : paths) {
        if (!path.empty() && seen.insert(path).second)
            fresh.push_back(path);
    }
    return fresh;
}

int HorizontalExtent(const std::vector<int>& textWidths, int margin) {
    if (textWidths.empty())
        return 0;
    return std::max(0, *std::max_element(textWidths.begin(), textWidths.end())) + margin;
}

} // namespace tavrik
