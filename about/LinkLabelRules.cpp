#include "about/LinkLabelRules.h"

namespace tavrik::linklabel {

Colour TextColour(const Colours& colours, bool hover, bool visited) {
    if (hover)
        return colours.hover;
    return visited ? colours.visited : colours.link;
}

Rect FitToText(const Rect& control, unsigned style, int cx, int cy) {
    Rect rc = control;
    if (style & kStyleCenterImage) {
        int m = (rc.bottom - rc.top - cy) / 2;
        rc.top += m;
        rc.bottom -= m;
    } else {
        rc.bottom = rc.top + cy;
    }
    if (style & kStyleCenter) {
        int m = (rc.right - rc.left - cx) / 2;
        rc.left += m;
        rc.right -= m;
    } else if (style & kStyleRight) {
        rc.left = rc.right - cx;
    } else {
        rc.right = rc.left + cx;
    }
    return rc;
}

std::optional<std::string> FallbackCommand(const std::string& registered,
                                           const std::string& target) {
    std::string command = registered;
    std::size_t cut = command.find("\"%1\"");
    if (cut == std::string::npos)
        cut = command.find("%1");
    if (cut != std::string::npos)
        command.erase(cut);
    command += ' ';
    command += target;
    if (command.size() >= kCommandBufferSize)
        return std::nullopt;
    return command;
}

std::string OpenErrorText(std::intptr_t code) {
    const char* text = nullptr;
    switch (code) {
    case 0:
        text = "The operating system is out\nof memory or resources.";
        break;
    case 2:
        text = "The specified file was not found.";
        break;
    case 3:
        text = "The specified path was not found.";
        break;
    case 5:
        text = "The operating system denied\naccess to the specified file.";
        break;
    case 8:
        text = "There was not enough memory to complete the operation.";
        break;
    case 11:
        text = "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
        break;
    case 26:
        text = "A sharing violation occurred. ";
        break;
    case 27:
        text = "The filename association is\nincomplete or invalid.";
        break;
    case 28:
        text = "The DDE transaction could not\nbe completed because the request timed out.";
        break;
    case 29:
        text = "The DDE transaction failed.";
        break;
    case 30:
        text = "The DDE transaction could not\nbe completed because other DDE "
               "transactions\nwere being processed.";
        break;
    case 31:
        text = "There is no application associated\nwith the given filename extension.";
        break;
    case 32:
        text = "The specified dynamic-link library was not found.";
        break;
    default:
        break;
    }
    std::string report = "Unable to open hyperlink:\n\n";
    if (text != nullptr)
        report += text;
    else
        report += "Unknown Error (" + std::to_string(static_cast<long long>(code)) + ") occurred.";
    return report;
}

} // namespace tavrik::linklabel
