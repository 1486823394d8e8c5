#include "mainwindow/FlatButtonGeometry.h"

#include <gtest/gtest.h>

namespace fb = tavrik::flatbutton;

namespace {

const fb::Palette kPalette{0x00111111, 0x00222222, 0x00333333, 0x00444444};

TEST(FlatButtonLook, ColoursAndEdgeFollowHotAndPressed) {
    struct Case {
        const char* name;
        bool hot, pressed;
        fb::Colour face, text;
        fb::Edge edge;
    };
    const Case cases[] = {
        {"rest", false, false, 0x00111111, 0x00222222, fb::Edge::None},
        {"hot", true, false, 0x00333333, 0x00444444, fb::Edge::Raised},
        {"pressed while cold", false, true, 0x00333333, 0x00444444, fb::Edge::Sunken},
        {"pressed while hot", true, true, 0x00333333, 0x00444444, fb::Edge::Sunken},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fb::Look look = fb::LookFor(kPalette, c.hot, c.pressed);
        EXPECT_EQ(look.face, c.face);
        EXPECT_EQ(look.text, c.text);
        EXPECT_EQ(look.edge, c.edge);
    }
}

TEST(FlatButtonLook, RaisedIsLightTopLeftAndSunkenIsTheReverse) {
    const fb::Colour light = 0x00FFFFFF, dark = 0x00808080;
    const fb::FrameColours raised = fb::FrameColoursFor(fb::Edge::Raised, light, dark);
    EXPECT_EQ(raised.topLeft, light);
    EXPECT_EQ(raised.bottomRight, dark);
    const fb::FrameColours sunken = fb::FrameColoursFor(fb::Edge::Sunken, light, dark);
    EXPECT_EQ(sunken.topLeft, dark);
    EXPECT_EQ(sunken.bottomRight, light);
}

TEST(FlatButtonCaption, PressedCaptionMovesOneRightAndDown) {
    const fb::Box item{0, 0, 60, 23};
    EXPECT_EQ(fb::CaptionBox(item, false), item);
    EXPECT_EQ(fb::CaptionBox(item, true), (fb::Box{1, 1, 61, 24}));
}

TEST(FlatButtonCaption, CentringHalvesTheDifferenceTowardZero) {
    struct Case {
        const char* name;
        fb::Box caption, measured, expected;
    };
    const Case cases[] = {
        {"even fit", {0, 0, 60, 24}, {0, 0, 40, 14}, {10, 5, 50, 19}},
        {"odd slack rounds down", {0, 0, 61, 23}, {0, 0, 40, 14}, {10, 4, 50, 18}},
        {"pressed box keeps its offset", {1, 1, 61, 24}, {1, 1, 41, 15}, {11, 5, 51, 19}},
        // Wider than the button: -11 / 2 is -5, not -6, so the overhang is even.
        {"odd overhang truncates toward zero", {0, 0, 20, 10}, {0, 0, 31, 13}, {-5, -1, 26, 12}},
        {"even overhang on both sides", {0, 0, 20, 10}, {0, 0, 30, 10}, {-5, 0, 25, 10}},
        {"empty text sits in the middle", {0, 0, 20, 10}, {0, 0, 0, 0}, {10, 5, 10, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fb::Centre(c.caption, c.measured), c.expected);
    }
}

TEST(FlatButtonCaption, FocusRectangleIsThreePixelsIn) {
    EXPECT_EQ(fb::FocusBox({0, 0, 60, 23}), (fb::Box{3, 3, 57, 20}));
    EXPECT_EQ(fb::FocusBox({2, 4, 10, 12}), (fb::Box{5, 7, 7, 9}));
}

TEST(FlatButtonTracking, MouseMoveTable) {
    using U = fb::Under;
    using A = fb::CaptureAction;
    struct Case {
        const char* name;
        bool leftHeld, hot, hasCapture;
        U under;
        fb::TrackResult expected;
    };
    const Case cases[] = {
        {"enter: lights up and captures", false, false, false, U::Self, {true, A::Take, true}},
        {"hot after a click lost the capture: captures again",
         false,
         true,
         false,
         U::Self,
         {true, A::Take, true}},
        {"dragged in from outside stays cold",
         true,
         false,
         false,
         U::Self,
         {false, A::Keep, false}},
        {"held and cold even with capture", true, false, true, U::Other, {false, A::Keep, false}},
        {"still over itself", false, true, true, U::Self, {true, A::Keep, false}},
        {"nothing under the pointer", false, true, true, U::None, {true, A::Keep, false}},
        {"left: goes cold and lets go", false, true, true, U::Other, {false, A::Release, true}},
        {"dragged off while pressed keeps capture",
         true,
         true,
         true,
         U::Other,
         {false, A::Keep, true}},
        {"held over itself stays hot", true, true, true, U::Self, {true, A::Keep, false}},
        {"cold with capture left: only lets go",
         false,
         false,
         true,
         U::Other,
         {false, A::Release, false}},
        {"cold with capture over itself", false, false, true, U::Self, {false, A::Keep, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fb::TrackMouseMove(c.leftHeld, c.hot, c.hasCapture, c.under), c.expected);
    }
}

TEST(FlatButtonTracking, FocusAndCaptureLoss) {
    using A = fb::CaptureAction;
    EXPECT_EQ(fb::TrackKillFocus(true), (fb::TrackResult{false, A::Keep, true}));
    EXPECT_EQ(fb::TrackKillFocus(false), (fb::TrackResult{false, A::Keep, false}));
    using T = fb::Taker;
    // Taken by another window: cold and repainted, wherever the pointer is.
    EXPECT_EQ(fb::TrackCaptureChanged(true, T::Other, true),
              (fb::TrackResult{false, A::Release, true}));
    EXPECT_EQ(fb::TrackCaptureChanged(false, T::Other, true),
              (fb::TrackResult{false, A::Keep, false}));
    // Let go to nobody: the hover stays only while the pointer is over the button.
    EXPECT_EQ(fb::TrackCaptureChanged(true, T::Nobody, true),
              (fb::TrackResult{true, A::Release, true}));
    EXPECT_EQ(fb::TrackCaptureChanged(true, T::Nobody, false),
              (fb::TrackResult{false, A::Release, true}));
    EXPECT_EQ(fb::TrackCaptureChanged(false, T::Nobody, true),
              (fb::TrackResult{false, A::Keep, false}));
    // Pressing takes the capture again for the same button: nothing is lost.
    EXPECT_EQ(fb::TrackCaptureChanged(true, T::Self, false),
              (fb::TrackResult{true, A::Keep, false}));
    EXPECT_EQ(fb::TrackCaptureChanged(false, T::Self, true),
              (fb::TrackResult{false, A::Keep, false}));
}

} // namespace
