#include "tests/win32/mainwindow/DialogTemplate.h"
#include "tests/win32/mainwindow/MainWindowSupport.h"

namespace {

struct Control {
    int id;
    const char* className;
    const char* text;
    DWORD style; // beyond WS_CHILD | WS_VISIBLE
    short x, y, cx, cy;
};

// Template order, which is also the tab order.
const Control kControls[] = {
    {1002, "Button", "&Add...", BS_PUSHBUTTON | WS_TABSTOP, 8, 102, 40, 14},
    {1013, "Button", "&Delete", BS_PUSHBUTTON | WS_TABSTOP, 52, 102, 40, 14},
    {1014, "Button", "C&lear", BS_PUSHBUTTON | WS_TABSTOP, 96, 102, 40, 14},
    {1001, "Edit", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 148, 28, 114, 12},
    {1003, "Button", "...", BS_PUSHBUTTON | WS_TABSTOP, 262, 28, 14, 12},
    {1004, "Button", "C-Language", BS_AUTORADIOBUTTON | WS_GROUP, 148, 58, 53, 10},
    {1005, "Button", "R3000 Assembler", BS_AUTORADIOBUTTON, 148, 68, 69, 10},
    {1006, "Edit", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 226, 58, 48, 12},
    {1007, "Button", "&Convert", BS_DEFPUSHBUTTON | WS_TABSTOP, 148, 102, 40, 14},
    {1008, "Button", "&Info", BS_PUSHBUTTON | WS_TABSTOP, 192, 102, 40, 14},
    {2, "Button", "&Quit", BS_PUSHBUTTON | WS_TABSTOP, 236, 102, 40, 14},
    {1000, "ListBox", "", 0x0903 | WS_BORDER | WS_VSCROLL | WS_HSCROLL, 8, 14, 128, 84},
    {-1, "Static", "Folder:", WS_GROUP | SS_CENTERIMAGE, 148, 18, 24, 8},
    {-1, "Static", "Format:", WS_GROUP | SS_CENTERIMAGE, 148, 48, 24, 8},
    {-1, "Static", "Label:", WS_GROUP | SS_CENTERIMAGE, 226, 48, 24, 8},
    {-1, "Button", "Input", BS_GROUPBOX, 4, 2, 136, 118},
    {-1, "Button", "Output", BS_GROUPBOX, 144, 2, 136, 86},
    {-1, "Button", "Command", BS_GROUPBOX, 144, 90, 136, 30},
    {1012, "msctls_progress32", "", 0, 8, 132, 268, 12},
    {-1, "Button", "Progress", BS_GROUPBOX, 4, 122, 276, 26},
};

TEST(MainWindowTemplate, WindowAsDocumented) {
    DialogTemplate t;
    ASSERT_TRUE(LoadDialogTemplate(IDD_TAVRIK_DIALOG, t));
    EXPECT_EQ(t.style, static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU |
                                          DS_MODALFRAME | DS_SETFONT));
    EXPECT_EQ(t.exStyle, static_cast<DWORD>(WS_EX_APPWINDOW));
    EXPECT_EQ(t.x, 0);
    EXPECT_EQ(t.y, 0);
    EXPECT_EQ(t.cx, 284);
    EXPECT_EQ(t.cy, 152);
    EXPECT_EQ(t.typeface, "MS Sans Serif");
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.weight, FW_NORMAL);
    EXPECT_EQ(t.italic, 0);
    EXPECT_EQ(t.charset, DEFAULT_CHARSET);
    const std::string prefix = "Tavrik - Morlanix Converter  ";
    EXPECT_EQ(t.caption.substr(0, prefix.size()), prefix);
    EXPECT_NE(t.caption.find("2026"), std::string::npos) << t.caption;
}

TEST(MainWindowTemplate, ControlsInTheirOrderWithIdsTextsStylesAndPlaces) {
    DialogTemplate t;
    ASSERT_TRUE(LoadDialogTemplate(IDD_TAVRIK_DIALOG, t));
    ASSERT_EQ(t.items.size(), std::size(kControls));
    for (size_t i = 0; i < t.items.size(); ++i) {
        const TemplateItem& item = t.items[i];
        const Control& c = kControls[i];
        SCOPED_TRACE(::testing::Message() << "control " << i << " " << c.text);
        EXPECT_EQ(static_cast<int>(item.id), c.id);
        EXPECT_EQ(lstrcmpiA(item.className.c_str(), c.className), 0) << item.className;
        EXPECT_EQ(item.text, c.text);
        EXPECT_EQ(item.style, c.style | WS_CHILD | WS_VISIBLE);
        EXPECT_EQ(item.exStyle, 0u);
        EXPECT_EQ(item.x, c.x);
        EXPECT_EQ(item.y, c.y);
        EXPECT_EQ(item.cx, c.cx);
        EXPECT_EQ(item.cy, c.cy);
    }
}

