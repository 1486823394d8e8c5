// The preview of one source-list entry: its picture, when it is a TIM, over a
// checkerboard, and a line saying what the file is. Left and Right step
// through the palettes. It only reads the file.
#pragma once

#include "preview/ImageReader.h"
#include "preview/PreviewCanvas.h"
#include "framework/Dialog.h"
#include "framework/Static.h"

#include <vector>

// The picture area: draws the pixels its dialog composed.
class CPicturePane : public CStatic {
  public:
    const std::vector<tavrik::Pixel>* m_pArea = nullptr; // kPreviewArea x kPreviewArea, or empty
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
};

class CPreviewDlg : public CDialog {
  public:
    explicit CPreviewDlg(std::string path, CWnd* pParentWnd = nullptr);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Shows the next (+1) or the previous (-1) palette, round the end.
    void StepPalette(int step);
    int GetPalette() const { return m_nPalette; }

  protected:
    std::string m_strPath;
    bool m_bReadable = false;
    tavrik::ImageFile m_file;
    int m_nPalette = 0;
    std::vector<tavrik::Pixel> m_pixels;
    std::vector<tavrik::Pixel> m_area;
    CPicturePane m_wndPicture;
    CStatic m_wndInfo;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Places the 512 x 512 picture area and the line below it, and fits the window around them.
    void Layout();
    // Decodes the current palette, composes the area and the line, and repaints.
    void ShowPalette();
    DECLARE_MESSAGE_MAP()
};
