#include "framework/Button.h"
#include "framework/Dialog.h"
#include "tests/win32/framework/TestDialogs.h"

#include <gtest/gtest.h>

namespace {

class CCountingButton : public CButton {
  public:
    int m_nPreSubclass = 0;

  protected:
    void PreSubclassWindow() override { ++m_nPreSubclass; }
};

class CExchangeDlg : public CDialog {
  public:
    CExchangeDlg() : CDialog(IDD_EXCHANGE) {}
    int m_nChoice = -1;
    std::string m_strText;
    CCountingButton m_btnPlain;
    int m_nExchanges = 0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override {
        ++m_nExchanges;
        DDX_Control(pDX, IDC_PLAIN, m_btnPlain);
        DDX_Radio(pDX, IDC_RADIO_A, m_nChoice);
        DDX_Text(pDX, IDC_TEXT, m_strText);
    }
};

struct ExchangeFixture : ::testing::Test {
    CExchangeDlg dlg;
    void SetUp() override { ASSERT_TRUE(dlg.Create(IDD_EXCHANGE)); }
    void TearDown() override { dlg.DestroyWindow(); }
    UINT Checked(int id) { return dlg.IsDlgButtonChecked(id); }
};

TEST_F(ExchangeFixture, InitialExchangeWritesFieldsAndBindsControlsOnce) {
    EXPECT_EQ(dlg.m_nExchanges, 1);
    EXPECT_EQ(dlg.m_btnPlain.m_hWnd, ::GetDlgItem(dlg.m_hWnd, IDC_PLAIN));
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_btnPlain.m_hWnd), &dlg.m_btnPlain);
    EXPECT_EQ(dlg.m_btnPlain.m_nPreSubclass, 1);
    dlg.UpdateData(TRUE);
    dlg.UpdateData(FALSE);
    EXPECT_EQ(dlg.m_btnPlain.m_nPreSubclass, 1);
    for (int id : {IDC_RADIO_A, IDC_RADIO_B, IDC_RADIO_C})
        EXPECT_EQ(Checked(id), BST_UNCHECKED) << id;
}

TEST_F(ExchangeFixture, RadioLoadChecksThePositionAndClearsTheRest) {
    struct Case {
        int value;
        UINT a, b, c;
    } cases[] = {
        {0, BST_CHECKED, BST_UNCHECKED, BST_UNCHECKED},
        {1, BST_UNCHECKED, BST_CHECKED, BST_UNCHECKED},
        // The static text between B and C is no position.
        {2, BST_UNCHECKED, BST_UNCHECKED, BST_CHECKED},
        {5, BST_UNCHECKED, BST_UNCHECKED, BST_UNCHECKED},
        {-1, BST_UNCHECKED, BST_UNCHECKED, BST_UNCHECKED},
    };
    ::CheckDlgButton(dlg.m_hWnd, IDC_OTHER_RADIO, BST_CHECKED);
    for (const Case& c : cases) {
        ::CheckDlgButton(dlg.m_hWnd, IDC_RADIO_A, BST_CHECKED);
        ::CheckDlgButton(dlg.m_hWnd, IDC_RADIO_C, BST_CHECKED);
        dlg.m_nChoice = c.value;
        dlg.UpdateData(FALSE);
        EXPECT_EQ(Checked(IDC_RADIO_A), c.a) << c.value;
        EXPECT_EQ(Checked(IDC_RADIO_B), c.b) << c.value;
        EXPECT_EQ(Checked(IDC_RADIO_C), c.c) << c.value;
    }
    // The group ended at the next WS_GROUP control.
    EXPECT_EQ(Checked(IDC_OTHER_RADIO), BST_CHECKED);
}

TEST_F(ExchangeFixture, RadioSaveGivesThePositionOrMinusOne) {
    dlg.m_nChoice = 7;
    dlg.UpdateData(TRUE);
    EXPECT_EQ(dlg.m_nChoice, -1);

    ::CheckDlgButton(dlg.m_hWnd, IDC_OTHER_RADIO, BST_CHECKED);
    dlg.UpdateData(TRUE);
    EXPECT_EQ(dlg.m_nChoice, -1) << "a button of the next group is not part of this one";

    ::CheckDlgButton(dlg.m_hWnd, IDC_RADIO_C, BST_CHECKED);
    dlg.UpdateData(TRUE);
    EXPECT_EQ(dlg.m_nChoice, 2);
}

TEST_F(ExchangeFixture, TextGoesBothWaysUnchanged) {
    dlg.m_strText = "  C:\\out\\ with blanks ";
    dlg.UpdateData(FALSE);
    EXPECT_EQ(dlg.GetDlgItemText(IDC_TEXT), "  C:\\out\\ with blanks ");
    dlg.SetDlgItemText(IDC_TEXT, "");
    dlg.UpdateData(TRUE);
    EXPECT_EQ(dlg.m_strText, "");
}

TEST(DataExchange, MissingControlFailsTheExchange) {
    struct CBadDlg : CDialog {
        std::string m_strText;
        void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, 999, m_strText); }
    } dlg;
    ASSERT_TRUE(dlg.Create(IDD_EXCHANGE));
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    dlg.DestroyWindow();
}

} // namespace
