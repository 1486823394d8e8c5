#include "ConverterApp.h"

#include "ConverterDlg.h"

CConverterApp theApp;

BOOL CConverterApp::InitInstance() {
    Enable3dControlsStatic();
    CConverterDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // The process ends with the window; no message loop follows.
    return FALSE;
}
