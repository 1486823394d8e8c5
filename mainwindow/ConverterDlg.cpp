#include "mainwindow/ConverterDlg.h"

#include "mainwindow/FileSelection.h"
#include "mainwindow/SourceList.h"
#include "res/resource.h"

#include "about/AboutDlg.h"
#include "convert/ConversionRun.h"
#include "preview/PreviewDlg.h"
#include "os/FileSystem.h"
#include "folderpicker/FolderPickerDlg.h"
#include "settings/Settings.h"
#include "framework/DC.h"
#include "framework/FileDialog.h"
#include "framework/WaitCursor.h"

#include <optional>
#include <vector>

using namespace tavrik;

namespace {

constexpr UINT kWarning = MB_OK | MB_ICONWARNING;
// The list draws its text a pixel in from the left; the rest keeps the last
// character clear of the edge when scrolled fully right.
constexpr int kListTextMargin = 4;

std::string UnusableNamesMessage(int count) {
    return std::to_string(count) +
           " file(s) not added: their names hold characters that this system's code page "
           "cannot represent.\nRename them, or use Windows 10 version 1903 or later.";
}

// The conversion run's view of the main window.
class CConvertHost : public ConvertHost {
  public:
    CConvertHost(CConverterDlg& dlg, CListBox& sources, CProgressCtrl& progress,
                 std::string& destination, std::string& label, int& format)
        : m_dlg(dlg), m_sources(sources), m_progress(progress), m_destination(destination),
          m_label(label), m_format(format) {}

    ConvertFields ReadFields() override {
        m_dlg.UpdateData(TRUE);
        return ConvertFields{m_destination, m_label, m_format};
    }
    int GetEntryCount() override { return m_sources.GetCount(); }
    std::string GetEntryText(int index) override { return m_sources.GetText(index); }
    void SetProgressRange(std::int32_t lower, std::int32_t upper) override {
        m_progress.SetRange32(lower, upper);
    }
    void SetProgressStep(int step) override { m_progress.SetStep(step); }
    void StepProgress() override { m_progress.StepIt(); }
    void SetProgressPosition(int position) override { m_progress.SetPos(position); }
    bool MakeSureDirectoryPathExists(std::string path) override {
        return tavrik::os::MakeSureDirectoryPathExists(path);
    }
    void ShowMessage(std::string text, MessageKind kind) override {
        m_dlg.MessageBox(
            text, kind == MessageKind::Refused ? "Tavrik - Error!" : "Tavrik - Conversion Error!",
            kWarning);
        if (m_wait)
            m_wait->Restore();
    }
    void BeginWaitCursor() override { m_wait.emplace(); }
    void EndWaitCursor() override { m_wait.reset(); }

  private:
    CConverterDlg& m_dlg;
    CListBox& m_sources;
    CProgressCtrl& m_progress;
    std::string& m_destination;
    std::string& m_label;
    int& m_format;
    std::optional<CWaitCursor> m_wait;
};

std::string LoadResourceString(UINT nID) {
    char text[256] = {};
    int length = ::LoadStringA(AfxGetResourceHandle(), nID, text, sizeof(text));
    return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}

} // namespace

CConverterDlg::CConverterDlg()
    : CDialog(IDD_TAVRIK_DIALOG),
      // A shared icon of the resources: loaded at the standard size, never destroyed.
      m_hIcon(::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME))) {}

CConverterDlg::~CConverterDlg() = default;

BEGIN_MESSAGE_MAP(CConverterDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_BN_CLICKED(IDC_INFO, OnInfo)
ON_BN_CLICKED(IDC_ADD, OnAdd)
ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
ON_BN_CLICKED(IDC_CONVERT, OnConvert)
ON_BN_CLICKED(IDC_CLEAR, OnClear)
ON_BN_CLICKED(IDC_DELETE, OnDelete)
ON_COMMAND(ID_HELP, OnInfo)
ON_LBN_DBLCLK(IDC_SOURCES, OnSourceDblClk)
ON_WM_DROPFILES()
END_MESSAGE_MAP()

void CConverterDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DELETE, m_btnDelete);
    DDX_Control(pDX, IDC_CLEAR, m_btnClear);
    DDX_Control(pDX, IDCANCEL, m_btnQuit);
    DDX_Control(pDX, IDC_PROGRESS, m_progress);
    DDX_Control(pDX, IDC_SOURCES, m_lbSources);
    DDX_Control(pDX, IDC_INFO, m_btnInfo);
    DDX_Control(pDX, IDC_CONVERT, m_btnConvert);
    DDX_Control(pDX, IDC_ADD, m_btnAdd);
    DDX_Control(pDX, IDC_BROWSE, m_btnBrowse);
    DDX_Text(pDX, IDC_LABEL, m_strLabel);
    DDX_Radio(pDX, IDC_FORMAT_C, m_nFormat);
    DDX_Text(pDX, IDC_DESTINATION, m_strDestination);
}

BOOL CConverterDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    if (HMENU hSysMenu = GetSystemMenu(FALSE)) {
        std::string about = LoadResourceString(IDS_ABOUTBOX);
        if (!about.empty()) {
            ::AppendMenuA(hSysMenu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuA(hSysMenu, MF_STRING, IDM_ABOUTBOX, about.c_str());
        }
    }

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    LoadSettings();
    UpdateData(FALSE);

    ::DragAcceptFiles(m_hWnd, TRUE);
    if (!m_startFiles.empty())
        AddSources(m_startFiles);
    if (m_nUnusableStartFiles > 0)
        MessageBox(UnusableNamesMessage(m_nUnusableStartFiles), "Tavrik - Error!", kWarning);
    // The focus goes to the first tab stop, Add....
    return TRUE;
}

