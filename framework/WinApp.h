// CWinApp: the one application object. The framework's WinMain (AppMain.cpp,
// linked into the program only) runs its InitInstance, and its message loop
// when InitInstance returns TRUE.
#pragma once

#include "framework/Afx.h"

class CWinApp {
  public:
    // Without a name the application is named after its executable.
    explicit CWinApp(const char* lpszAppName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
    std::string m_strAppName;
};

// Registers the common controls of the progress bar and the tooltips.
void AfxInitCommonControls();

// Asked for three-dimensional dialog controls on systems before version 4;
// on every system we run on, dialogs already have that look.
inline BOOL Enable3dControlsStatic() {
    return FALSE;
}

int AfxWinMain(HINSTANCE hInstance, int nCmdShow);
