// The main window under test: a view into the dialog's members and the one
// fixture that opens it over clean settings.
#pragma once

#include "mainwindow/CommandLineFiles.h"
#include "mainwindow/ConverterDlg.h"
#include "res/resource.h"
#include "tests/support/TestFiles.h"
#include "tests/support/win32/MessageBoxes.h"
#include "tests/support/win32/ScratchSettings.h"
#include "tests/support/win32/TimerScript.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using testfiles::TempDir;

// The dialog with its members in view.
class CProbeDlg : public CConverterDlg {
  public:
    using CConverterDlg::m_btnAdd;
    using CConverterDlg::m_hIcon;
    using CConverterDlg::m_lbSources;
    using CConverterDlg::m_nFormat;
    using CConverterDlg::m_progress;
    using CConverterDlg::m_strDestination;
    using CConverterDlg::m_strLabel;

    std::vector<std::string> Entries() const {
        std::vector<std::string> entries;
        for (int i = 0; i < m_lbSources.GetCount(); ++i)
            entries.push_back(m_lbSources.GetText(i));
        return entries;
    }
    void Click(int id) { ::SendMessageA(::GetDlgItem(m_hWnd, id), BM_CLICK, 0, 0); }
};

// A main window over clean settings, with a folder of files beside it. Open at
// the start unless the test stores settings first and opens it itself.
struct MainWindowFixture : ::testing::Test {
    CProbeDlg dlg;
    TempDir folder;
    explicit MainWindowFixture(bool bOpenAtStart = true) : m_bOpenAtStart(bOpenAtStart) {}
    void SetUp() override {
        ClearSettings();
        if (m_bOpenAtStart)
            Open();
    }
    void TearDown() override {
        if (dlg.m_hWnd)
            dlg.DestroyWindow();
        ClearSettings();
    }
    void Open() { ASSERT_TRUE(dlg.Create(IDD_TAVRIK_DIALOG)); }
    bool Checked(int id) { return dlg.IsDlgButtonChecked(id) == BST_CHECKED; }

  private:
    bool m_bOpenAtStart;
};

inline std::string ReadWholeFile(const std::string& path) {
    return std::filesystem::exists(path) ? testfiles::ReadFile(path) : "<missing>";
}