BOOL CConverterDlg::DestroyWindow() {
    if (m_hWnd != nullptr)
        SaveSettings();
    return CDialog::DestroyWindow();
}

void CConverterDlg::LoadSettings() {
    ::LoadSettings(m_nFormat, m_strLabel, m_strDestination);
}

void CConverterDlg::SaveSettings() {
    UpdateData(TRUE);
    ::SaveSettings(m_nFormat, m_strLabel, m_strDestination);
}

void CConverterDlg::OnSysCommand(UINT nID, LPARAM lParam) {
    // The system keeps the four low bits of a system command for itself.
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        CDialog::OnSysCommand(nID, lParam);
    }
}

void CConverterDlg::OnPaint() {
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    int cxIcon = ::GetSystemMetrics(SM_CXICON);
    int cyIcon = ::GetSystemMetrics(SM_CYICON);
    CRect rect;
    GetClientRect(&rect);
    int x = (rect.Width() - cxIcon + 1) / 2;
    int y = (rect.Height() - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CConverterDlg::OnQueryDragIcon() {
    return reinterpret_cast<HCURSOR>(m_hIcon);
}

void CConverterDlg::OnInfo() {
    CAboutDlg dlgAbout;
    dlgAbout.DoModal();
}

void CConverterDlg::OnAdd() {
    CFileDialog dlg(TRUE, "*", nullptr, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST,
                    "All files|*.*|PSX picture files (TIM, TMD)|*.TIM;*.TMD||");
    dlg.SetFileBufferSize(kSelectionBufferSize);
    if (dlg.DoModal() != IDOK) {
        if (dlg.GetExtendedError() == FNERR_BUFFERTOOSMALL)
            MessageBox("Too many files selected at once!\nPlease add them in smaller groups.",
                       "Tavrik - Error!", kWarning);
        return;
    }
    AddSources(SplitFileSelection(dlg.GetFileBuffer()));
}

void CConverterDlg::AddSources(const std::vector<std::string>& paths) {
    std::vector<std::string> listed;
    for (int i = 0; i < m_lbSources.GetCount(); ++i)
        listed.push_back(m_lbSources.GetText(i));
    for (const std::string& path :
         NewEntries(listed, ExpandFolders(paths, &tavrik::os::ListFolderFiles)))
        m_lbSources.AddString(path);
    UpdateHorizontalExtent();
}

void CConverterDlg::UpdateHorizontalExtent() {
    std::vector<int> widths;
    {
        CClientDC dc(&m_lbSources);
        // Measured with the font the list draws with, not the DC's default.
        HFONT hFont = m_lbSources.GetFont();
        HGDIOBJ hOld = hFont ? dc.SelectObject(hFont) : nullptr;
        for (int i = 0; i < m_lbSources.GetCount(); ++i)
            widths.push_back(dc.GetTextExtent(m_lbSources.GetText(i)).cx);
        if (hOld)
            dc.SelectObject(hOld);
    }
    m_lbSources.SetHorizontalExtent(HorizontalExtent(widths, kListTextMargin));
}

void CConverterDlg::OnBrowse() {
    // The picker changes only the folder: a label or format changed since the
    // last reading must survive the rewrite of the controls below.
    UpdateData(TRUE);
    CFolderPickerDlg dlg(nullptr, nullptr, nullptr);
    // Cancelled or not, the picker reports the folder it showed last.
    dlg.DoModal();
    m_strDestination = dlg.GetFolder();
    UpdateData(FALSE);
}

void CConverterDlg::OnConvert() {
    CConvertHost host(*this, m_lbSources, m_progress, m_strDestination, m_strLabel, m_nFormat);
    RunConversion(host);
}

void CConverterDlg::OnClear() {
    m_lbSources.ResetContent();
    UpdateHorizontalExtent();
}

void CConverterDlg::OnDelete() {
    int count = m_lbSources.GetSelCount();
    if (count <= 0)
        return;
    std::vector<int> selected(static_cast<size_t>(count));
    count = m_lbSources.GetSelItems(count, selected.data());
    // Highest first, so that the indices still to go stay valid.
    for (int i = count - 1; i >= 0; --i)
        m_lbSources.DeleteString(static_cast<UINT>(selected[static_cast<size_t>(i)]));
    UpdateHorizontalExtent();
}

BOOL CConverterDlg::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_DELETE &&
        pMsg->hwnd == m_lbSources.m_hWnd) {
        OnDelete();
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CConverterDlg::OnDropFiles(HDROP hDropInfo) {
    std::vector<std::string> paths;
    int unusable = 0;
    const UINT count = ::DragQueryFileW(hDropInfo, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = ::DragQueryFileW(hDropInfo, i, nullptr, 0);
        std::wstring wide(length + 1, L'\0');
        wide.resize(::DragQueryFileW(hDropInfo, i, wide.data(), length + 1));
        std::string path;
        if (tavrik::os::NarrowExactly(wide, path))
            paths.push_back(path);
        else
            ++unusable;
    }
    ::DragFinish(hDropInfo);
    AddSources(paths);
    if (unusable > 0)
        MessageBox(UnusableNamesMessage(unusable), "Tavrik - Error!", kWarning);
}

void CConverterDlg::OnSourceDblClk() {
    // The entry double-clicked is the one with the caret, also in an extended selection.
    const int index = static_cast<int>(m_lbSources.SendMessage(LB_GETCARETINDEX));
    if (index < 0 || index >= m_lbSources.GetCount())
        return;
    CPreviewDlg dlg(m_lbSources.GetText(index), this);
    dlg.DoModal();
}
