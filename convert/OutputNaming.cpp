#include "convert/OutputNaming.h"

#include "os/FileSystem.h"

namespace tavrik {

std::string FileTitleOf(const std::string& fileName) {
    std::size_t dot = fileName.rfind('.');
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

std::string CollapseSeparatorPairs(std::string path, char separator) {
    std::string collapsed;
    collapsed.reserve(path.size());
    for (std::size_t i = 0; i < path.size(); ++i) {
        collapsed += path[i];
        if (path[i] == separator && i + 1 < path.size() && path[i + 1] == separator)
            ++i;
    }
    return collapsed;
}

std::string JoinOutputPath(const std::string& destination, const std::string& title,
                           const std::string& extension, char separator) {
    return CollapseSeparatorPairs(destination + separator + title + '.' + extension, separator);
}

std::string MakeOutputPath(std::string inputPath, std::string destination, std::string extension) {
    std::string name;
    if (!tavrik::os::FindFileName(inputPath, name))
        return std::string();
    return JoinOutputPath(destination, FileTitleOf(name), extension, kPathSeparator);
}

std::string MakeIndexedLabel(std::string label, int number) {
    return label + std::to_string(number);
}

} // namespace tavrik
