#pragma once

#include "convert/ConversionRun.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace tavrik {

// |text| with its control characters written as escapes (\n, \033, ...), the way ls
// shows file names, so that a name cannot move the cursor, recolour or clear a terminal.
std::string EscapeControlCharacters(const std::string& text);

// Runs a conversion for a terminal: messages go to standard error one a line,
// and progress is drawn there when it is a terminal.
class TerminalHost : public ConvertHost {
  public:
    TerminalHost(ConvertFields fields, std::vector<std::string> entries, bool showProgress,
                 std::FILE* messages = stderr);

    bool Refused() const { return m_refused; }
    bool AnyEntryFailed() const { return m_entryFailed; }

    ConvertFields ReadFields() override;
    int GetEntryCount() override;
    std::string GetEntryText(int index) override;
    void SetProgressRange(std::int32_t lower, std::int32_t upper) override;
    void SetProgressStep(int step) override;
    void StepProgress() override;
    void SetProgressPosition(int position) override;
    bool MakeSureDirectoryPathExists(std::string path) override;
    void ShowMessage(std::string text, MessageKind kind) override;
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void ShowEntryBytes(std::uint64_t converted, std::uint64_t total) override;
    std::string ShowablePath(std::string path) override;

  private:
    void Draw(const std::string& line);
    void ClearLine();

    ConvertFields m_fields;
    std::vector<std::string> m_entries;
    bool m_showProgress;
    std::FILE* m_messages;
    bool m_refused = false;
    bool m_entryFailed = false;
    std::int32_t m_upper = 0;
    int m_position = 0;
    int m_step = 1;
    std::size_t m_drawn = 0;
    std::chrono::steady_clock::time_point m_lastDraw{};
};

} // namespace tavrik
