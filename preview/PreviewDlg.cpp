#include "preview/PreviewDlg.h"

#include "res/resource.h"

#include "framework/DC.h"

#include <utility>

using namespace tavrik;

void CPicturePane::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    CDC dc(lpDrawItemStruct->hDC);
    const CRect rect(lpDrawItemStruct->rcItem);
    if (m_pArea == nullptr || m_pArea->size() != std::size_t(kPreviewArea) * kPreviewArea) {
        dc.FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
        return;
    }
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = kPreviewArea;
    bi.bmiHeader.biHeight = -kPreviewArea; // top-down, as composed
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    ::SetDIBitsToDevice(dc, rect.left, rect.top, kPreviewArea, kPreviewArea, 0, 0, 0, kPreviewArea,
                        m_pArea->data(), &bi, DIB_RGB_COLORS);
}

CPreviewDlg::CPreviewDlg(std::string path, CWnd* pParentWnd)
    : CDialog(IDD_PREVIEW, pParentWnd), m_strPath(std::move(path)) {}

BEGIN_MESSAGE_MAP(CPreviewDlg, CDialog)
END_MESSAGE_MAP()

void CPreviewDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PREVIEW_PICTURE, m_wndPicture);
    DDX_Control(pDX, IDC_PREVIEW_INFO, m_wndInfo);
}

BOOL CPreviewDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_wndPicture.m_pArea = &m_area;
    m_bReadable = ReadImageFile(m_strPath, m_file);
    Layout();
    ShowPalette();
    return TRUE;
}

void CPreviewDlg::Layout() {
    CRect units(4, 10, 0, 0); // a margin and the line's height, in dialog units
    MapDialogRect(&units);
    const int margin = units.left, lineHeight = units.top;
    m_wndPicture.SetWindowPos(nullptr, margin, margin, kPreviewArea, kPreviewArea,
                              SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndInfo.SetWindowPos(nullptr, margin, margin * 2 + kPreviewArea, kPreviewArea, lineHeight,
                           SWP_NOZORDER | SWP_NOACTIVATE);
    CRect window(0, 0, kPreviewArea + 2 * margin, kPreviewArea + lineHeight + 3 * margin);
    ::AdjustWindowRectEx(&window, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(nullptr, 0, 0, window.Width(), window.Height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPreviewDlg::ShowPalette() {
    const std::string name = FileNameOf(m_strPath);
    if (!m_bReadable) {
        m_area.clear();
        m_wndInfo.SetWindowText(DescribeUnreadable(name));
    } else {
        const ImageInfo& info = m_file.Info();
        m_file.Decode(m_nPalette, m_pixels);
        const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
        const Pixel background =
            Pixel{GetRValue(face)} << 16 | Pixel{GetGValue(face)} << 8 | GetBValue(face);
        ComposePreview(m_pixels, info.width, info.height, FitScale(info.width, info.height),
                       kPreviewArea, kPreviewArea, background, m_area);
        m_wndInfo.SetWindowText(DescribeImage(name, info, m_nPalette));
    }
    m_wndPicture.Invalidate(FALSE);
}

void CPreviewDlg::StepPalette(int step) {
    const int count = m_file.Info().paletteCount;
    if (!m_bReadable || count <= 1)
        return;
    m_nPalette = ((m_nPalette + step) % count + count) % count;
    ShowPalette();
}

BOOL CPreviewDlg::PreTranslateMessage(MSG* pMsg) {
    // Arrow keys would otherwise move the focus between controls.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_LEFT || pMsg->wParam == VK_RIGHT)) {
        StepPalette(pMsg->wParam == VK_RIGHT ? 1 : -1);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}
