// Drawing and pointer-tracking decisions of the flat push button, kept free of
// any window system so that they can be checked on their own.
#pragma once

#include <cstdint>

namespace tavrik::flatbutton {

using Colour = std::uint32_t; // 0x00BBGGRR, as the platform lays it out

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const Box&, const Box&) = default;
};

// Colours sampled once when the button is made.
struct Palette {
    Colour face = 0, text = 0, hotFace = 0, hotText = 0;
};

enum class Edge { None, Raised, Sunken };

struct Look {
    Colour face; // fill of the whole button, also the text background
    Colour text;
    Edge edge;
};

// Hot or pressed buttons take the hot colours; only a pressed button is sunken,
// and only a hot one that is not pressed is raised.
Look LookFor(const Palette& palette, bool hot, bool pressed);

// Top-left and bottom-right colours of the one-pixel frame for an edge; an
// edge of None has no frame and the result is not meant to be used.
struct FrameColours {
    Colour topLeft, bottomRight;
};
FrameColours FrameColoursFor(Edge edge, Colour highlight, Colour shadow);

// Where the caption is laid out: the item rectangle, nudged one pixel right and
// down while the button is pressed.
Box CaptionBox(const Box& item, bool pressed);

// Moves the measured text box so it is centred in the caption box; a text larger
// than the box overhangs equally on both sides (differences are halved toward zero).
Box Centre(const Box& caption, const Box& measured);

// The focus rectangle sits three pixels inside the item rectangle.
Box FocusBox(const Box& item);

// What lies under the pointer, as seen by a button that holds the capture.
enum class Under { Self, None, Other };
enum class CaptureAction { Keep, Take, Release };

struct TrackResult {
    bool hot;
    CaptureAction capture;
    bool invalidate;
    friend bool operator==(const TrackResult&, const TrackResult&) = default;
};

// A mouse move over (or, with capture, anywhere about) the button, after the
// platform button has seen it. `under` only matters while the button holds the capture.
TrackResult TrackMouseMove(bool leftHeld, bool hot, bool hasCapture, Under under);

// Losing the keyboard focus makes the button cold; the capture stays.
TrackResult TrackKillFocus(bool hot);

// Who holds the capture after it changed hands.
enum class Taker { Self, Nobody, Other };

// A window that took the capture (a menu, a dialog opened by a mnemonic) keeps every
// mouse move from the button, so a hover kept through that loss would stay drawn
// after the pointer has gone: the button goes cold and repaints. A capture let go to
// nobody (the platform button does so when a click ends) keeps the hover while the
// pointer is still over the button; the next move there captures again. A capture
// that passes to the button itself (the platform button takes it again when pressed,
// and the platform reports that as a change too) is no loss: letting go then would
// leave a pressed button without the capture it needs to see the release.
TrackResult TrackCaptureChanged(bool hot, Taker taker, bool pointerOver);

} // namespace tavrik::flatbutton
