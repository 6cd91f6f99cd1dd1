#include "editors/form_control.h"

#include "editors/labelled_controls.h"
#include "platform/forms/place_control.h"

#include <memory>
#include <string>
#include <utility>

namespace editors {

namespace {

using controls::TEditType;

constexpr int SliderColumn = 76;
constexpr int MatrixTop = 190;
constexpr int MatrixColumn = 100;
constexpr int OutputLeft = 420;
constexpr int PageWidth = OutputLeft + 3 * SliderColumn;

const char* const PanControls[] = {"Off", "Continuous", "Key-On"};
const char* const Outputs[] = {"Mix", "EFX", "Output 1", "Output 2"};
const char* const Destinations[] = {"Off", "Pch", "Cut", "Res", "Lev", "Pan", "Mix",
                                    "Cho", "Rev", "PL1", "PL2", "FL1", "FL2", "AL1",
                                    "AL2", "pL1", "pL2", "L1R", "L2R"};

// A slider with value box under a label of two lines at left, top.
controls::TPanSlider& Slider(forms::TForm& form, int left, int top, const char* label, int min,
                             int max) {
    PlaceWrappedLabel(form, form, left, top, SliderColumn - 4, 28, label);
    return PlaceSlider(form, form, left + 12, top + 30, min, max);
}

// The label's width is its text's: the field stands at 60.
controls::TMyEdit& NoteEdit(forms::TForm& form, forms::TGroupBox& group, int top,
                            const char* label) {
    return PlaceLabelledField(form, group, 8, top, 48, label, TEditType::Note);
}

forms::TCheckBox& Check(forms::TForm& form, int row, const char* caption) {
    return forms::PlaceControl<forms::TCheckBox>(form, form, 240, 88 + row * 24, 170, 20, caption);
}

template <std::size_t N>
forms::TComboBox& List(forms::TForm& form, int left, int top, int width, const char* label,
                       const char* const (&items)[N]) {
    if (label != nullptr)
        forms::PlaceControl<forms::TLabel>(form, form, left, top, width, 15, label);
    auto& list = forms::PlaceControl<forms::TComboBox>(form, form, left, top + 16, width, 21);
    list.Style = forms::csDropDownList;
    list.DropDownCount = 19;
    for (const char* item : items)
        list.Items().Add(item);
    return list;
}

forms::TSpeedButton& ControllerButton(forms::TForm& form, int c) {
    auto& button = forms::PlaceControl<forms::TSpeedButton>(
        form, form, 8 + (c - 1) * 96, MatrixTop, 92, 22, "Controller " + std::to_string(c));
    button.SetGroupIndex(1);
    button.Tag = c;
    return button;
}

forms::TComboBox& DestList(forms::TForm& form, int k) {
    const std::string label = "Dest " + std::to_string(k);
    return List(form, 8 + (k - 1) * MatrixColumn, MatrixTop + 30, MatrixColumn - 8, label.c_str(),
                Destinations);
}

controls::TPanSlider& DepthSlider(forms::TForm& form, int k) {
    const std::string label = "Depth " + std::to_string(k);
    return Slider(form, 8 + (k - 1) * MatrixColumn, MatrixTop + 74, label.c_str(), -63, 63);
}

// A control of the matrix: it stands for a byte of the shown controller's row, whose bytes lie
// 8 apart; one row per controller, all on the same control.
class TMatrixRow final : public TPageRow {
public:
    using TRows = std::array<std::unique_ptr<TPageRow>, 3>;
    TMatrixRow(const int& controller, TRows rows)
        : controller_(controller), rows_(std::move(rows)) {}

