#include "mainwindow/FlatButtonGeometry.h"

namespace tavrik::flatbutton {

Look LookFor(const Palette& palette, bool hot, bool pressed) {
    const bool lit = hot || pressed;
    Edge edge = Edge::None;
    if (pressed) {
        edge = Edge::Sunken;
    } else if (hot) {
        edge = Edge::Raised;
    }
    return {lit ? palette.hotFace : palette.face, lit ? palette.hotText : palette.text, edge};
}

FrameColours FrameColoursFor(Edge edge, Colour highlight, Colour shadow) {
    if (edge == Edge::Sunken) {
        return {shadow, highlight};
    }
    return {highlight, shadow};
}

Box CaptionBox(const Box& item, bool pressed) {
    if (!pressed) {
        return item;
    }
    return {item.left + 1, item.top + 1, item.right + 1, item.bottom + 1};
}

Box Centre(const Box& caption, const Box& measured) {
    // Integer division in C++ truncates toward zero, which keeps an overhanging
    // caption symmetric.
    const int dx = (caption.Width() - measured.Width()) / 2;
    const int dy = (caption.Height() - measured.Height()) / 2;
    return {measured.left + dx, measured.top + dy, measured.right + dx, measured.bottom + dy};
}

Box FocusBox(const Box& item) {
    return {item.left + 3, item.top + 3, item.right - 3, item.bottom - 3};
}

TrackResult TrackMouseMove(bool leftHeld, bool hot, bool hasCapture, Under under) {
    // A pointer that arrives with the button already held does not light it.
    if (leftHeld && !hot) {
        return {hot, CaptureAction::Keep, false};
    }
    if (!hasCapture) {
        // The capture lets the button see the pointer leave.
        return {true, CaptureAction::Take, true};
    }
    if (under != Under::Other) {
        return {hot, CaptureAction::Keep, false};
    }
    // While the left button is held the platform button needs the capture to
    // decide whether the release is a click.
    return {false, leftHeld ? CaptureAction::Keep : CaptureAction::Release, hot};
}

TrackResult TrackKillFocus(bool hot) {
    return {false, CaptureAction::Keep, hot};
}

TrackResult TrackCaptureChanged(bool hot, Taker taker, bool pointerOver) {
    if (taker == Taker::Self) {
        return {hot, CaptureAction::Keep, false};
    }
    const bool stays = hot && taker == Taker::Nobody && pointerOver;
    return {stays, hot ? CaptureAction::Release : CaptureAction::Keep, hot};
}

} // namespace tavrik::flatbutton
