// The path rules against straightforward restatements of them, and their invariants.

#include "convert/OutputNaming.h"

#include <cstdlib>
#include <string>

using namespace tavrik;

namespace {

// Replace every pair by one separator, searching on after each replacement.
std::string ReferenceCollapse(std::string s, char separator) {
    const std::string pair(2, separator), one(1, separator);
    std::size_t at = 0;
    while ((at = s.find(pair, at)) != std::string::npos) {
        s.replace(at, 2, one);
        at += 1;
    }
    return s;
}

void Check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    if (size < 2)
        return 0;
    const char separator = (data[0] & 1) ? '\\' : '/';
    const std::string text(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::size_t cut = text.empty() ? 0 : data[1] % (text.size() + 1);
    const std::string destination = text.substr(0, cut), name = text.substr(cut);

    const std::string collapsed = CollapseSeparatorPairs(text, separator);
    Check(collapsed == ReferenceCollapse(text, separator));
    Check(collapsed.size() <= text.size());

    const std::string title = FileTitleOf(name);
    Check(name.compare(0, title.size(), title) == 0);
    if (title.size() < name.size()) {
        Check(name[title.size()] == '.');
        Check(name.find('.', title.size() + 1) == std::string::npos);
    } else {
        Check(name.find('.') == std::string::npos);
    }

    const std::string joined = JoinOutputPath(destination, title, "asm", separator);
    Check(joined == ReferenceCollapse(destination + separator + title + ".asm", separator));
    Check(joined.size() >= 4 && joined.compare(joined.size() - 4, 4, ".asm") == 0);
    return 0;
}
