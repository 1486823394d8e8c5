#include "about/LinkLabelRules.h"

#include <gtest/gtest.h>

namespace ll = tavrik::linklabel;

namespace {

TEST(LinkLabelColour, HoverWinsOverVisitedWhichWinsOverLink) {
    const ll::Colours colours{0x00000001, 0x00000002, 0x00000003};
    struct Case {
        bool hover, visited;
        ll::Colour expected;
    } const cases[] = {
        {false, false, 0x00000001},
        {false, true, 0x00000002},
        {true, false, 0x00000003},
        {true, true, 0x00000003},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "hover " << c.hover << " visited " << c.visited);
        EXPECT_EQ(ll::TextColour(colours, c.hover, c.visited), c.expected);
    }
    const ll::Colours defaults;
    EXPECT_EQ(defaults.link, 0x00EE0000u);
    EXPECT_EQ(defaults.visited, 0x008B1A55u);
    EXPECT_EQ(defaults.hover, 0x00005CFFu);
}

TEST(LinkLabelFit, EdgesFollowTheAlignmentStyle) {
    const ll::Rect control{100, 50, 200, 70}; // 100 wide, 20 high
    struct Case {
        const char* name;
        unsigned style;
        int cx, cy;
        ll::Rect expected;
    } const cases[] = {
        {"left keeps the left and top", 0, 40, 13, {100, 50, 140, 63}},
        {"right keeps the right", ll::kStyleRight, 40, 13, {160, 50, 200, 63}},
        {"centred, even difference", ll::kStyleCenter, 40, 13, {130, 50, 170, 63}},
        {"centred, odd difference: one wider than the text",
         ll::kStyleCenter,
         41,
         13,
         {129, 50, 171, 63}},
        {"centred, text wider than the control", ll::kStyleCenter, 120, 13, {90, 50, 210, 63}},
        {"centred, wider by an odd amount: one narrower",
         ll::kStyleCenter,
         105,
         13,
         {98, 50, 202, 63}},
        {"centre bit tested before the right bit",
         ll::kStyleCenter | ll::kStyleRight,
         40,
         13,
         {130, 50, 170, 63}},
        {"centre-image, even difference", ll::kStyleCenterImage, 40, 12, {100, 54, 140, 66}},
        {"centre-image, odd difference", ll::kStyleCenterImage, 40, 13, {100, 53, 140, 67}},
        {"centre-image and centred",
         ll::kStyleCenterImage | ll::kStyleCenter,
         41,
         13,
         {129, 53, 171, 67}},
        {"empty text", ll::kStyleCenter, 0, 0, {150, 50, 150, 50}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ll::Rect rc = ll::FitToText(control, c.style, c.cx, c.cy);
        EXPECT_EQ(rc.left, c.expected.left);
        EXPECT_EQ(rc.top, c.expected.top);
        EXPECT_EQ(rc.right, c.expected.right);
        EXPECT_EQ(rc.bottom, c.expected.bottom);
    }
}

TEST(LinkLabelFallback, CommandIsCutAtThePlaceholderAndGetsTheTarget) {
    const std::string target = "http://www.quendal.example/";
    struct Case {
        const char* name;
        const char* registered;
        const char* expected;
    } const cases[] = {
        {"quoted placeholder: its blank and ours make two",
         "\"C:\\browser.exe\" -nohome \"%1\" -extra", "\"C:\\browser.exe\" -nohome  " /*target*/},
        {"bare placeholder", "C:\\browser.exe -url %1 -extra", "C:\\browser.exe -url  "},
        {"bare placeholder without a blank before it", "C:\\browser.exe -url=%1",
         "C:\\browser.exe -url= "},
        {"the quoted form is found even after a bare one", "viewer.exe %1x \"%1\"",
         "viewer.exe %1x  "},
        {"no placeholder: the whole command", "C:\\browser.exe -new", "C:\\browser.exe -new "},
        {"empty command: a blank, then the target", "", " "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto command = ll::FallbackCommand(c.registered, target);
        ASSERT_TRUE(command.has_value());
        EXPECT_EQ(*command, std::string(c.expected) + target);
    }
}

TEST(LinkLabelFallback, ACommandLongerThanTheBufferIsNotBuilt) {
    const std::string program(259, 'p');
    // 259 + blank + 259 = 519 characters and the terminator: exactly full.
    auto longest = ll::FallbackCommand(program, std::string(259, 't'));
    ASSERT_TRUE(longest.has_value());
    EXPECT_EQ(longest->size(), 519u);
    EXPECT_FALSE(ll::FallbackCommand(program, std::string(260, 't')).has_value());
    // The cut happens first: a long tail after the placeholder does not count.
    EXPECT_TRUE(ll::FallbackCommand("b.exe \"%1\"" + std::string(400, 'x'), std::string(400, 't'))
                    .has_value());
}

TEST(LinkLabelError, EveryCodeOfTheTableAndAnUnknownOne) {
    struct Case {
        std::intptr_t code;
        const char* text;
    } const cases[] = {
        {0, "The operating system is out\nof memory or resources."},
        {2, "The specified file was not found."},
        {3, "The specified path was not found."},
        {5, "The operating system denied\naccess to the specified file."},
        {8, "There was not enough memory to complete the operation."},
        {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {26, "A sharing violation occurred. "},
        {27, "The filename association is\nincomplete or invalid."},
        {28, "The DDE transaction could not\nbe completed because the request timed out."},
        {29, "The DDE transaction failed."},
        {30, "The DDE transaction could not\nbe completed because other DDE transactions\n"
             "were being processed."},
        {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
        {1, "Unknown Error (1) occurred."},
        {4, "Unknown Error (4) occurred."},
        {33, "Unknown Error (33) occurred."},
        {-5, "Unknown Error (-5) occurred."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(ll::OpenErrorText(c.code), std::string("Unable to open hyperlink:\n\n") + c.text);
    }
}

} // namespace
