// The picker's path rules on arbitrary texts, against a file system whose
// answers come from the input too: no read outside the texts, no platform call
// with a text longer than its fixed buffer, and completions that only add to
// what was typed.

#include "folderpicker/FolderPathRules.h"

#include <cstdlib>
#include <string>

using namespace tavrik;

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

class FuzzedFolders : public FolderServices {
  public:
    FuzzedFolders(const unsigned char* data, std::size_t size) : m_data(data), m_size(size) {}

    PathKind Attributes(const std::string& path) override {
        Check(path.size() < kMaxPathBytes);
        return static_cast<PathKind>(Next() % 3);
    }
    unsigned DriveType(const std::string& root) override {
        Check(root.size() == 3 && root[1] == ':' && root[2] == '\\');
        return Next() % 7;
    }
    bool CreateFolderChain(const std::string& path) override {
        Check(!path.empty() && path.back() == '\\');
        return Next() & 1;
    }
    std::vector<FoundEntry> FindEntries(const std::string& pattern) override {
        Check(pattern.size() < kMaxPathBytes && pattern.back() == '*');
        std::vector<FoundEntry> entries;
        for (unsigned count = Next() % 4; count > 0; --count) {
            std::size_t length = Next() % 12;
            std::string name;
            for (std::size_t i = 0; i < length; ++i)
                name += static_cast<char>(Next());
            entries.push_back({name, (Next() & 1) != 0});
        }
        return entries;
    }
    bool AskYesNo(const std::string&) override { return Next() & 1; }
    void ShowMessage(const std::string& text) override { Check(!text.empty()); }

  private:
    unsigned char Next() { return m_at < m_size ? m_data[m_at++] : 0; }
    const unsigned char* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    if (size < 2)
        return 0;
    // The first byte is the length of the text, stretched so that texts also
    // reach beyond the platform's buffer; the rest answers the services.
    std::size_t length = (static_cast<std::size_t>(data[0]) * 2) % (size - 1);
    const std::string text(reinterpret_cast<const char*>(data) + 1, length);
    const unsigned char* answers = data + 1 + length;
    const std::size_t answerSize = size - 1 - length;

    {
        FuzzedFolders fs(answers, answerSize);
        OpenDecision open = DecideOpen(text, fs);
        // Accepted paths are the typed text, less at most one trailing backslash.
        Check(!open.accept || open.path == text || open.path + "\\" == text);
    }
    {
        FuzzedFolders fs(answers, answerSize);
        EnterDecision enter = DecideEnter(text, fs);
        Check(enter.action == EnterDecision::Action::Nothing || enter.path == text ||
              enter.path + "\\" == text);
    }
    {
        FuzzedFolders fs(answers, answerSize);
        const int n = static_cast<int>(text.size());
        TypedResult typed = AfterTypedCharacter(data[0], text, n, n, fs);
        if (typed.action == TypedResult::Action::Complete) {
            const Completion& c = typed.completion;
            Check(c.text.compare(0, text.size(), text) == 0);
            Check(c.selStart == n && c.selEnd == static_cast<int>(c.text.size()));
        }
    }
    return 0;
}
