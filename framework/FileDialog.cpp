#include "framework/FileDialog.h"

#include <algorithm>
#include <string>

namespace {

// Wide, so that a folder whose name the code page cannot spell is restored all the same.
std::wstring CurrentFolder() {
    DWORD size = ::GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(size, L'\0');
    DWORD length = size ? ::GetCurrentDirectoryW(size, folder.data()) : 0;
    if (length == 0 || length >= size)
        return std::wstring();
    folder.resize(length);
    return folder;
}

} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt, const char* lpszFileName,
                         DWORD dwFlags, const char* lpszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog) {
    m_pParentWnd = pParentWnd;
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.Flags = dwFlags | OFN_ENABLEHOOK | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.hInstance = AfxGetResourceHandle();
    if (lpszDefExt != nullptr) {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt.c_str();
    }
    if (lpszFilter != nullptr) {
        m_strFilter = lpszFilter;
        std::replace(m_strFilter.begin(), m_strFilter.end(), '|', '\0');
        m_ofn.lpstrFilter = m_strFilter.c_str();
    }
    SetFileBufferSize(MAX_PATH);
    if (lpszFileName != nullptr)
        lstrcpynA(m_fileBuffer.data(), lpszFileName, static_cast<int>(m_fileBuffer.size()));
}

void CFileDialog::SetFileBufferSize(size_t nChars) {
    std::vector<char> buffer(std::max<size_t>(nChars, 2), '\0');
    if (!m_fileBuffer.empty())
        lstrcpynA(buffer.data(), m_fileBuffer.data(), static_cast<int>(buffer.size()));
    m_fileBuffer.swap(buffer);
}

std::string CFileDialog::GetFileBuffer() const {
    const char* p = m_ofn.lpstrFile ? m_ofn.lpstrFile : m_fileBuffer.data();
    size_t size = m_ofn.lpstrFile ? m_ofn.nMaxFile : m_fileBuffer.size();
    // A multiple selection ends with an empty string; a single path with its NUL.
    bool multiple = (m_ofn.Flags & OFN_ALLOWMULTISELECT) != 0;
    size_t end = 0;
    while (end < size && p[end] != '\0')
        ++end;
    while (multiple && end + 1 < size && p[end + 1] != '\0') {
        ++end;
        while (end < size && p[end] != '\0')
            ++end;
    }
    return std::string(p, end);
}

INT_PTR CFileDialog::DoModal() {
    m_ofn.hwndOwner = ModalOwner();
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileBuffer.size());
    m_ofn.lpfnHook = &CFileDialog::HookProc;
    m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
    // The dialog moves the process's current folder to wherever the user browsed
    // (OFN_NOCHANGEDIR does not stop the open dialog), and relative paths typed
    // elsewhere must keep meaning the folder the program was started in.
    const std::wstring currentFolder = CurrentFolder();
    BOOL ok = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    if (!currentFolder.empty())
        ::SetCurrentDirectoryW(currentFolder.c_str());
    m_dwError = ok ? 0 : ::CommDlgExtendedError();
    if (m_hWnd != nullptr)
        Detach();
    return ok ? IDOK : IDCANCEL;
}

UINT_PTR CALLBACK CFileDialog::HookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
    return AfxGuardCallback([&] { return HandleHookMessage(hWnd, message, lParam); },
                            []() -> UINT_PTR { return 0; });
}

UINT_PTR CFileDialog::HandleHookMessage(HWND hWnd, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* pOfn = reinterpret_cast<OPENFILENAMEA*>(lParam);
        auto* pDialog = reinterpret_cast<CFileDialog*>(pOfn->lCustData);
        pDialog->SubclassWindow(hWnd);
        return TRUE;
    }
    if (message != WM_NOTIFY)
        return 0;
    auto* pDialog = static_cast<CFileDialog*>(CWnd::FromHandlePermanent(hWnd));
    if (pDialog == nullptr)
        return 0;
    auto* pNotify = reinterpret_cast<OFNOTIFYA*>(lParam);
    switch (pNotify->hdr.code) {
    case CDN_INITDONE:
        pDialog->OnInitDone();
        break;
    case CDN_FOLDERCHANGE:
        pDialog->OnFolderChange();
        break;
    case CDN_FILEOK:
        ::SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, pDialog->OnFileNameOK());
        return TRUE;
    default:
        break;
    }
    return 0;
}

void CFileDialog::OnInitDone() {
    if (CWnd* pDialogWnd = GetDialogWindow())
        pDialogWnd->CenterWindow();
}

std::string CFileDialog::GetFolderPath() const {
    char path[MAX_PATH] = {};
    LRESULT length = ::SendMessageA(::GetParent(m_hWnd), CDM_GETFOLDERPATH, MAX_PATH,
                                    reinterpret_cast<LPARAM>(path));
    if (length <= 0)
        return std::string();
    return std::string(path);
}

void CFileDialog::HideControl(int nID) {
    ::SendMessageA(::GetParent(m_hWnd), CDM_HIDECONTROL, static_cast<WPARAM>(nID), 0);
}

void CFileDialog::EndDialog(int nResult) {
    if (m_hWnd != nullptr)
        ::EndDialog(::GetParent(m_hWnd), nResult);
}
