#include "editors/tests/page_fixture.h"

#include "testsupport/win/input_driver.h"

namespace editors::test {

std::string PageTest::SavePagePng(platform::forms::TCustomForm& page, const std::string& name) {
    const std::string path = (folder / name).string();
    EXPECT_TRUE(testsupport::SaveWindowPng(page.Handle(), path)) << path;
    return path;
}

void PageTest::DragSlider(controls::TPanSlider& panel, int value) {
    controls::TSlider& slider = panel.Slider();
    const int x = slider.Width() / 2;
    // A vertical slider runs from its bottom.
    int y = slider.Height() - (slider.ThumbPosition() + slider.ThumbHeight() / 2);
    driver.Press(slider.ClientToScreen({x, y}));
    const int step = value > panel.Value() ? -1 : 1;
    while (panel.Value() != value && y > -50 && y < slider.Height() + 50) {
        y += step;
        driver.MoveTo(slider.ClientToScreen({x, y}));
    }
    driver.Release(slider.ClientToScreen({x, y}));
}

} // namespace editors::test
