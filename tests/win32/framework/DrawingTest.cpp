#include "framework/DC.h"

#include <gtest/gtest.h>

namespace {

// A memory device context over a small bitmap, filled with white.
struct Canvas {
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HBITMAP hBitmap;
    HGDIOBJ hOld;
    CDC dc{hDC};
    Canvas(int w, int h) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        hBitmap = ::CreateDIBSection(hDC, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        hOld = ::SelectObject(hDC, hBitmap);
        dc.FillSolidRect(0, 0, w, h, RGB(255, 255, 255));
    }
    ~Canvas() {
        ::SelectObject(hDC, hOld);
        ::DeleteObject(hBitmap);
        ::DeleteDC(hDC);
    }
};

TEST(Drawing, Draw3dRectPutsTheCornersInTheBottomRightColour) {
    const COLORREF tl = RGB(255, 0, 0);
    const COLORREF br = RGB(0, 0, 255);
    const COLORREF white = RGB(255, 255, 255);
    Canvas canvas(16, 16);
    RECT rc{2, 3, 12, 11}; // x 2, y 3, w 10, h 8
    canvas.dc.Draw3dRect(&rc, tl, br);
    auto px = [&](int x, int y) { return ::GetPixel(canvas.hDC, x, y); };
    for (int x = 2; x <= 10; ++x)
        EXPECT_EQ(px(x, 3), tl) << "top row at x " << x;
    for (int y = 3; y <= 9; ++y)
        EXPECT_EQ(px(2, y), tl) << "left column at y " << y;
    for (int y = 3; y <= 10; ++y)
        EXPECT_EQ(px(11, y), br) << "right column at y " << y;
    for (int x = 2; x <= 11; ++x)
        EXPECT_EQ(px(x, 10), br) << "bottom row at x " << x;
    EXPECT_EQ(px(1, 3), white);
    EXPECT_EQ(px(12, 3), white);
    EXPECT_EQ(px(2, 11), white);
    EXPECT_EQ(px(5, 6), white) << "the inside stays untouched";
}

TEST(Drawing, FillSolidRectLeavesTheBackgroundColourAlone) {
    Canvas canvas(8, 8);
    canvas.dc.SetBkColor(RGB(9, 9, 9));
    canvas.dc.FillSolidRect(1, 1, 3, 2, RGB(0, 128, 0));
    EXPECT_EQ(::GetPixel(canvas.hDC, 1, 1), RGB(0, 128, 0));
    EXPECT_EQ(::GetPixel(canvas.hDC, 3, 2), RGB(0, 128, 0));
    EXPECT_EQ(::GetPixel(canvas.hDC, 4, 1), RGB(255, 255, 255));
    EXPECT_EQ(::GetPixel(canvas.hDC, 1, 3), RGB(255, 255, 255));
    EXPECT_EQ(::GetBkColor(canvas.hDC), RGB(9, 9, 9));
}

} // namespace
