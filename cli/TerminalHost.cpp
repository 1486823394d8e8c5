#include "cli/TerminalHost.h"

#include "os/FileSystem.h"

#include <utility>

namespace tavrik {

namespace {

// Files smaller than this finish too fast for a byte count to be worth drawing.
constexpr std::uint64_t kShowBytesFrom = 8 * 1024 * 1024;
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

std::string Mebibytes(std::uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(bytes) / (1024.0 * 1024.0));
    return text;
}

} // namespace

std::string EscapeControlCharacters(const std::string& text) {
    std::string shown;
    shown.reserve(text.size());
    auto octal = [&shown](unsigned char c) {
        shown += '\\';
        shown += static_cast<char>('0' + (c >> 6));
        shown += static_cast<char>('0' + ((c >> 3) & 7));
        shown += static_cast<char>('0' + (c & 7));
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= '\a' && c <= '\r') {
            // \a \b \t \n \v \f \r
            shown += '\\';
            shown += "abtnvfr"[c - '\a'];
        } else if (c < 0x20 || c == 0x7f) {
            octal(c);
        } else if (c == 0xc2 && i + 1 < text.size() &&
                   (static_cast<unsigned char>(text[i + 1]) & 0xe0) == 0x80) {
            // U+0080 to U+009F, the second set of controls, in UTF-8.
            octal(c);
            octal(static_cast<unsigned char>(text[++i]));
        } else {
            shown += static_cast<char>(c);
        }
    }
    return shown;
}

TerminalHost::TerminalHost(ConvertFields fields, std::vector<std::string> entries,
                           bool showProgress, std::FILE* messages)
    : m_fields(std::move(fields)), m_entries(std::move(entries)), m_showProgress(showProgress),
      m_messages(messages) {}

ConvertFields TerminalHost::ReadFields() {
    return m_fields;
}

int TerminalHost::GetEntryCount() {
    return static_cast<int>(m_entries.size());
}

std::string TerminalHost::GetEntryText(int index) {
    return m_entries.at(static_cast<std::size_t>(index));
}

void TerminalHost::SetProgressRange(std::int32_t, std::int32_t upper) {
    m_upper = upper;
}

void TerminalHost::SetProgressStep(int step) {
    m_step = step;
}

void TerminalHost::StepProgress() {
    m_position += m_step;
    Draw(std::to_string(m_position) + "/" + std::to_string(m_upper) + " " +
         EscapeControlCharacters(m_entries.at(static_cast<std::size_t>(m_position - 1))));
}

void TerminalHost::SetProgressPosition(int position) {
    m_position = position;
    ClearLine();
}

bool TerminalHost::MakeSureDirectoryPathExists(std::string path) {
    return tavrik::os::MakeSureDirectoryPathExists(path);
}

void TerminalHost::ShowMessage(std::string text, MessageKind kind) {
    ClearLine();
    if (kind == MessageKind::Refused)
        m_refused = true;
    else
        m_entryFailed = true;
    std::fputs(text.c_str(), m_messages);
    std::fputc('\n', m_messages);
    std::fflush(m_messages);
}

void TerminalHost::ShowEntryBytes(std::uint64_t converted, std::uint64_t total) {
    if (!m_showProgress || total < kShowBytesFrom || m_position < 1)
        return;
    auto now = std::chrono::steady_clock::now();
    if (converted < total && now - m_lastDraw < kRedrawInterval)
        return;
    m_lastDraw = now;
    Draw(std::to_string(m_position) + "/" + std::to_string(m_upper) + " " +
         EscapeControlCharacters(m_entries.at(static_cast<std::size_t>(m_position - 1))) + "  " +
         Mebibytes(converted) + " of " + Mebibytes(total) + " MiB");
}

std::string TerminalHost::ShowablePath(std::string path) {
    return EscapeControlCharacters(path);
}

void TerminalHost::Draw(const std::string& line) {
    if (!m_showProgress)
        return;
    std::string text(1, '\r');
    text += line;
    if (line.size() < m_drawn) {
        text.append(m_drawn - line.size(), ' ');
        text += '\r';
        text += line;
    }
    m_drawn = line.size();
    std::fputs(text.c_str(), m_messages);
    std::fflush(m_messages);
}

void TerminalHost::ClearLine() {
    if (!m_showProgress || m_drawn == 0)
        return;
    std::string blank(1, '\r');
    blank.append(m_drawn, ' ');
    blank += '\r';
    std::fputs(blank.c_str(), m_messages);
    std::fflush(m_messages);
    m_drawn = 0;
}

} // namespace tavrik