    void Show(const TPageRecord& record) override { Shown().Show(record); }
    void Store(TPageStore& page) const override { Shown().Store(page); }
    // The rows share their control: binding one binds it.
    void Bind(std::function<void()> ended) override { rows_[0]->Bind(std::move(ended)); }
    int Lowest() const override { return rows_[0]->Lowest(); }
    int Highest() const override { return rows_[0]->Highest(); }
    void Drive(int value) override { rows_[0]->Drive(value); }
    std::string Name() const override { return rows_[0]->Name(); }

private:
    TPageRow& Shown() const { return *rows_.at(static_cast<std::size_t>(controller_ - 1)); }
    const int& controller_;
    TRows rows_;
};

std::uint16_t MatrixOffset(int c, int k) {
    return static_cast<std::uint16_t>(21 + 8 * (c - 1) + 2 * (k - 1));
}

} // namespace

TFormControl::TFormControl(forms::TComponent* owner)
    : TTonePage(owner, TakePagePatch(PagePatch), PageTone, Kind, HelpContextNumber, "Control"),
      VelCrossFadeDepth(Slider(*this, 8, 8, "Vel Cross Fade Depth", 0, 127)),
      VelRangeLow(Slider(*this, 8 + SliderColumn, 8, "Velocity Range Lower", 1, 127)),
      VelRangeUp(Slider(*this, 8 + 2 * SliderColumn, 8, "Velocity Range Upper", 1, 127)),
      GroupKeyRange(
          forms::PlaceControl<forms::TGroupBox>(*this, *this, 240, 8, 170, 74, "Key Range")),
      KeyRangeLow(NoteEdit(*this, GroupKeyRange, 18, "Lower")),
      KeyRangeUp(NoteEdit(*this, GroupKeyRange, 44, "Upper")),
      RedCtrlSwitch(Check(*this, 0, "Red Ctrl Switch")),
      VolCtrlSwitch(Check(*this, 1, "Volume Ctrl Switch")),
      Hold1ctrlswitch(Check(*this, 2, "Hold-1 Ctrl Switch")),
      BendCtrlSwitch(Check(*this, 3, "Bender Ctrl Switch")),
      PanCtrlSwitch(List(*this, OutputLeft + 8, 8, 140, "Pan Control switch", PanControls)),
      Outputassign(List(*this, OutputLeft + 8, 60, 140, "Output Assign", Outputs)),
      Speed1(ControllerButton(*this, 1)), Speed2(ControllerButton(*this, 2)),
      Speed3(ControllerButton(*this, 3)), Dest1(DestList(*this, 1)), Dest2(DestList(*this, 2)),
      Dest3(DestList(*this, 3)), Dest4(DestList(*this, 4)), Depth1(DepthSlider(*this, 1)),
      Depth2(DepthSlider(*this, 2)), Depth3(DepthSlider(*this, 3)), Depth4(DepthSlider(*this, 4)),
      Outputlevel(Slider(*this, OutputLeft, MatrixTop + 74, "Output Level", 0, 127)),
      Chorussendlevel(
          Slider(*this, OutputLeft + SliderColumn, MatrixTop + 74, "Chorus Send Level", 0, 127)),
      ReverbSendLevel(Slider(*this, OutputLeft + 2 * SliderColumn, MatrixTop + 74,
                             "Reverb Send Level", 0, 127)) {
    SetCaption("Control");
    Speed1.SetDown(true);
    for (forms::TSpeedButton* button : {&Speed1, &Speed2, &Speed3})
        button->OnClick = [this](forms::TObject* sender) { Speed1Click(sender); };
    KeyRangeLow.Onchange = [this](forms::TObject* sender) { KeyRangeLowchange(sender); };
    KeyRangeUp.Onchange = [this](forms::TObject* sender) { KeyRangeUpchange(sender); };

    // The matrix first: Updateview fills the shown controller's row before the rest.
    const std::array<forms::TComboBox*, 4> dests{&Dest1, &Dest2, &Dest3, &Dest4};
    const std::array<controls::TPanSlider*, 4> depths{&Depth1, &Depth2, &Depth3, &Depth4};
    for (int k = 1; k <= 4; ++k) {
        const std::string n = std::to_string(k);
        TMatrixRow::TRows destRows;
        TMatrixRow::TRows depthRows;
        for (int c = 1; c <= 3; ++c) {
            const auto i = static_cast<std::size_t>(c - 1);
            destRows[i] = std::make_unique<TListRow>("Dest" + n, *dests[k - 1], MatrixOffset(c, k));
            depthRows[i] = std::make_unique<TSliderRow>(
                "Depth" + n, *depths[k - 1], static_cast<std::uint16_t>(MatrixOffset(c, k) + 1),
                Bias(63));
        }
        matrix_[static_cast<std::size_t>(k - 1)] =
            &AddRow<TMatrixRow>(controller_, std::move(destRows));
        matrix_[static_cast<std::size_t>(k + 3)] =
            &AddRow<TMatrixRow>(controller_, std::move(depthRows));
    }
    AddRow<TSliderRow>("VelCrossFadeDepth", VelCrossFadeDepth, 11, Plain);
    AddRow<TSliderRow>("VelRangeLow", VelRangeLow, 12, Plain);
    AddRow<TSliderRow>("VelRangeUp", VelRangeUp, 13, Plain);
    AddRow<TStepRow>("KeyRangeLow", KeyRangeLow, 14, Code);
    AddRow<TStepRow>("KeyRangeUp", KeyRangeUp, 15, Code);
    AddRow<TCheckRow>("RedCtrlSwitch", RedCtrlSwitch, 16);
    AddRow<TCheckRow>("VolCtrlSwitch", VolCtrlSwitch, 17);
    AddRow<TCheckRow>("Hold1ctrlswitch", Hold1ctrlswitch, 18);
    AddRow<TCheckRow>("BendCtrlSwitch", BendCtrlSwitch, 19);
    AddRow<TListRow>("PanCtrlSwitch", PanCtrlSwitch, 20);
    AddRow<TListRow>("Outputassign", Outputassign, 125);
    AddRow<TSliderRow>("Outputlevel", Outputlevel, 126, Plain);
    AddRow<TSliderRow>("Chorussendlevel", Chorussendlevel, 127, Plain);
    // Byte 128 lies past the block's 7-bit count: the address arithmetic carries its message to
    // 0100H past the block, where the instrument keeps it, for the change and for its undo.
    AddRow<TSliderRow>("ReverbSendLevel", ReverbSendLevel, 128, Plain);

    PlaceButtons(MatrixTop + 74 + 30 + 140 + 10, PageWidth);
}

void TFormControl::Speed1Click(forms::TObject* Sender) {
    const auto* button = dynamic_cast<const forms::TSpeedButton*>(Sender);
    if (button == nullptr) return;
    controller_ = static_cast<int>(button->Tag);
    UpdateCtrlPage();
}

void TFormControl::UpdateCtrlPage() {
    for (TPageRow* row : matrix_)
        row->Show(Record());
}

void TFormControl::KeyRangeLowchange(forms::TObject*) {
    if (KeyRangeUp.Code() < KeyRangeLow.Code()) KeyRangeLow.SetCode(KeyRangeUp.Code());
}

void TFormControl::KeyRangeUpchange(forms::TObject*) {
    if (KeyRangeLow.Code() > KeyRangeUp.Code()) KeyRangeUp.SetCode(KeyRangeLow.Code());
}

} // namespace editors
