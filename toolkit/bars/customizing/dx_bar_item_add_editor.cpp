#include "toolkit/bars/customizing/dx_bar_item_add_editor.h"

#include "toolkit/bars/model/dx_bar_categories.h"
#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_item_classes.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_unit.h"

#include "platform/forms/place_control.h"

#include <memory>
#include <string>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;

namespace {

const pc::TComponentClass* PublicItemClass(int Index) {
    return dynamic_cast<const pc::TComponentClass*>(
        dxBarUnit().ItemClasses().GetRegisteredItemClass(Index));
}

bool NameTaken(const pc::TComponent* Owner, const std::string& Name) {
    if (Owner == nullptr) return false;
    for (int I = 0; I < Owner->ComponentCount(); ++I)
        if (Owner->Components(I)->Name == Name) return true;
    return false;
}

} // namespace

TdxBarItemAddEditor::TdxBarItemAddEditor(pc::TComponent* AOwner)
    : pf::TForm(AOwner), LName(pf::PlaceControl<pf::TLabel>(*this, *this, 8, 12, 60, 13, "Name:")),
      LCaption(pf::PlaceControl<pf::TLabel>(*this, *this, 8, 40, 60, 13, "Caption:")),
      LType(pf::PlaceControl<pf::TLabel>(*this, *this, 8, 68, 60, 13, "Type:")),
      LCategory(pf::PlaceControl<pf::TLabel>(*this, *this, 8, 96, 60, 13, "Category:")),
      Edit1(pf::PlaceControl<pf::TEdit>(*this, *this, 72, 8, 180, 21)),
      Edit2(pf::PlaceControl<pf::TEdit>(*this, *this, 72, 36, 180, 21)),
      ComboBox1(pf::PlaceControl<pf::TComboBox>(*this, *this, 72, 64, 180, 21)),
      ComboBox2(pf::PlaceControl<pf::TComboBox>(*this, *this, 72, 92, 180, 21)),
      BOk(pf::PlaceControl<pf::TButton>(*this, *this, 96, 124, 75, 25, "OK")),
      BCancel(pf::PlaceControl<pf::TButton>(*this, *this, 177, 124, 75, 25, "Cancel")) {
    SetBorderStyle(pf::bsDialog);
    SetBorderIcons(0);
    Position = pf::poScreenCenter;
    SetClientWidth(260);
    SetClientHeight(157);
    Edit2.SetText("New Item");
    ComboBox1.Style = pf::csDropDownList;
    ComboBox2.Style = pf::csDropDownList;
    BOk.Default = true;
    BCancel.Cancel = true;
    BCancel.ModalResult = pf::mrCancel;
    ComboBox1.OnChange = [this](pc::TObject*) { ComboBox1Click(); };
    BOk.OnClick = [this](pc::TObject*) { BOkClick(); };
}

void TdxBarItemAddEditor::Prepare(TdxBarManager* ABarManager, int ACategoryIndex) {
    FBarManager = ABarManager;
    ComboBox2.Items().Clear();
    const TdxBarManagerCategories& Categories = ABarManager->Categories();
    for (int I = 0; I < Categories.Count(); ++I)
        ComboBox2.Items().Add(Categories[I]);
    ComboBox2.SetItemIndex(
        ACategoryIndex >= 0 && ACategoryIndex < Categories.Count() ? ACategoryIndex : 0);
    ComboBox1.Items().Clear();
    for (int I = 0; const pc::TComponentClass* Class = PublicItemClass(I); ++I)
        ComboBox1.Items().Add(Class->ClassName());
    ComboBox1.SetItemIndex(0);
    ComboBox1Click();
    SetActiveControl(&Edit1);
    Edit1.SelectAll();
}

void TdxBarItemAddEditor::ComboBox1Click() {
    const pc::TComponentClass* Class = PublicItemClass(ComboBox1.ItemIndex());
    if (Class == nullptr || FBarManager == nullptr) return;
    std::string Base = Class->ClassName();
    if (!Base.empty() && Base.front() == 'T') Base.erase(0, 1);
    const pc::TComponent* Owner = FBarManager->Form();
    int N = 1;
    while (NameTaken(Owner, Base + std::to_string(N)))
        ++N;
    Edit1.SetText(Base + std::to_string(N));
}

void TdxBarItemAddEditor::BOkClick() {
    const pc::TComponentClass* Class = PublicItemClass(ComboBox1.ItemIndex());
    if (Class == nullptr || FBarManager == nullptr) return;
    pf::TCustomForm* Owner = FBarManager->Form();
    std::unique_ptr<pc::TComponent> Made = Class->Create(Owner);
    auto* Item = dynamic_cast<TdxBarItem*>(Made.get());
    if (Item == nullptr) return;
    Owner->InsertComponent(std::move(Made));
    Item->Name = Edit1.Text();
    Item->SetCategory(ComboBox2.ItemIndex());
    Item->SetCaption(Edit2.Text());
    FBarManager->DesignerModified();
    FCreatedItem = Item;
    SetModalResult(pf::mrOk);
}

TdxBarItem* dxBarItemAddEditor(TdxBarManager* ABarManager, int ACategoryIndex) {
    auto Dialog = std::make_unique<TdxBarItemAddEditor>(nullptr);
    Dialog->AfterConstruction();
    Dialog->Prepare(ABarManager, ACategoryIndex);
    if (Dialog->ShowModal() != pf::mrOk) return nullptr;
    return Dialog->CreatedItem();
}

} // namespace toolkit::bars
