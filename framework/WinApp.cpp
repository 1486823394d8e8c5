#include "framework/WinApp.h"

#include "framework/Wnd.h"

namespace {
CWinApp* g_pApp = nullptr;
}

CWinApp::CWinApp(const char* lpszAppName) {
    if (lpszAppName != nullptr)
        m_strAppName = lpszAppName;
    g_pApp = this;
}

CWinApp::~CWinApp() {
    if (g_pApp == this)
        g_pApp = nullptr;
}

BOOL CWinApp::InitInstance() {
    return FALSE;
}

int CWinApp::Run() {
    MSG msg;
    for (;;) {
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
            CWnd::DeleteTempMap();
        if (::GetMessageA(&msg, nullptr, 0, 0) <= 0)
            break;
        HWND hWndStop = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
        if (!CWnd::WalkPreTranslateTree(hWndStop, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    return ExitInstance();
}

int CWinApp::ExitInstance() {
    return 0;
}

CWinApp* AfxGetApp() {
    return g_pApp;
}

CWnd* AfxGetMainWnd() {
    return g_pApp ? g_pApp->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
    if (g_pApp != nullptr && g_pApp->m_hInstance != nullptr)
        return g_pApp->m_hInstance;
    return ::GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle() {
    return AfxGetInstanceHandle();
}

std::string AfxGetAppName() {
    if (g_pApp != nullptr && !g_pApp->m_strAppName.empty())
        return g_pApp->m_strAppName;
    char path[MAX_PATH + 1] = {};
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path, length);
    size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    size_t dot = name.find_last_of('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

void AfxInitCommonControls() {
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_PROGRESS_CLASS | ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    ::InitCommonControlsEx(&icc);
}

int AfxWinMain(HINSTANCE hInstance, int) {
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return -1;
    pApp->m_hInstance = hInstance;
    if (pApp->m_strAppName.empty())
        pApp->m_strAppName = AfxGetAppName();
    AfxInitCommonControls();
    if (!pApp->InitInstance())
        return pApp->ExitInstance();
    return pApp->Run();
}
