#include "mainwindow/FileSelection.h"

namespace tavrik {

std::vector<std::string> SplitFileSelection(const std::string& buffer) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= buffer.size()) {
        size_t end = buffer.find('\0', start);
        if (end == std::string::npos)
            end = buffer.size();
        parts.push_back(buffer.substr(start, end - start));
        start = end + 1;
    }
    if (parts.size() <= 1)
        return parts;

    const std::string& folder = parts.front();
    bool separated = !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
    std::vector<std::string> paths;
    for (size_t i = 1; i < parts.size(); ++i)
        paths.push_back(separated ? folder + parts[i] : folder + '\\' + parts[i]);
    return paths;
}

} // namespace tavrik
