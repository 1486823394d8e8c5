#include "framework/Afx.h"

#include "framework/Wnd.h"

namespace {
AfxMessageBoxResponder& Responder() {
    static AfxMessageBoxResponder responder;
    return responder;
}
} // namespace

void AfxSetMessageBoxResponder(AfxMessageBoxResponder responder) {
    Responder() = std::move(responder);
}

int AfxShowMessageBox(HWND hOwner, const std::string& text, const std::string& caption,
                      UINT nType) {
    if (Responder())
        return Responder()(hOwner, text, caption, nType);
    return ::MessageBoxA(hOwner, text.c_str(), caption.c_str(), nType);
}

int AfxMessageBox(std::string text, UINT nType, UINT) {
    if ((nType & MB_ICONMASK) == 0)
        nType |= MB_ICONEXCLAMATION;
    // Owned by what the user is working in: the main window, or the dialog
    // that is open over it.
    HWND hOwner = nullptr;
    if (CWnd* pMainWnd = AfxGetMainWnd(); pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr)
        hOwner = ::GetLastActivePopup(::GetAncestor(pMainWnd->m_hWnd, GA_ROOT));
    else
        hOwner = ::GetActiveWindow();
    return AfxShowMessageBox(hOwner, text, AfxGetAppName(), nType);
}
