#include "app/form_expansion.h"

#include "app/form_global.h"
#include "app/form_quintaron.h"
#include "model/program/quintaron.h"
#include "platform/forms/place_control.h"

#include <iterator>

namespace app {

namespace {

TFormExpansion* formExpansion = nullptr;

constexpr int HelpExpansion = 8;
constexpr int RowTop = 12;
constexpr int RowHeight = 30;
constexpr int ListLeft = 96;
constexpr int ListWidth = 177;

// The texts as the instrument's owners know them, blanks and all.
constexpr const char* Boards[] = {"( None )",
                                  "Pop        ",
                                  "Orchestral     ",
                                  "Piano        ",
                                  "Vintage      ",
                                  "World        ",
                                  "Dance       ",
                                  "Super Sound      ",
                                  "Key S60S70S     ",
                                  "Session ",
                                  "Bass & Drum",
                                  "Techno",
                                  "Hip Hop",
                                  "Vocal",
                                  "Asia",
                                  "Special EFX",
                                  "Orchestral II",
                                  "Country"};
constexpr const char* PcmCards[] = {"( None )",   "Piano Selection", "Guitar & Brass",
                                    "Rock Drums", "Gand Piano",      "Accordition",
                                    "Baroque",    "Orchestral FX",   "Country, Blue Grass, Folk"};

static_assert(std::size(Boards) == model::ExpansionBoardCount);
static_assert(std::size(PcmCards) == model::PcmCardCount);

template <std::size_t N>
forms::TComboBox& PlaceList(TFormExpansion& form, forms::TWinControl& parent, int row,
                            const char* const (&items)[N]) {
    auto& list = forms::PlaceControl<forms::TComboBox>(form, parent, ListLeft,
                                                       RowTop + row * RowHeight, ListWidth, 21);
    list.Style = forms::csDropDownList;
    for (const char* item : items)
        list.Items().Add(item);
    return list;
}

forms::TLabel& PlaceLabel(TFormExpansion& form, forms::TWinControl& parent, int row,
                          const char* text) {
    return forms::PlaceControl<forms::TLabel>(form, parent, 12, RowTop + row * RowHeight + 4, 80,
                                              13, text);
}

} // namespace

TFormExpansion* FormExpansion() {
    return formExpansion;
}

TFormExpansion::TFormExpansion(forms::TComponent* owner)
    : TForm(owner), Panel1(forms::PlaceControl<forms::TPanel>(*this, *this, 8, 8, 289, 190)),
      Label1(PlaceLabel(*this, Panel1, 0, "Expansion A")),
      ExpA(PlaceList(*this, Panel1, 0, Boards)),
      Label2(PlaceLabel(*this, Panel1, 1, "Expansion B")),
      ExpB(PlaceList(*this, Panel1, 1, Boards)),
      Label3(PlaceLabel(*this, Panel1, 2, "Expansion C")),
      ExpC(PlaceList(*this, Panel1, 2, Boards)),
      Label4(PlaceLabel(*this, Panel1, 3, "Expansion D")),
      ExpD(PlaceList(*this, Panel1, 3, Boards)), Label5(PlaceLabel(*this, Panel1, 4, "PCM Card")),
      PcmCard(PlaceList(*this, Panel1, 4, PcmCards)),
      DataCard(forms::PlaceControl<forms::TCheckBox>(*this, Panel1, 12, RowTop + 5 * RowHeight, 160,
                                                     17, " Data Card Installed")),
      BitBtn2(forms::PlaceControl<forms::TBitBtn>(*this, *this, 134, 206, 75, 25)),
      BitBtn1(forms::PlaceControl<forms::TBitBtn>(*this, *this, 222, 206, 75, 25)) {
    Name = "FormExpansion";
    SetCaption("Expansion Setup");
    SetBorderStyle(forms::bsDialog);
    Position = forms::poScreenCenter;
    SetClientWidth(305);
    SetClientHeight(239);
    HelpContext = HelpExpansion;
    BitBtn2.SetKind(forms::bkOK);
    BitBtn1.SetKind(forms::bkCancel);
    formExpansion = this;

    OnShow = [this](forms::TObject* sender) { FormShow(sender); };
    BitBtn2.OnClick = [this](forms::TObject* sender) { BitBtn2Click(sender); };
    BitBtn1.OnClick = [this](forms::TObject* sender) { BitBtn1Click(sender); };
}

TFormExpansion::~TFormExpansion() {
    if (formExpansion == this) formExpansion = nullptr;
}

void TFormExpansion::FormShow(forms::TObject*) {
    const model::TConfig& config = model::AppState()->Config;
    ExpA.SetItemIndex(config.ExpA);
    ExpB.SetItemIndex(config.ExpB);
    ExpC.SetItemIndex(config.ExpC);
    ExpD.SetItemIndex(config.ExpD);
    PcmCard.SetItemIndex(config.PCMCard);
    DataCard.SetChecked(config.DataCardInstalled);
}

void TFormExpansion::BitBtn2Click(forms::TObject*) {
    model::TConfig& config = model::AppState()->Config;
    config.ExpA = ExpA.ItemIndex();
    config.ExpB = ExpB.ItemIndex();
    config.ExpC = ExpC.ItemIndex();
    config.ExpD = ExpD.ItemIndex();
    config.PCMCard = PcmCard.ItemIndex();
    if (DataCard.Checked() != config.DataCardInstalled) {
        config.DataCardInstalled = DataCard.Checked();
        if (TFormquintaron* main = MainWindow())
            for (int i = 0; i < main->MDIChildCount(); ++i)
                if (auto* global = dynamic_cast<TFormGlobal*>(main->MDIChildren(i)))
                    global->SetDimension();
    }
    config.Save();
    SetModalResult(forms::mrOk);
}

void TFormExpansion::BitBtn1Click(forms::TObject*) {
    SetModalResult(forms::mrCancel);
}

} // namespace app
