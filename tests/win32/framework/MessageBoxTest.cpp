#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "tests/support/win32/MessageBoxes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct ResponderFixture : ::testing::Test {
    RecordedBoxes recorded;
    std::vector<MessageRecord>& boxes = recorded.boxes;
};

TEST_F(ResponderFixture, AppBoxCarriesTheExecutableNameAndAnExclamationByDefault) {
    struct Case {
        UINT given;
        UINT shown;
    } cases[] = {
        {MB_OK, MB_OK | MB_ICONEXCLAMATION},
        {MB_YESNO, MB_YESNO | MB_ICONEXCLAMATION},
        {MB_OK | MB_ICONINFORMATION, MB_OK | MB_ICONINFORMATION},
    };
    for (const Case& c : cases)
        AfxMessageBox("C:\\nowhere\\\nThis is not a valid folder.", c.given);
    ASSERT_EQ(boxes.size(), 3u);
    for (size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_EQ(boxes[i].caption, "framework_win32_test");
        EXPECT_EQ(boxes[i].text, "C:\\nowhere\\\nThis is not a valid folder.");
        EXPECT_EQ(boxes[i].type, cases[i].shown);
    }
}

TEST_F(ResponderFixture, AnswerComesBackToTheCaller) {
    recorded.answers = {IDYES, IDNO};
    EXPECT_EQ(AfxMessageBox("Create it?", MB_YESNO), IDYES);
    EXPECT_EQ(AfxMessageBox("Create it?", MB_YESNO), IDNO);
}

TEST_F(ResponderFixture, WindowBoxIsOwnedByTheWindowWithItsCaption) {
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "w", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    wnd.MessageBox("You have to select at least one source file!", "Tavrik - Error!",
                   MB_OK | MB_ICONWARNING);
    wnd.MessageBox("plain");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].hOwner, wnd.m_hWnd);
    EXPECT_EQ(boxes[0].caption, "Tavrik - Error!");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    EXPECT_EQ(boxes[1].caption, "framework_win32_test");
    wnd.DestroyWindow();
}

TEST_F(ResponderFixture, AppBoxIsOwnedByTheMainWindowOrItsOpenPopup) {
    CWinApp app;
    CWnd mainWnd;
    ASSERT_TRUE(mainWnd.CreateEx(0, "STATIC", "main", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                 nullptr));
    app.m_pMainWnd = &mainWnd;
    AfxMessageBox("first");
    CWnd popup;
    ASSERT_TRUE(popup.CreateEx(0, "STATIC", "popup", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20,
                               mainWnd.m_hWnd, nullptr));
    ::SetActiveWindow(popup.m_hWnd);
    AfxMessageBox("second");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].hOwner, mainWnd.m_hWnd);
    EXPECT_EQ(boxes[1].hOwner, popup.m_hWnd);
    popup.DestroyWindow();
    mainWnd.DestroyWindow();
}

} // namespace
