#include "model/editing/drag_info.h"

#include "model/program/quintaron.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace model {
namespace {

TEST(PageKindTest, Codes) {
    const TPageKind codes[] = {COMMON,       EFFECTS,  CONTROL,  WAVE,    PITCH,
                               LFO1,         LFO2,     TVA,      TVF,     PERCOM,
                               PEREFF,       PERPARTS, SYSSETUP, SYSMIDI, SYSPREVIEW,
                               SYSSCALETUNE, RHYMAIN,  RHYPITCH, RHYTVF,  RHYTVA};
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(codes[i], i);
}

TEST(PageKindTest, PageKindOfPanelNames) {
    const struct {
        const char* name;
        TPageKind kind;
    } cases[] = {
        {"Wave1", WAVE},
        {"Pitch4", PITCH},
        {"Lfo11", LFO1},
        {"Lfo21", LFO2},
        {"Control2", CONTROL},
        {"TVA3", TVA},
        {"TVF1", TVF},
        {"Common", COMMON},
        {"Effects", EFFECTS},
        {"PerEff", PEREFF},
        {"PerCom", PERCOM},
        {"PerParts5", PERPARTS},
        {"SysSetup", SYSSETUP},
        {"SysMidi", SYSMIDI},
        {"SysPreview", SYSPREVIEW},
        {"SysScaleTune", SYSSCALETUNE},
        {"RhyMain", RHYMAIN},
        {"RhyPitch", RHYPITCH},
        {"RhyTVF", RHYTVF},
        {"RhyTva", RHYTVA},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TDragInfo::PageKindOf(c.name), c.kind) << c.name;
    EXPECT_EQ(TDragInfo::PageKindOf("PanelSystem"), std::nullopt);
    EXPECT_EQ(TDragInfo::PageKindOf(""), std::nullopt);
}

class FakePanel : public TPagePanel {
public:
    FakePanel(std::string name, std::int32_t tag, const FakePanel* group)
        : name_(std::move(name)), tag_(tag), group_(group) {}
    std::string Name() const override { return name_; }
    std::int32_t Tag() const override { return tag_; }
    bool Highlighted() const override { return highlighted; }
    void SetHighlighted(bool on) override { highlighted = on; }
    const TPagePanel* Group() const override { return group_; }
    void BeginDrag() override { ++drags; }

    bool highlighted = false;
    int drags = 0;

private:
    std::string name_;
    std::int32_t tag_;
    const FakePanel* group_;
};

// A patch window in small: a common group and one tone group.
class FakeForm : public TPageForm, public platform::core::TObject {
public:
    FakeForm() {
        common = Add("Common", 0, &commonGroup);
        effects = Add("Effects", 0, &commonGroup);
        wave1 = Add("Wave1", 1, &toneGroup);
        pitch1 = Add("Pitch1", 1, &toneGroup);
        wave2 = Add("Wave2", 2, &toneGroup);
    }
    platform::core::TObject* Form() override { return this; }
    std::vector<TPagePanel*> PagePanels() override {
        std::vector<TPagePanel*> result;
        for (auto& panel : panels_)
            result.push_back(panel.get());
        return result;
    }
    std::vector<std::string> Highlighted() const {
        std::vector<std::string> result;
        for (const auto& panel : panels_)
            if (panel->highlighted) result.push_back(panel->Name());
        return result;
    }

