#include "framework/FrameRuns.h"

namespace tavrik {

std::array<FrameRun, 4> FrameRuns(int x, int y, int cx, int cy) {
    return {{
        {x, y, cx - 1, 1, true},
        {x, y, 1, cy - 1, true},
        {x + cx - 1, y, 1, cy, false},
        {x, y + cy - 1, cx, 1, false},
    }};
}

} // namespace tavrik
