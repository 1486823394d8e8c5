// Where the one-pixel three-dimensional frame of CDC::Draw3dRect goes, kept
// free of any window system so that its corner rules can be checked natively.
#pragma once

#include <array>

namespace tavrik {

// One solid run of the frame, in the order it is filled.
struct FrameRun {
    int x, y, cx, cy;
    bool topLeft; // drawn in the top-left colour, else the bottom-right one
    friend bool operator==(const FrameRun&, const FrameRun&) = default;
};

// The frame around x, y, cx, cy: top row and left column one pixel short, so the
// top-right and bottom-left corners take the bottom-right colour.
std::array<FrameRun, 4> FrameRuns(int x, int y, int cx, int cy);

} // namespace tavrik
