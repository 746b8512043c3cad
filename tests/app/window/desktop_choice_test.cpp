// chooseDesktop: the layer shell where offered, else XWayland, never an ordinary Wayland
// window, and a message where neither is there.
#include "app/window/desktop_choice.h"

#include <gtest/gtest.h>
#include <ostream>

namespace {

using Surface = DesktopChoice::Surface;

struct ChoiceRow {
    const char* name;
    DesktopFacts facts;
    Surface surface;
    const char* qtPlatform;
};
void PrintTo(const ChoiceRow& row, std::ostream* out) {
    *out << row.name;
}

DesktopFacts facts(bool wayland, bool x11, const char* platform, bool layerShell) {
    DesktopFacts result;
    result.waylandDisplay = wayland;
    result.x11Display = x11;
    result.qtPlatform = platform;
    result.layerShell = layerShell;
    result.layerShellWhyNot = "the Wayland compositor offers no layer shell";
    return result;
}

class ChooseDesktopTest : public testing::TestWithParam<ChoiceRow> {};

TEST_P(ChooseDesktopTest, PicksTheSurfaceAndQtsPlatform) {
    const ChoiceRow& row = GetParam();
    const DesktopChoice choice = chooseDesktop(row.facts);
    EXPECT_EQ(choice.surface, row.surface);
    EXPECT_EQ(choice.qtPlatform, row.qtPlatform);
    EXPECT_EQ(choice.message.empty(), row.surface != Surface::None) << choice.message;
}

INSTANTIATE_TEST_SUITE_P(
    Desktops, ChooseDesktopTest,
    testing::Values(
        ChoiceRow{"x11", facts(false, true, "", false), Surface::QtWindow, ""},
        ChoiceRow{"sway_with_xwayland", facts(true, true, "", true), Surface::LayerShell, "xcb"},
        ChoiceRow{"sway_without_xwayland", facts(true, false, "", true), Surface::LayerShell, ""},
        ChoiceRow{"user_wayland_with_layer_shell", facts(true, true, "wayland", true),
                  Surface::LayerShell, ""},
        ChoiceRow{"gnome_through_xwayland", facts(true, true, "", false), Surface::QtWindow, "xcb"},
        ChoiceRow{"user_wayland_without_layer_shell_is_not_tiled",
                  facts(true, true, "wayland", false), Surface::QtWindow, "xcb"},
        ChoiceRow{"wayland_alone_without_layer_shell", facts(true, false, "", false), Surface::None,
                  ""},
        ChoiceRow{"no_display_at_all", facts(false, false, "", false), Surface::None, ""},
        ChoiceRow{"offscreen_as_asked", facts(false, false, "offscreen", false), Surface::QtWindow,
                  ""},
        ChoiceRow{"xcb_as_asked_on_sway", facts(true, true, "xcb", true), Surface::QtWindow, ""}),
    [](const testing::TestParamInfo<ChoiceRow>& info) { return info.param.name; });

TEST(ChooseDesktop, TheMessageSaysWhyAndWhatToDo) {
    const DesktopChoice choice = chooseDesktop(facts(true, false, "", false));
    EXPECT_NE(choice.message.find("offers no layer shell"), std::string::npos) << choice.message;
    EXPECT_NE(choice.message.find("XWayland"), std::string::npos) << choice.message;
}

} // namespace
