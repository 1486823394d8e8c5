// The hyperlink label's decisions that need no window system: its text colour,
// the rectangle it fits itself to, the command line of the ".htm" fallback and
// the texts of its error report.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tavrik::linklabel {

using Colour = std::uint32_t; // 0x00BBGGRR, as the platform lays it out

struct Colours {
    Colour link = 0x00EE0000;    // RGB(0, 0, 238)
    Colour visited = 0x008B1A55; // RGB(85, 26, 139)
    Colour hover = 0x00005CFF;   // RGB(255, 92, 0)
};

// Hover wins over visited, visited over the plain link colour.
Colour TextColour(const Colours& colours, bool hover, bool visited);

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Static-control style bits that decide where the fitted text sits.
constexpr unsigned kStyleCenter = 0x0001;
constexpr unsigned kStyleRight = 0x0002;
constexpr unsigned kStyleCenterImage = 0x0200;

// The control's rectangle shrunk (or grown) to a text of cx by cy. Centred
// sides move by half the difference, rounded toward zero, so the centre stays
// and an odd difference leaves the extent one unit off the text's; otherwise
// the top (and the left, or with kStyleRight the right) edge stays.
Rect FitToText(const Rect& control, unsigned style, int cx, int cy);

// The fallback's command line is built in a buffer of this size, terminator included.
constexpr std::size_t kCommandBufferSize = 520;

// The registered open command for ".htm" files, cut where its placeholder
// starts ("\"%1\"" at the quote, else "%1" at the percent sign), then a blank
// and the target, unquoted. Empty when the result would not fit the buffer:
// such a command is not run.
std::optional<std::string> FallbackCommand(const std::string& registered,
                                           const std::string& target);

// The report for a failed open, by the result code of the shell or of the
// program start: "Unable to open hyperlink:\n\n" and the code's own text.
std::string OpenErrorText(std::intptr_t code);

} // namespace tavrik::linklabel
