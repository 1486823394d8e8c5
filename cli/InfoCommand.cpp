#include "cli/InfoCommand.h"

#include "preview/ImageReader.h"

namespace tavrik {

bool PrintFileInfo(const std::vector<std::string>& files, std::FILE* out, std::FILE* err) {
    bool allRead = true;
    for (const std::string& path : files) {
        ImageFile file;
        if (ReadImageFile(path, file)) {
            std::fprintf(out, "%s\n", DescribeImage(path, file.Info()).c_str());
        } else {
            std::fprintf(err, "%s\n", DescribeUnreadable(path).c_str());
            allRead = false;
        }
    }
    return allRead;
}

} // namespace tavrik
