#pragma once

#include <string>

namespace tavrik {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

std::string MakeOutputPath(std::string inputPath, std::string destination, std::string extension);
std::string MakeIndexedLabel(std::string label, int number);

std::string FileTitleOf(const std::string& fileName);
std::string CollapseSeparatorPairs(std::string path, char separator);
std::string JoinOutputPath(const std::string& destination, const std::string& title,
                           const std::string& extension, char separator);

} // namespace tavrik
