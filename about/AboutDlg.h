// The About box (dialog 100): name and version, credits, the home-page link and
// a description of the tool. Run modally with no parent; nothing of it lasts.
#pragma once

#include "about/LinkLabel.h"

#include "framework/Dialog.h"

class CAboutDlg : public CDialog {
  public:
    CAboutDlg();
    ~CAboutDlg() override;

    // Opened by the link; the template shows it shorter, as its caption.
    static constexpr const char* kHomePage = "http://www.quendal.example/";
    static constexpr const char* kDescription =
        "Tavrik is a small tool to convert PSX-images  from the BIN format to either C or ASM  "
        "language. \r\n\r\nFeatures include:\r\n    - 32Bit Windows GUI\r\n    - No external "
        "programs or dll's required\r\n\r\nNew in this version:\r\n    - Multiple file "
        "conversion\r\n    - progress bar\r\n    - saves settings to registry\r\n";

  protected:
    CLinkLabel m_wndLink;
    std::string m_strDescription;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
