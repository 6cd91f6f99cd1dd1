#include "editors/form_patch.h"

#include "editors/patch_pages.h"
#include "editors/patch_part_copy.h"
#include "model/transfer/activation.h"
#include "platform/forms/application.h"
#include "platform/forms/place_control.h"
#include "platform/gdi/colors.h"

#include <algorithm>
#include <string>

namespace editors {

namespace {

using TTool = TElementWindow::TTool;

// New, Send, Receive | Load, Save, Save as | Help.
const TElementWindow::TToolbarLayout Toolbar = {64,
                                                0,
                                                {TTool::New, TTool::Send, TTool::Receive,
                                                 TTool::Gap, TTool::Load, TTool::Save,
                                                 TTool::SaveAs, TTool::Gap, TTool::Help}};

constexpr int GroupLeft = 8;
constexpr int GroupWidth = 458;
constexpr int GroupHeight = 32;
constexpr int GroupPitch = 38;
constexpr int FirstGroupTop = TElementWindow::ToolbarHeight + 8;
constexpr int PageLeft = 66;
constexpr int PagePitch = 55;
constexpr int PageWidth = 52;
constexpr int PageHeight = 24;

bool IsLfo(model::TPageKind kind) {
    return kind == model::LFO1 || kind == model::LFO2;
}

} // namespace

// A tone's page panels, in the window's control order.
struct TFormPatch::TPageDesc {
    const char* caption;
    model::TPageKind kind;
    // The component name for tones 1..4.
    std::array<const char*, model::ToneCount> names;
};

TFormPatch::TFormPatch(forms::TComponent* owner, model::TPatch& patch, model::TDragInfo& dragInfo)
    : forms::TForm(owner, forms::fsMDIChild), TElementWindow(*this, dragInfo),
      Shader1(forms::PlaceControl<controls::TShader>(*this, *this, 0, 0, 0, 0)),
      Panel1(MakeToolbar()), SpeedNuovo(MakeToolButton(Panel1, Toolbar, TTool::New)),
      SpeedSend(MakeToolButton(Panel1, Toolbar, TTool::Send)),
      SpeedReceive(MakeToolButton(Panel1, Toolbar, TTool::Receive)),
      SpeedCarica(MakeToolButton(Panel1, Toolbar, TTool::Load)),
      SpeedSalva(MakeToolButton(Panel1, Toolbar, TTool::Save)),
      SpeedSaveAs(MakeToolButton(Panel1, Toolbar, TTool::SaveAs)),
      SpeedHelp(MakeToolButton(Panel1, Toolbar, TTool::Help)),
      PanelComEff(MakeGroup("PanelComEff", FirstGroupTop, 0)),
      Common(MakePage(PanelComEff, {"Common", model::COMMON, {"Common"}}, 0, PageLeft)),
      Effects(
          MakePage(PanelComEff, {"Effects", model::EFFECTS, {"Effects"}}, 0, PageLeft + PagePitch)),
      patch_(patch) {
    SetUpFrame(HelpContextNumber, "Patch", Panel1, Shader1);

    static const TPageDesc tonePages[] = {
        {"Wave", model::WAVE, {"Wave1", "Wave2", "Wave3", "Wave4"}},
        {"Pitch", model::PITCH, {"Pitch1", "Pitch2", "Pitch3", "Pitch4"}},
        {"TVF", model::TVF, {"TVF", "Tvf2", "Tvf3", "Tvf4"}},
        {"TVA", model::TVA, {"Tva1", "Tva2", "Tva3", "Tva4"}},
        {"LFO 1", model::LFO1, {"Lfo11", "Lfo12", "Lfo13", "Lfo14"}},
        {"LFO 2", model::LFO2, {"Lfo21", "Lfo22", "Lfo23", "Lfo24"}},
        {"Control", model::CONTROL, {"Control1", "Control2", "Control3", "control4"}},
    };
    for (int tone = 1; tone <= model::ToneCount; ++tone) {
        const std::size_t k = static_cast<std::size_t>(tone - 1);
        forms::TPanel& group = MakeGroup(("PanelTone" + std::to_string(tone)).c_str(),
                                         FirstGroupTop + tone * GroupPitch, tone);
        PanelTone[k] = &group;
        auto& box = forms::PlaceControl<forms::TCheckBox>(*this, group, 6, 8, 56, 17,
                                                          "Tone " + std::to_string(tone));
        box.Name = "CheckBox" + std::to_string(tone);
        box.Tag = tone;
        box.SetColor(group.Color());
        box.OnClick = [this](forms::TObject* sender) { CheckBox1Click(sender); };
        CheckBox[k] = &box;
        int left = PageLeft;
        for (const TPageDesc& desc : tonePages) {
            forms::TPanel& page = MakePage(group, desc, tone, left);
            // The form has it so.
            if (tone == 2 && desc.kind == model::LFO1) page.SetCaption("LFO1");
            left += PagePitch;
        }
    }
    // Common and Effects come after the tones in control order.
    std::rotate(pages_.begin(), pages_.begin() + 2, pages_.end());

    // The common group takes no drag-over answer of its own, as in the form.
    SetUpEvents({&Shader1, &Panel1, PanelTone[0], PanelTone[1], PanelTone[2], PanelTone[3]},
                FixedWidth, FixedHeight);
}

TFormPatch::~TFormPatch() = default;

forms::TPanel& TFormPatch::MakeGroup(const char* name, int top, int tag) {
    auto& group =
        forms::PlaceControl<forms::TPanel>(*this, *this, GroupLeft, top, GroupWidth, GroupHeight);
    group.Tag = tag;
    AddGroupPanel(group, name);
    return group;
}

forms::TPanel& TFormPatch::MakePage(forms::TPanel& group, const TPageDesc& desc, int tag,
                                    int left) {
    forms::TPanel& page =
        AddPagePanel(group, desc.names[static_cast<std::size_t>(tag == 0 ? 0 : tag - 1)],
                     desc.caption, left, 4, PageWidth, PageHeight);
    page.Tag = tag;
    return page;
}

forms::TPanel* TFormPatch::PagePanel(model::TPageKind kind, int tone) const {
    for (const auto& page : pages_)
        if (model::TDragInfo::PageKindOf(*page) == kind && page->Tag() == tone)
            return &page->Panel();
    return nullptr;
}

TElementWindow* TFormPatch::WindowOfPanel(const forms::TObject* control) const {
    return WindowOfPagePanel<TFormPatch>(control);
}

void TFormPatch::FormActivate() {
    model::ActivatePatch(&patch_);
}

void TFormPatch::CloseElementPages() {
    for (int tone = 1; tone <= model::ToneCount; ++tone)
        patch_.Tone(tone).CloseEditors();
    patch_.Common->CloseEditors();
}

void TFormPatch::UpdateView() {
    updating_ = true;
    SetCaption(ElementCaption());
    for (int tone = 1; tone <= model::ToneCount; ++tone)
        CheckBox[static_cast<std::size_t>(tone - 1)]->SetChecked(patch_.Tone(tone).GetParam(0) ==
                                                                 1);
    updating_ = false;
}

void TFormPatch::CheckBox1Click(forms::TObject* Sender) {
    // Showing the patch sets the boxes: a switch byte no box can hold (2) stays as it is.
    if (updating_) return;
    const auto* box = dynamic_cast<forms::TCheckBox*>(Sender);
    if (box == nullptr) return;
    model::TTone& tone = patch_.Tone(static_cast<int>(box->Tag));
    tone.SetParam(0, box->Checked() ? 1 : 0);
    patch_.SetModified();
    // The tone's wave page shows the switch too; it keeps its undo entries.
    const model::TEditorSlot& wave = tone.Pages[model::tpWave];
    if (wave.Open && wave.Window != nullptr) wave.Window->UpDateView();
}

void TFormPatch::OpenPanelPage(model::TPageKind kind, forms::TPanel& panel) {
    OpenPatchPage(kind, patch_, static_cast<int>(panel.Tag), *this);
}

const char* TFormPatch::DragGroup(const TPagePanelOf& panel) const {
    // The group panel clicked (or the group of the page clicked) names the group.
    return panel.Name().find("PanelComEff") != std::string::npos ? "PanelComEff" : "PanelTone";
}

bool TFormPatch::AcceptsPage(const forms::TPanel& target, const forms::TPanel& dragged,
                             model::TPageKind kind) const {
    // One LFO page copies onto either LFO page.
    if (dragInfo_.Elems.size() < 2 && IsLfo(kind))
        return dragInfo_.HasKind(model::LFO1) || dragInfo_.HasKind(model::LFO2);
    return dragInfo_.HasKind(kind) && target.Parent() != dragged.Parent();
}

void TFormPatch::CopyDroppedPage(TElementWindow& targetWindow, forms::TPanel& targetPanel,
                                 const model::TDragElem& entry) {
    CopyPatchPart(DragSource(*this).Patch(), static_cast<TFormPatch&>(targetWindow).Patch(),
                  targetPanel, entry);
}

void TFormPatch::CopyPatchPart(model::TPatch& source, model::TPatch& target,
                               forms::TPanel& targetPanel, const model::TDragElem& entry) {
    const int targetTone = static_cast<int>(targetPanel.Tag);
    const std::optional<model::TPageKind> targetKind =
        model::TDragInfo::PageKindOf(targetPanel.Name);
    TFormPatch* targetWindow = WindowOfPagePanel<TFormPatch>(&targetPanel);
    const bool crosswise = dragInfo_.Elems.size() == 1 && IsLfo(entry.Kind) && targetKind &&
                           IsLfo(*targetKind) && *targetKind != entry.Kind;
    const model::TPageKind received = crosswise ? *targetKind : entry.Kind;
    if (targetWindow != nullptr)
        model::TDragInfo::HighlightTargets(*targetWindow, received, targetTone);
    if (crosswise)
        CopyLfoCrosswise(source, entry.Tag, target, targetTone, entry.Kind);
    else
        CopyPageBytes(source, entry.Tag, target, targetTone, entry.Kind);
}

} // namespace editors
