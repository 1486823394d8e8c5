#pragma once

// A 32-bit top-down DIB section that an owner-drawn control paints into, as the
// platform has it paint, and that gives its pixels back as COLORREF values. It starts
// out magenta, so that any pixel the control leaves alone shows.

#include <windows.h>

#include <vector>

class OwnerDrawCanvas {
  public:
    OwnerDrawCanvas(int width, int height) : m_width(width), m_height(height) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        m_hdc = ::CreateCompatibleDC(nullptr);
        m_hbm = ::CreateDIBSection(m_hdc, &bi, DIB_RGB_COLORS, &m_bits, nullptr, 0);
        m_oldBitmap = ::SelectObject(m_hdc, m_hbm);
        RECT all = Rect();
        HBRUSH magenta = ::CreateSolidBrush(RGB(255, 0, 255));
        ::FillRect(m_hdc, &all, magenta);
        ::DeleteObject(magenta);
    }
    ~OwnerDrawCanvas() {
        ::SelectObject(m_hdc, m_oldBitmap);
        ::DeleteObject(m_hbm);
        ::DeleteDC(m_hdc);
    }
    OwnerDrawCanvas(const OwnerDrawCanvas&) = delete;
    OwnerDrawCanvas& operator=(const OwnerDrawCanvas&) = delete;

    bool IsValid() const { return m_hbm != nullptr && m_bits != nullptr; }
    HDC Dc() const { return m_hdc; }
    RECT Rect() const { return RECT{0, 0, m_width, m_height}; }

    // Sends WM_DRAWITEM for |hwndItem| to |hParent| with the whole canvas as the item;
    // the parent's answer.
    LRESULT Draw(HWND hParent, HWND hwndItem, UINT ctlType, UINT ctlId, UINT state = 0) {
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ctlType;
        dis.CtlID = ctlId;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = state;
        dis.hwndItem = hwndItem;
        dis.hDC = m_hdc;
        dis.rcItem = Rect();
        const LRESULT result =
            ::SendMessageA(hParent, WM_DRAWITEM, ctlId, reinterpret_cast<LPARAM>(&dis));
        ::GdiFlush();
        return result;
    }

    // Row after row, top first.
    std::vector<COLORREF> Pixels() const {
        const auto* raw = static_cast<const DWORD*>(m_bits);
        std::vector<COLORREF> px(static_cast<size_t>(m_width) * static_cast<size_t>(m_height));
        for (size_t i = 0; i < px.size(); ++i) {
            const DWORD v = raw[i]; // 0x00RRGGBB in a DIB
            px[i] = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
        }
        return px;
    }

  private:
    int m_width, m_height;
    HDC m_hdc = nullptr;
    HBITMAP m_hbm = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    void* m_bits = nullptr;
};
