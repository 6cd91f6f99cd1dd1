#include "editors/form_patch.h"

#include "editors/patch_pages.h"
#include "editors/patch_part_copy.h"
#include "editors/place_control.h"
#include "model/transfer/activation.h"
#include "platform/forms/application.h"
#include "platform/gdi/colors.h"

#include <algorithm>
#include <string>

namespace editors {

namespace {

constexpr int ToolbarHeight = 28;
constexpr int ButtonWidth = 64;
constexpr int GroupLeft = 8;
constexpr int GroupWidth = 458;
constexpr int GroupHeight = 32;
constexpr int GroupPitch = 38;
constexpr int FirstGroupTop = ToolbarHeight + 8;
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
      Shader1(PlaceControl<controls::TShader>(*this, *this, 0, 0, 0, 0)),
      Panel1(PlaceControl<forms::TPanel>(*this, *this, 0, 0, 0, ToolbarHeight)),
      SpeedNuovo(PlaceControl<forms::TSpeedButton>(*this, Panel1, 2, 2, ButtonWidth, 24, "New")),
      SpeedSend(PlaceControl<forms::TSpeedButton>(*this, Panel1, 2 + ButtonWidth, 2, ButtonWidth,
                                                  24, "Send")),
      SpeedReceive(PlaceControl<forms::TSpeedButton>(*this, Panel1, 2 + 2 * ButtonWidth, 2,
                                                     ButtonWidth, 24, "Receive")),
      SpeedCarica(PlaceControl<forms::TSpeedButton>(*this, Panel1, 8 + 3 * ButtonWidth, 2,
                                                    ButtonWidth, 24, "Load")),
      SpeedSalva(PlaceControl<forms::TSpeedButton>(*this, Panel1, 8 + 4 * ButtonWidth, 2,
                                                   ButtonWidth, 24, "Save")),
      SpeedSaveAs(PlaceControl<forms::TSpeedButton>(*this, Panel1, 8 + 5 * ButtonWidth, 2,
                                                    ButtonWidth, 24, "Save as")),
      SpeedHelp(PlaceControl<forms::TSpeedButton>(*this, Panel1, 14 + 6 * ButtonWidth, 2,
                                                  ButtonWidth, 24, "Help")),
      PanelComEff(MakeGroup("PanelComEff", FirstGroupTop, 0)),
      Common(MakePage(PanelComEff, {"Common", model::COMMON, {"Common"}}, 0, PageLeft)),
      Effects(
          MakePage(PanelComEff, {"Effects", model::EFFECTS, {"Effects"}}, 0, PageLeft + PagePitch)),
      patch_(patch), view_(
                         *this, [this] { UpdateView(); }, false) {
    HelpContext = HelpContextNumber;
    SetCaption("Patch");
    SetBorderStyle(forms::bsSingle);
    SetBorderIcons(forms::biSystemMenu | forms::biMinimize);

    Panel1.SetAlign(forms::alTop);
    Panel1.BevelOuter = forms::bvNone;
    SetButtonHints({
        {&SpeedNuovo, "New"},
        {&SpeedHelp, "Help"},
        {&SpeedSend, "Send "},
        {&SpeedCarica, "Load Sysex"},
        {&SpeedSalva, "Save Sysex"},
        {&SpeedSaveAs, "Save as"},
        {&SpeedReceive, "Receive"},
    });
    SpeedNuovo.OnClick = [this](forms::TObject*) { SpeedNuovoClick(); };
    SpeedSend.OnClick = [this](forms::TObject*) { SpeedSendClick(); };
    SpeedReceive.OnClick = [this](forms::TObject*) { SpeedReceiveClick(); };
    SpeedCarica.OnClick = [this](forms::TObject*) { SpeedCaricaClick(); };
    SpeedSalva.OnClick = [this](forms::TObject*) { SpeedSalvaClick(); };
    SpeedSaveAs.OnClick = [this](forms::TObject*) { SpeedSaveAsClick(); };
    SpeedHelp.OnClick = [this](forms::TObject*) { SpeedHelpClick(); };

    SetGradient(Shader1);

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
        auto& box = PlaceControl<forms::TCheckBox>(*this, group, 6, 8, 56, 17,
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

    OnDragOver = [this](forms::TObject*, forms::TObject*, int, int, forms::TDragState,
                        bool& accept) { BackgroundDragOver(accept); };
    Shader1.OnDragOver = OnDragOver;
    Panel1.OnDragOver = OnDragOver;
    OnCreate = [this](forms::TObject*) { PlaceWindow(); };
    OnShow = [this](forms::TObject*) { UpdateView(); };
    OnActivate = [this](forms::TObject*) { FormActivate(); };
    OnClose = [this](forms::TObject*, forms::TCloseAction& action) { ReleaseOnClose(action); };
    OnDestroy = [this](forms::TObject*) { FormDestroy(); };
    OnResize = [this](forms::TObject*) { KeepSize(FixedWidth, FixedHeight); };
    SetBounds(Left(), Top(), FixedWidth, FixedHeight);
}

TFormPatch::~TFormPatch() = default;

forms::TPanel& TFormPatch::MakeGroup(const char* name, int top, int tag) {
    auto& group =
        PlaceControl<forms::TPanel>(*this, *this, GroupLeft, top, GroupWidth, GroupHeight);
    group.Name = name;
    group.Tag = tag;
    group.BevelOuter = forms::bvLowered;
    group.OnMouseDown = [this](forms::TObject* sender, forms::TMouseButton button,
                               forms::TShiftState shift, int,
                               int) { Control1MouseDown(sender, button, shift); };
    // The common group takes no drag-over answer of its own, as in the form.
    if (tag != 0)
        group.OnDragOver = [this](forms::TObject*, forms::TObject*, int, int, forms::TDragState,
                                  bool& accept) { BackgroundDragOver(accept); };
    groups_.push_back(std::make_unique<TPagePanelOf>(group, nullptr));
    return group;
}

forms::TPanel& TFormPatch::MakePage(forms::TPanel& group, const TPageDesc& desc, int tag,
                                    int left) {
    auto& page =
        PlaceControl<forms::TPanel>(*this, group, left, 4, PageWidth, PageHeight, desc.caption);
    page.Name = desc.names[static_cast<std::size_t>(tag == 0 ? 0 : tag - 1)];
    page.Tag = tag;
    page.SetColor(platform::gdi::clBtnFace);
    page.OnDblClick = [this, &page](forms::TObject*) { PageDblClick(page); };
    page.OnMouseDown = [this](forms::TObject* sender, forms::TMouseButton button,
                              forms::TShiftState shift, int,
                              int) { Control1MouseDown(sender, button, shift); };
    page.OnDragOver = [this](forms::TObject* sender, forms::TObject* source, int, int,
                             forms::TDragState,
                             bool& accept) { Control1DragOver(sender, source, accept); };
    page.OnEndDrag = [this](forms::TObject*, forms::TObject* target, int, int) {
        Control1EndDrag(target);
    };
    const TPagePanelOf* groupPanel = PanelOf(&group);
    pages_.push_back(std::make_unique<TPagePanelOf>(page, groupPanel));
    return page;
}

model::TLibElem* TFormPatch::FormElem() {
    return model::TopOwner(&patch_);
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

void TFormPatch::FormDestroy() {
    patch_.SaveEditorPosition();
    for (int tone = 1; tone <= model::ToneCount; ++tone)
        patch_.Tone(tone).CloseEditors();
    patch_.Common->CloseEditors();
    ForgetWindow();
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
    patch_.Tone(static_cast<int>(box->Tag)).SetParam(0, box->Checked() ? 1 : 0);
    patch_.SetModified();
}

void TFormPatch::PageDblClick(forms::TPanel& panel) {
    PageDblClicked();
    const std::optional<model::TPageKind> kind = model::TDragInfo::PageKindOf(panel.Name);
    if (kind) OpenPatchPage(*kind, patch_, static_cast<int>(panel.Tag), *this);
}

void TFormPatch::Control1MouseDown(forms::TObject* Sender, forms::TMouseButton Button,
                                   forms::TShiftState Shift) {
    const TPagePanelOf* panel = PanelOf(Sender);
    if (panel == nullptr) return;
    // The group panel clicked (or the group of the page clicked) names the group.
    const char* group =
        panel->Name().find("PanelComEff") != std::string::npos ? "PanelComEff" : "PanelTone";
    PageMouseDown(Sender, Button, Shift, group);
}

void TFormPatch::Control1DragOver(forms::TObject* Sender, forms::TObject* Source, bool& Accept) {
    PageDragOver(
        Sender, Source, Accept,
        [this](const forms::TPanel& target, const forms::TPanel& dragged, model::TPageKind kind) {
            // One LFO page copies onto either LFO page.
            if (dragInfo_.Elems.size() < 2 && IsLfo(kind))
                return dragInfo_.HasKind(model::LFO1) || dragInfo_.HasKind(model::LFO2);
            return dragInfo_.HasKind(kind) && target.Parent() != dragged.Parent();
        });
}

void TFormPatch::Control1EndDrag(forms::TObject* Target) {
    auto* targetPanel = dynamic_cast<forms::TPanel*>(Target);
    EndPageDrag(Target, [this, targetPanel](TElementWindow& window, const model::TDragElem& entry) {
        auto* sourceWindow = dynamic_cast<TFormPatch*>(dragInfo_.Source);
        model::TPatch& source = sourceWindow != nullptr ? sourceWindow->Patch() : patch_;
        CopyPatchPart(source, static_cast<TFormPatch&>(window).Patch(), *targetPanel, entry);
    });
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

void TFormPatch::SpeedNuovoClick() {
    patch_.SetDefaults();
    patch_.Transmit(true);
}

void TFormPatch::SpeedSendClick() {
    patch_.Transmit(true);
}

void TFormPatch::SpeedReceiveClick() {
    patch_.Receive(true);
}

void TFormPatch::SpeedCaricaClick() {
    patch_.LoadSysExFile();
}

void TFormPatch::SpeedSalvaClick() {
    patch_.SaveSysExFile(false);
}

void TFormPatch::SpeedSaveAsClick() {
    patch_.SaveSysExFile(true);
}

void TFormPatch::SpeedHelpClick() {
    forms::Application().HelpContext(HelpContextNumber);
}

} // namespace editors
