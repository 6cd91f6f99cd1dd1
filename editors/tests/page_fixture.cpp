#include "editors/tests/page_fixture.h"

#include "model/sysex/sysex.h"
#include "testsupport/win/input_driver.h"

namespace editors::test {

Bytes PageTest::DataSet(std::uint8_t block, std::uint8_t offset, const Bytes& data) {
    Bytes message{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, block, offset};
    message.insert(message.end(), data.begin(), data.end());
    message.push_back(0);
    message.push_back(0xF7);
    message[message.size() - 2] = model::SysExChecksum(message);
    return message;
}

Bytes PageTest::ToneByte(int tone, std::uint8_t offset, std::uint8_t value) {
    return DataSet(static_cast<std::uint8_t>(0x10 + 2 * (tone - 1)), offset, {value});
}

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
