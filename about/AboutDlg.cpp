#include "about/AboutDlg.h"

#include "res/resource.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX, nullptr) {}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HOMEPAGE_LINK, m_wndLink);
    DDX_Text(pDX, IDC_DESCRIPTION, m_strDescription);
}

BOOL CAboutDlg::OnInitDialog() {
    // Attaches the link, which takes its caption as its target for now, and
    // empties the description's placeholder text before anyone can see it.
    CDialog::OnInitDialog();
    m_strDescription = kDescription;
    m_wndLink.SetLinkTarget(kHomePage);
    UpdateData(FALSE);
    // The focus goes to the first tab stop, OK.
    return TRUE;
}
