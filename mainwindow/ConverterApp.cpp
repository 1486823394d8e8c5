#include "mainwindow/ConverterApp.h"

#include "mainwindow/CommandLineFiles.h"
#include "mainwindow/ConverterDlg.h"

CConverterApp theApp;

BOOL CConverterApp::InitInstance() {
    Enable3dControlsStatic();
    CConverterDlg dlg;
    int unusable = 0;
    std::vector<std::string> files = CommandLineFiles(::GetCommandLineW(), unusable);
    dlg.SetStartFiles(std::move(files), unusable);
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // The process ends with the window; no message loop follows.
    return FALSE;
}
