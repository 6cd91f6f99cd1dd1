#include "toolkit/bars/customizing/dx_bar_name_ed.h"

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/base/resource_strings.h"

#include "platform/forms/dialogs.h"
#include "platform/forms/place_control.h"

#include <array>
#include <memory>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace tb = toolkit::base;

namespace {

const tb::TResStringRec dxSBAR_ADDTOOLBAR{"Add Toolbar"};
const tb::TResStringRec dxSBAR_RENAMETOOLBAR{"Rename Toolbar"};
const tb::TResStringRec dxSBAR_TOOLBARNAME{"&Toolbar name:"};
const tb::TResStringRec dxSBAR_ADDCATEGORY{"Add Category"};
const tb::TResStringRec dxSBAR_INSERTCATEGORY{"Insert Category"};
const tb::TResStringRec dxSBAR_RENAMECATEGORY{"Rename Category"};
const tb::TResStringRec dxSBAR_CATEGORYNAME{"&Category name:"};
const tb::TResStringRec dxSBAR_OK{"OK"};
const tb::TResStringRec dxSBAR_CANCEL{"Cancel"};
const tb::TResStringRec dxSBAR_TOOLBAREXISTS{
    "A toolbar named '%s' already exists. Type another name."};

std::string Format(const std::string& APattern, const std::string& AValue) {
    const std::size_t At = APattern.find("%s");
    if (At == std::string::npos) return APattern;
    return APattern.substr(0, At) + AValue + APattern.substr(At + 2);
}

} // namespace

TdxBarNameEd::TdxBarNameEd(pc::TComponent* AOwner)
    : pf::TForm(AOwner), LName(pf::PlaceControl<pf::TLabel>(*this, *this, 8, 8, 220, 13)),
      EName(pf::PlaceControl<pf::TEdit>(*this, *this, 8, 24, 220, 21)),
      BOK(pf::PlaceControl<pf::TButton>(*this, *this, 72, 56, 75, 25)),
      BCancel(pf::PlaceControl<pf::TButton>(*this, *this, 153, 56, 75, 25)) {
    SetBorderStyle(pf::bsDialog);
    SetBorderIcons(0);
    Position = pf::poScreenCenter;
    SetClientWidth(236);
    SetClientHeight(89);
    LName.SetFocusControl(&EName);
    BOK.SetCaption(tb::cxGetResourceString(dxSBAR_OK));
    BOK.Default = true;
    BCancel.SetCaption(tb::cxGetResourceString(dxSBAR_CANCEL));
    BCancel.Cancel = true;
    BCancel.ModalResult = pf::mrCancel;
    EName.OnChange = [this](pc::TObject*) { ENameChange(); };
    BOK.OnClick = [this](pc::TObject*) { BOKClick(); };
}

void TdxBarNameEd::Prepare(const std::string& AName, bool AIsCategory, int AMode,
                           TdxBar* ARenamedBar, TdxBars* ABars) {
    FIsCategory = AIsCategory;
    FRenamedBar = ARenamedBar;
    FBars = ABars;
    if (AIsCategory) {
        static const std::array<const tb::TResStringRec*, 3> Captions{
            &dxSBAR_ADDCATEGORY, &dxSBAR_INSERTCATEGORY, &dxSBAR_RENAMECATEGORY};
        SetCaption(tb::cxGetResourceString(*Captions[AMode >= 0 && AMode < 3 ? AMode : 0]));
        LName.SetCaption(tb::cxGetResourceString(dxSBAR_CATEGORYNAME));
    } else {
        SetCaption(tb::cxGetResourceString(AMode == 1 ? dxSBAR_RENAMETOOLBAR : dxSBAR_ADDTOOLBAR));
        LName.SetCaption(tb::cxGetResourceString(dxSBAR_TOOLBARNAME));
    }
    EName.SetText(AName);
    ENameChange();
    SetActiveControl(&EName);
}

void TdxBarNameEd::ENameChange() {
    BOK.SetEnabled(!EName.Text().empty());
}

bool TdxBarNameEd::NameIsFree() const {
    if (FIsCategory || FBars == nullptr) return true;
    for (int I = 0; I < FBars->Count(); ++I) {
        TdxBar* Bar = FBars->Items(I);
        if (Bar->Caption() == EName.Text()) return Bar == FRenamedBar;
    }
    return true;
}

void TdxBarNameEd::BOKClick() {
    if (EName.Text().empty()) return;
    if (!NameIsFree()) {
        pf::MessageBox(Format(tb::cxGetResourceString(dxSBAR_TOOLBAREXISTS), EName.Text()), "",
                       pf::MB_ICONERROR);
        SetActiveControl(&EName);
        return;
    }
    SetModalResult(pf::mrOk);
}

bool dxBarNameEd(std::string& AName, bool AIsCategory, int AMode, TdxBar* ARenamedBar,
                 TdxBars* ABars) {
    auto Dialog = std::make_unique<TdxBarNameEd>(nullptr);
    Dialog->AfterConstruction();
    Dialog->Prepare(AName, AIsCategory, AMode, ARenamedBar, ABars);
    if (Dialog->ShowModal() != pf::mrOk) return false;
    AName = Dialog->EName.Text();
    return true;
}

} // namespace toolkit::bars
