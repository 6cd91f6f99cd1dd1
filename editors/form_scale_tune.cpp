#include "editors/form_scale_tune.h"

#include "editors/labelled_controls.h"
#include "platform/forms/place_control.h"

#include <cassert>
#include <memory>
#include <string>

namespace editors {

model::TSystem* TFormScaleTune::PageSystem = nullptr;

namespace {

model::TSystem& TakeSystem() {
    assert(TFormScaleTune::PageSystem != nullptr && "the opener sets PageSystem first");
    return *TFormScaleTune::PageSystem;
}

// The scale tune the page shows, as the engine's record: it follows the part buttons.
class TScaleTuneRecord final : public TPageRecord {
public:
    TScaleTuneRecord(model::TSystem& system, const int& selected)
        : system_(system), selected_(selected) {}

    std::uint8_t GetParam(std::size_t n) const override { return Tune().GetParam(n); }
    void SetParam(std::size_t n, std::uint8_t value) override { Tune().SetParam(n, value); }
    // The page stores one byte at a time; a run goes byte by byte.
    void SetParams(std::size_t first, std::span<const std::uint8_t> values) override {
        for (std::size_t i = 0; i < values.size(); ++i)
            Tune().SetParam(first + i, values[i]);
    }
    void SendAll() const override { system_.SendAll(); }
    std::span<std::uint8_t> Data() override { return Tune().Data(); }
    model::TEditorSlot& Slot() override { return system_.ScaleTuneWindow; }

private:
    model::TPartScaleTune& Tune() const { return system_.ScaleTune(selected_); }
    model::TSystem& system_;
    const int& selected_;
};

const char* const NoteNames[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};

constexpr int PartTop = 26;
constexpr int PartWidth = 30;
constexpr int TuneTop = 64;
constexpr int TuneRowHeight = 27;
constexpr int PageWidth = 560;

} // namespace

TFormScaleTune::TFormScaleTune(forms::TComponent* owner, model::TClipboard& clipboard)
    : TSystemPage(owner, TakeSystem(), std::make_unique<TScaleTuneRecord>(TakeSystem(), selected_),
                  HelpContextNumber, "Scale Tune"),
      CopyBtn(forms::PlaceControl<forms::TBitBtn>(*this, PanelBtn, 0, 4, 75, 25, "Copy")),
      PasteBtn(forms::PlaceControl<forms::TBitBtn>(*this, PanelBtn, 0, 4, 75, 25, "Paste")),
      BtnReverAll(
          forms::PlaceControl<forms::TBitBtn>(*this, PanelBtn, 0, 4, 90, 25, "&Revert All")),
      clipboard_(clipboard) {
    SetCaption("Scale Tune");
    forms::PlaceControl<forms::TLabel>(*this, *this, 8, 8, 120, 15, "Selected Part");
    for (int part = 1; part <= model::ScaleTuneCount; ++part) {
        const bool patchMode = part == model::ScaleTuneCount;
        auto& button = forms::PlaceControl<forms::TSpeedButton>(
            *this, *this, 8 + (part - 1) * PartWidth, PartTop, patchMode ? 70 : PartWidth - 2, 22,
            patchMode ? "Patch Mode" : std::to_string(part));
        button.Name = "SpeedButton" + std::to_string(part);
        button.Tag = part;
        button.SetGroupIndex(1);
        button.OnClick = [this](forms::TObject* sender) { SpeedButton1Click(sender); };
        SpeedButton[static_cast<std::size_t>(part - 1)] = &button;
    }
    for (int n = 1; n <= NoteCount; ++n) {
        const int column = (n - 1) / 6;
        const int row = (n - 1) % 6;
        const std::string label = std::string("Tune For ") + NoteNames[n - 1];
        auto& edit =
            PlaceLabelledField(*this, *this, 8 + column * 260, TuneTop + row * TuneRowHeight, 100,
                               label.c_str(), controls::TEditType::MinMaxS, -64, 63);
        edit.Name = n == 10 ? "tune10" : "Tune" + std::to_string(n);
        edit.Tag = n;
        Tune[static_cast<std::size_t>(n - 1)] = &edit;
        AddRow<TStepRow>(edit.Name, edit, static_cast<std::uint16_t>(n - 1), Bias(64));
    }
    CopyBtn.OnClick = [this](forms::TObject* sender) { CopyBtnClick(sender); };
    PasteBtn.OnClick = [this](forms::TObject* sender) { PasteBtnClick(sender); };
    BtnReverAll.OnClick = [this](forms::TObject* sender) { BtnReverAllClick(sender); };
    PlaceButtons(TuneTop + 6 * TuneRowHeight + 12, PageWidth);
    CopyBtn.SetLeft(PageWidth - 3 * 83 - 16);
    PasteBtn.SetLeft(PageWidth - 2 * 83 - 16);
    BtnReverAll.SetLeft(PageWidth - 83 - 24);
    SpeedButton[0]->SetDown(true);
}

model::TUndoList& TFormScaleTune::UndoList() {
    return undoLists_.at(static_cast<std::size_t>(selected_ - 1));
}

void TFormScaleTune::ClearUndo() {
    for (model::TUndoList& list : undoLists_)
        list.Clear();
    CheckBtnEnabled();
}

void TFormScaleTune::ShowMore() {
    PasteBtn.SetEnabled(clipboard_.ScaleTuneHeld);
}

void TFormScaleTune::SpeedButton1Click(forms::TObject* Sender) {
    const auto* button = dynamic_cast<const forms::TSpeedButton*>(Sender);
    if (button == nullptr) return;
    selected_ = static_cast<int>(button->Tag);
    Updateview();
}

void TFormScaleTune::BtnReverAllClick(forms::TObject*) {
    for (int part = 1; part <= model::ScaleTuneCount; ++part) {
        model::TUndoList& list = undoLists_.at(static_cast<std::size_t>(part - 1));
        const auto data = System().ScaleTune(part).Data();
        std::uint16_t offset = 0;
        std::uint8_t value = 0;
        std::uint8_t count = 0;
        // Newest first, so that each byte keeps the oldest value pushed for it.
        while (list.Pop(offset, value, count))
            if (offset < data.size()) data[offset] = value;
    }
    selected_ = 1;
    SpeedButton[0]->SetDown(true);
    Updateview();
    System().SendAll();
}

void TFormScaleTune::CopyBtnClick(forms::TObject*) {
    clipboard_.CopyScaleTune(System().ScaleTune(selected_));
    PasteBtn.SetEnabled(true);
}

void TFormScaleTune::PasteBtnClick(forms::TObject*) {
    if (!clipboard_.ScaleTuneHeld) return;
    clipboard_.PasteScaleTune(System().ScaleTune(selected_));
    Updateview();
    System().SendAll();
}

} // namespace editors