    FakePanel commonGroup{"PanelCommon", 0, nullptr};
    FakePanel toneGroup{"PanelTone", 0, nullptr};
    FakePanel* common;
    FakePanel* effects;
    FakePanel* wave1;
    FakePanel* pitch1;
    FakePanel* wave2;

private:
    FakePanel* Add(const char* name, std::int32_t tag, const FakePanel* group) {
        panels_.push_back(std::make_unique<FakePanel>(name, tag, group));
        return panels_.back().get();
    }
    std::vector<std::unique_ptr<FakePanel>> panels_;
};

class DragInfoTest : public ::testing::Test {
protected:
    TQuintaron state;
    FakeForm form;
    TDragInfo info;
};

TEST_F(DragInfoTest, PlainClickSelectsThePageAndStartsADrag) {
    form.common->highlighted = true;
    PanelMouseDown(info, form, *form.wave1, false, "PanelTone", "NNNNNNN");
    EXPECT_EQ(form.Highlighted(), (std::vector<std::string>{"Wave1"}));
    EXPECT_EQ(form.wave1->drags, 1);
    EXPECT_EQ(info.Source, &form);
    EXPECT_TRUE(state.DragRunning);
    EXPECT_FALSE(info.Accept);
    ASSERT_EQ(info.Elems.size(), 1u);
    EXPECT_EQ(info.Elems[0].Kind, WAVE);
    EXPECT_EQ(info.Elems[0].Tag, 1);
    EXPECT_TRUE(info.HasKind(WAVE));
    EXPECT_FALSE(info.HasKind(PITCH));
}

TEST_F(DragInfoTest, ClickOnASelectedPageDragsTheWholeSelection) {
    PanelMouseDown(info, form, *form.wave1, false, "PanelTone", "NNNNNNN");
    PanelMouseDown(info, form, *form.pitch1, true, "PanelTone", "NNNNNNN");
    PanelMouseDown(info, form, *form.wave1, false, "PanelTone", "NNNNNNN");
    ASSERT_EQ(info.Elems.size(), 2u);
    EXPECT_EQ(info.Elems[0].Kind, WAVE);
    EXPECT_EQ(info.Elems[1].Kind, PITCH);
}

TEST_F(DragInfoTest, CtrlClicksInTwoGroupsKeepOnlyTheLastGroup) {
    PanelMouseDown(info, form, *form.wave1, true, "PanelTone", "NNNNNNN");
    PanelMouseDown(info, form, *form.pitch1, true, "PanelTone", "NNNNNNN");
    PanelMouseDown(info, form, *form.common, true, "PanelTone", "NNNNNNN");
    PanelMouseDown(info, form, *form.effects, true, "PanelTone", "NNNNNNN");
    EXPECT_EQ(form.Highlighted(), (std::vector<std::string>{"Common", "Effects"}));
    EXPECT_FALSE(state.DragRunning);
    EXPECT_EQ(form.effects->drags, 0);
}

TEST_F(DragInfoTest, ClickOnTheGroupPanelSelectsItsPagesWithoutADrag) {
    form.common->highlighted = true;
    PanelMouseDown(info, form, form.toneGroup, false, "PanelTone", "NNNNNNN");
    EXPECT_EQ(form.Highlighted(), (std::vector<std::string>{"Wave1", "Pitch1", "Wave2"}));
    EXPECT_FALSE(state.DragRunning);
    EXPECT_TRUE(info.Elems.empty());
}

TEST_F(DragInfoTest, OtherNameDoesNothing) {
    FakePanel other("NNNNNNN", 0, nullptr);
    form.wave2->highlighted = true;
    PanelMouseDown(info, form, other, false, "PanelTone", "NNNNNNN");
    EXPECT_EQ(form.Highlighted(), (std::vector<std::string>{"Wave2"}));
    EXPECT_FALSE(state.DragRunning);
}

TEST_F(DragInfoTest, HighlightTargetsByKindAndTag) {
    TDragInfo::HighlightTargets(form, WAVE, 2);
    EXPECT_EQ(form.Highlighted(), (std::vector<std::string>{"Wave2"}));
    UnhighlightPanels(form);
    EXPECT_TRUE(form.Highlighted().empty());
    TDragInfo::HighlightTargets(form, WAVE, 0);
    EXPECT_EQ(form.Highlighted(), (std::vector<std::string>{"Wave1", "Wave2"}));
}

TEST_F(DragInfoTest, BuildStartsAfresh) {
    form.wave1->highlighted = true;
    info.BuildFromPanels(form);
    info.BuildFromPanels(form);
    EXPECT_EQ(info.Elems.size(), 1u);
    info.Clear();
    EXPECT_TRUE(info.Elems.empty());
    EXPECT_FALSE(info.HasKind(WAVE));
}

} // namespace
} // namespace model
