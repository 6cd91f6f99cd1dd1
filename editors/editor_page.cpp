#include "editors/editor_page.h"

#include "editors/place_child_form.h"
#include "model/elements/lib_elem.h"
#include "model/print/print_routines.h"
#include "platform/forms/place_control.h"

#include <vector>

namespace editors {

namespace {

constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int PanelWidth = 3 * ButtonWidth + 4 * 8;
constexpr int PanelHeight = ButtonHeight + 8;

} // namespace

TPageView::TPageView(TEditorPage& page)
    : TFormView(
          page, [&page] { page.Updateview(); }, false),
      page_(page) {}

void TPageView::ClearUndo() {
    page_.ClearUndo();
}

TEditorPage::TEditorPage(forms::TComponent* owner, model::TLibElem& elem,
                         std::unique_ptr<TPageRecord> record, int helpContext)
    : forms::TForm(owner, forms::fsMDIChild),
      PanelBtn(forms::PlaceControl<forms::TPanel>(*this, *this, 0, 0, PanelWidth, PanelHeight)),
      BtnUndo(forms::PlaceControl<forms::TBitBtn>(*this, PanelBtn, 8, 4, ButtonWidth, ButtonHeight,
                                                  "&Undo")),
      BtnRevert(forms::PlaceControl<forms::TBitBtn>(*this, PanelBtn, 16 + ButtonWidth, 4,
                                                    ButtonWidth, ButtonHeight, "&Revert")),
      Btnclose(forms::PlaceControl<forms::TBitBtn>(*this, PanelBtn, 24 + 2 * ButtonWidth, 4,
                                                   ButtonWidth, ButtonHeight, "&Close")),
      elem_(elem), record_(std::move(record)), view_(*this) {
    // The number of the form resource gives way to the page's own.
    HelpContext = helpContext;
    SetBorderStyle(forms::bsSingle);
    BtnUndo.OnClick = [this](forms::TObject* sender) { BtnUndoClick(sender); };
    BtnRevert.OnClick = [this](forms::TObject* sender) { BtnRevertClick(sender); };
    Btnclose.OnClick = [this](forms::TObject* sender) { BtncloseClick(sender); };
    OnCreate = [this](forms::TObject* sender) { FormCreate(sender); };
    OnShow = [this](forms::TObject* sender) { FormShow(sender); };
    OnActivate = [this](forms::TObject* sender) { FormActivate(sender); };
    OnClose = [this](forms::TObject* sender, forms::TCloseAction& action) {
        FormClose(sender, action);
    };
    OnDestroy = [this](forms::TObject* sender) { FormDestroy(sender); };
    OnResize = [this](forms::TObject* sender) { FormResize(sender); };
}

TEditorPage::~TEditorPage() = default;

model::TLibElem* TEditorPage::FormElem() {
    return model::TopOwner(&elem_);
}

void TEditorPage::Bind(std::unique_ptr<TPageRow> row) {
    const TPageRow& bound = *row;
    row->Bind([this, &bound] { RowEnded(bound); });
    rows_.push_back(std::move(row));
}

void TEditorPage::RowEnded(const TPageRow& row) {
    // Showing the record sets check boxes and lists, whose events arrive here: the value came
    // from the record, and a byte no control can hold (2 in a switch) must stay as it is.
    if (updating_) return;
    row.Store(*this);
}

void TEditorPage::PlaceButtons(int top, int width) {
    PanelBtn.SetBounds(0, top, width, PanelHeight);
    FormResize(this);
}

void TEditorPage::FormCreate(forms::TObject*) {
    model::TEditorSlot& slot = record_->Slot();
    slot.Open = true;
    slot.Window = &view_;
    auto left = static_cast<std::uint16_t>(slot.Left);
    auto top = static_cast<std::uint16_t>(slot.Top);
    PlaceChildForm(left, top, *this);
}

void TEditorPage::FormShow(forms::TObject*) {
    Updateview();
    UndoList().Clear();
    CheckBtnEnabled();
}

void TEditorPage::FormActivate(forms::TObject*) {
    ActivateElem();
}

void TEditorPage::FormClose(forms::TObject*, forms::TCloseAction& Action) {
    Action = forms::caNone;
    Release();
}

void TEditorPage::BtncloseClick(forms::TObject*) {
    Release();
}

void TEditorPage::FormDestroy(forms::TObject*) {
    model::TEditorSlot& slot = record_->Slot();
    slot.Left = static_cast<std::int16_t>(Left());
    slot.Top = static_cast<std::int16_t>(Top());
    slot.Open = false;
    if (slot.Window == &view_) slot.Window = nullptr;
}

void TEditorPage::FormResize(forms::TObject*) {
    const int width = PanelBtn.Width() + 16;
    const int height = PanelBtn.Top() + PanelBtn.Height() + 32;
    if (Width() != width || Height() != height) SetBounds(Left(), Top(), width, height);
}

void TEditorPage::Updateview() {
    updating_ = true;
    SetCaption(elem_.GetName() + CaptionText() + model::ElemPath(elem_) + "]");
    for (const auto& row : rows_)
        row->Show(*record_);
    ShowMore();
    CheckBtnEnabled();
    updating_ = false;
}

void TEditorPage::SendandStore(std::uint16_t Offset, std::uint8_t Value) {
    const std::uint8_t old = record_->GetParam(Offset);
    if (old == Value) return;
    const std::uint8_t olds[] = {old};
    UndoList().Add(Offset, olds);
    record_->SetParam(Offset, Value);
    if (!updating_) elem_.SetModified();
    CheckBtnEnabled();
    ShowInElementWindow();
}

void TEditorPage::SendAndStoreArray(std::uint16_t Offset, std::span<const std::uint8_t> Values) {
    if (updating_) {
        CheckBtnEnabled();
        return;
    }
    std::vector<std::uint8_t> olds;
    for (std::size_t i = 0; i < Values.size(); ++i)
        olds.push_back(record_->GetParam(Offset + i));
    UndoList().Add(Offset, olds);
    record_->SetParams(Offset, Values);
    elem_.SetModified();
    CheckBtnEnabled();
    ShowInElementWindow();
}

void TEditorPage::CheckBtnEnabled() {
    const bool any = UndoList().Count() > 0;
    BtnUndo.SetEnabled(any);
    BtnRevert.SetEnabled(any);
}

void TEditorPage::BtnUndoClick(forms::TObject*) {
    model::TUndoList& list = UndoList();
    std::uint16_t offset = 0;
    std::uint8_t value = 0;
    std::uint8_t count = 0;
    if (!list.Pop(offset, value, count)) return;
    if (count <= 1) {
        record_->SetParam(offset, value);
    } else {
        // The group was pushed in ascending order: it comes back highest offset first.
        std::vector<std::uint8_t> olds(count);
        olds[count - 1] = value;
        for (int i = count - 2; i >= 0; --i) {
            std::uint8_t groupCount = 0;
            list.Pop(offset, olds[static_cast<std::size_t>(i)], groupCount);
        }
        record_->SetParams(offset, olds);
    }
    Updateview();
    ShowInElementWindow();
}

void TEditorPage::BtnRevertClick(forms::TObject*) {
    model::TUndoList& list = UndoList();
    std::uint16_t offset = 0;
    std::uint8_t value = 0;
    std::uint8_t count = 0;
    // Newest first, so that each byte keeps the oldest value pushed for it.
    while (list.Pop(offset, value, count))
        if (offset < record_->Data().size()) record_->Data()[offset] = value;
    Updateview();
    record_->SendAll();
    ShowInElementWindow();
}

void TEditorPage::ShowInElementWindow() {
    // The element's window shows some of the page's bytes too (a patch's tone switches, the
    // name): a click there must act on what the page has just made of them.
    if (elem_.EditorOpen && elem_.Editor != nullptr) elem_.Editor->UpDateView();
}

void TEditorPage::ClearUndo() {
    UndoList().Clear();
    CheckBtnEnabled();
}

} // namespace editors