TEST(AboutBoxTemplate, WindowAndControlsAsDocumented) {
    DialogTemplate t;
    ASSERT_TRUE(LoadDialogTemplate(IDD_ABOUTBOX, t));
    EXPECT_EQ(t.style, 0x80C800C0u);
    EXPECT_EQ(t.exStyle, 0u);
    EXPECT_EQ(t.caption, "About Tavrik");
    EXPECT_EQ(t.x, 0);
    EXPECT_EQ(t.y, 0);
    EXPECT_EQ(t.cx, 280);
    EXPECT_EQ(t.cy, 146);
    EXPECT_EQ(t.typeface, "MS Sans Serif");
    EXPECT_EQ(t.pointSize, 8);
    struct AboutControl {
        int id;
        const char* className;
        const char* text; // nullptr: the implementer's wording, only not empty
        DWORD style;
        short x, y, cx, cy;
    } const controls[] = {
        {-1, "Static", "#128", 0x50000003, 14, 22, 16, 16},
        {-1, "Static", "Tavrik (Morlanix) v2.0", 0x50020080, 36, 26, 90, 8},
        {-1, "Static", nullptr, 0x50020000, 12, 46, 113, 8},
        {1, "Button", "OK", 0x50030001, 115, 128, 50, 14},
        {-1, "Button", "Information", 0x50000007, 4, 6, 128, 116},
        {-1, "Static", nullptr, 0x50020000, 12, 54, 114, 22},
        {-1, "Static", "For updates of Tavrik and other cool PSX-tools check out our homepage:",
         0x50020000, 12, 84, 114, 20},
        {1010, "Static", nullptr, 0x50020001, 12, 108, 114, 8},
        {-1, "Button", "Dizcription", 0x50000007, 136, 6, 140, 116},
        {1011, "Static", "Static", 0x50020000, 142, 18, 128, 98},
    };
    ASSERT_EQ(t.items.size(), std::size(controls));
    for (size_t i = 0; i < t.items.size(); ++i) {
        const TemplateItem& item = t.items[i];
        const AboutControl& c = controls[i];
        SCOPED_TRACE(::testing::Message() << "control " << i + 1);
        EXPECT_EQ(static_cast<WORD>(item.id), static_cast<WORD>(c.id));
        EXPECT_EQ(lstrcmpiA(item.className.c_str(), c.className), 0) << item.className;
        if (c.text != nullptr) {
            EXPECT_EQ(item.text, c.text);
        } else {
            EXPECT_FALSE(item.text.empty());
        }
        EXPECT_EQ(item.style, c.style);
        EXPECT_EQ(item.exStyle, 0u);
        EXPECT_EQ(item.x, c.x);
        EXPECT_EQ(item.y, c.y);
        EXPECT_EQ(item.cx, c.cx);
        EXPECT_EQ(item.cy, c.cy);
    }
}

std::string VersionValuePath(const char* name) {
    std::string path = "\\StringFileInfo\\040904b0\\";
    path.append(name);
    return path;
}

TEST(MainWindowResources, StringIconAndVersion) {
    char text[64] = {};
    ::LoadStringA(::GetModuleHandleA(nullptr), IDS_ABOUTBOX, text, sizeof(text));
    EXPECT_STREQ(text, "&About Tavrik...");

    for (int size : {32, 16}) {
        HICON icon = static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr),
                                                     MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON,
                                                     size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(icon, &info));
        BITMAP bm{};
        ::GetObjectA(info.hbmMask, sizeof(bm), &bm);
        EXPECT_EQ(bm.bmWidth, size);
        ::DeleteObject(info.hbmMask);
        ::DeleteObject(info.hbmColor);
        ::DestroyIcon(icon);
    }

    HACCEL accel =
        ::LoadAcceleratorsA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATOR));
    ASSERT_NE(accel, nullptr);
    ACCEL entry{};
    ASSERT_EQ(::CopyAcceleratorTableA(accel, &entry, 1), 1);
    EXPECT_EQ(entry.key, VK_F1);
    EXPECT_EQ(entry.cmd, 57670);

    HRSRC res = ::FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));
    ASSERT_NE(res, nullptr);
    auto* block = static_cast<const BYTE*>(::LockResource(::LoadResource(nullptr, res)));
    std::vector<BYTE> copy(block, block + ::SizeofResource(nullptr, res));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(copy.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00020000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00020000u);
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask,
              static_cast<DWORD>(VS_FF_PRIVATEBUILD | VS_FF_SPECIALBUILD));
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    struct Entry {
        const char* name;
        const char* text;
    } entries[] = {
        {"CompanyName", "Quendal"},
        {"FileDescription", "Tavrik (formerly known as Morlanix)"},
        {"FileVersion", "2.0"},
        {"ProductVersion", "2.0"},
        {"InternalName", "Tavrik"},
        {"ProductName", "Tavrik"},
        {"LegalTrademarks", "none ;-)"},
        {"PrivateBuild", "Converts BIN-files (*.TIM) to C or ASM source"},
        {"OriginalFilename", "Tavrik.exe"},
    };
    for (const Entry& e : entries) {
        char* value = nullptr;
        std::string path = VersionValuePath(e.name);
        ASSERT_TRUE(
            ::VerQueryValueA(copy.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
            << e.name;
        EXPECT_STREQ(value, e.text) << e.name;
    }
    for (const char* name : {"Comments", "LegalCopyright", "SpecialBuild"}) {
        char* value = nullptr;
        std::string path = VersionValuePath(name);
        ASSERT_TRUE(
            ::VerQueryValueA(copy.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
            << name;
        EXPECT_GT(std::strlen(value), 0u) << name;
    }
}

// Some cases store settings before the window reads them: each opens it itself.
struct MainWindowLayout : MainWindowFixture {
    MainWindowLayout() : MainWindowFixture(false) {}
};

TEST_F(MainWindowLayout, ControlsSitWhereTheTemplatePutsThem) {
    Open();
    HWND child = ::GetWindow(dlg.m_hWnd, GW_CHILD);
    for (const Control& c : kControls) {
        SCOPED_TRACE(c.text);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(static_cast<WORD>(::GetDlgCtrlID(child)), static_cast<WORD>(c.id));
        char cls[64] = {};
        ::GetClassNameA(child, cls, sizeof(cls));
        EXPECT_EQ(lstrcmpiA(cls, c.className), 0) << cls;
        // The list, the bar and the two edits (filled from the settings) show no template text.
        if (c.id != 1000 && c.id != 1012 && c.id != 1001 && c.id != 1006) {
            EXPECT_EQ(CWnd::FromHandle(child)->GetWindowText(), c.text);
        }
        // The dialog manager maps the position and the size each on its own, so
        // right and bottom are sums of two rounded values, not one rounded edge.
        RECT mapped{c.x, c.y, c.cx, c.cy};
        dlg.MapDialogRect(&mapped);
        RECT expected{mapped.left, mapped.top, mapped.left + mapped.right,
                      mapped.top + mapped.bottom};
        RECT actual;
        ::GetWindowRect(child, &actual);
        ::MapWindowPoints(HWND_DESKTOP, dlg.m_hWnd, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_TRUE(::EqualRect(&expected, &actual))
            << actual.left << "," << actual.top << " " << actual.right << "," << actual.bottom;
        child = ::GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr);
}

TEST_F(MainWindowLayout, FocusStartsOnAddAndTabsInTemplateOrder) {
    Open();
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(dlg.m_hWnd, 1002));
    // The checked radio button (C-Language at first start) is the group's tab stop.
    const int order[] = {1002, 1013, 1014, 1001, 1003, 1004, 1006, 1007, 1008, 2, 1002};
    HWND current = ::GetDlgItem(dlg.m_hWnd, order[0]);
    for (size_t i = 1; i < std::size(order); ++i) {
        current = ::GetNextDlgTabItem(dlg.m_hWnd, current, FALSE);
        EXPECT_EQ(::GetDlgCtrlID(current), order[i]) << "after " << order[i - 1];
    }
}

TEST_F(MainWindowLayout, FirstStartShowsTheDefaultsAndAnEmptyList) {
    Open();
    EXPECT_TRUE(Checked(IDC_FORMAT_C));
    EXPECT_FALSE(Checked(IDC_FORMAT_ASM));
    EXPECT_EQ(dlg.GetDlgItemText(IDC_LABEL), "Label");
    EXPECT_EQ(dlg.GetDlgItemText(IDC_DESTINATION), "");
    EXPECT_EQ(dlg.m_lbSources.GetCount(), 0);
}

TEST_F(MainWindowLayout, StoredSettingsAreShownAndAnUnknownFormatIsSavedAsMinusOne) {
    struct Case {
        int stored;
        bool c, asmChecked;
        BYTE saved[4];
    } cases[] = {
        {0, true, false, {0, 0, 0, 0}},
        {1, false, true, {1, 0, 0, 0}},
        {5, false, false, {0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        StoreFormat(c.stored);
        StoreText("Label", "tex");
        StoreText("Destination", "C:\\out");
        CProbeDlg shown;
        ASSERT_TRUE(shown.Create(IDD_TAVRIK_DIALOG));
        EXPECT_EQ(shown.IsDlgButtonChecked(IDC_FORMAT_C) == BST_CHECKED, c.c);
        EXPECT_EQ(shown.IsDlgButtonChecked(IDC_FORMAT_ASM) == BST_CHECKED, c.asmChecked);
        EXPECT_EQ(shown.GetDlgItemText(IDC_LABEL), "tex");
        EXPECT_EQ(shown.GetDlgItemText(IDC_DESTINATION), "C:\\out");
        shown.DestroyWindow();
        StoredValue format = ReadStored("Extension");
        ASSERT_TRUE(format.present);
        EXPECT_EQ(format.type, static_cast<DWORD>(REG_BINARY));
        EXPECT_EQ(format.data, std::vector<BYTE>(c.saved, c.saved + 4));
    }
}

TEST_F(MainWindowLayout, IconsAndTheAboutItemOfTheSystemMenu) {
    Open();
    ASSERT_NE(dlg.m_hIcon, nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(dlg.SendMessage(WM_GETICON, ICON_BIG)), dlg.m_hIcon);
    EXPECT_EQ(reinterpret_cast<HICON>(dlg.SendMessage(WM_GETICON, ICON_SMALL)), dlg.m_hIcon);
    EXPECT_EQ(reinterpret_cast<HICON>(dlg.SendMessage(WM_QUERYDRAGICON)), dlg.m_hIcon);

    HMENU menu = ::GetSystemMenu(dlg.m_hWnd, FALSE);
    ASSERT_NE(menu, nullptr);
    int count = ::GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(::GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
    char text[64] = {};
    ::GetMenuStringA(menu, count - 1, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "&About Tavrik...");
    EXPECT_TRUE(::GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR);
}

// Every way of closing the window stores what the controls show.
TEST_F(MainWindowLayout, SettingsAreSavedOnEveryEnding) {
    struct Case {
        const char* name;
        INT_PTR result;
        std::function<void(HWND)> close;
    } cases[] = {
        {"Quit", IDCANCEL,
         [](HWND h) { ::PostMessageA(::GetDlgItem(h, IDCANCEL), BM_CLICK, 0, 0); }},
        {"Escape", IDCANCEL,
         [](HWND h) {
             HWND edit = ::GetDlgItem(h, IDC_LABEL);
             ::SetFocus(edit);
             ::PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
         }},
        {"close box", IDCANCEL, [](HWND h) { ::PostMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"IDOK", IDOK, [](HWND h) { ::PostMessageA(h, WM_COMMAND, IDOK, 0); }},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearSettings();
        std::string label = "lbl" + std::to_string(++n);
        std::string folder = "C:\\dest\\" + std::to_string(n);
        CProbeDlg modal;
        TimerScript script({[&] {
                               HWND h = modal.m_hWnd;
                               if (h == nullptr || !::IsWindowVisible(h))
                                   return false;
                               ::SetDlgItemTextA(h, IDC_LABEL, label.c_str());
                               ::SetDlgItemTextA(h, IDC_DESTINATION, folder.c_str());
                               ::CheckRadioButton(h, IDC_FORMAT_C, IDC_FORMAT_ASM, IDC_FORMAT_ASM);
                               c.close(h);
                               return true;
                           }},
                           [&] { modal.EndDialog(-5); });
        EXPECT_EQ(modal.DoModal(), c.result);
        EXPECT_FALSE(script.TimedOut());
        EXPECT_EQ(ReadStored("Label").Text(), label);
        EXPECT_EQ(ReadStored("Destination").Text(), folder);
        EXPECT_EQ(ReadStored("Extension").data, std::vector<BYTE>({1, 0, 0, 0}));
    }
}

// This program carries the window's resources, manifest included, so it runs as
// Tavrik.exe does: UTF-8 as the code page, and drawn at the display's own scale.
TEST(MainWindowResources, ManifestGivesUtf8AndSystemDpiAwareness) {
    EXPECT_EQ(::GetACP(), 65001u);
    EXPECT_TRUE(::IsProcessDPIAware());
    HRSRC manifest = ::FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(manifest, nullptr);
    const char* text = static_cast<const char*>(::LockResource(::LoadResource(nullptr, manifest)));
    const std::string xml(text, ::SizeofResource(nullptr, manifest));
    EXPECT_NE(xml.find(">UTF-8</activeCodePage>"), std::string::npos);
    EXPECT_NE(xml.find(">true</dpiAware>"), std::string::npos);
}

} // namespace
