#pragma once
// The patch window: the element window of one patch, a multiple-document child showing the patch
// as small page panels on a gradient, one group per tone (with the tone's switch) and one for
// the common and effects pages. A double-click on a page panel opens that page (the table of
// patch_pages.h) or brings it to the front; page panels dragged onto the panels of another tone
// or another patch window copy those pages, after which the target patch is sent whole once.
// Its toolbar sends, receives, loads and saves the patch. Closing it closes the patch's pages.

#include "controls/shader.h"
#include "editors/element_window.h"
#include "editors/form_view.h"
#include "editors/page_panel.h"
#include "model/editing/drag_info.h"
#include "model/elements/patch.h"
#include "platform/forms/buttons.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"

#include <array>
#include <memory>
#include <vector>

namespace editors {

namespace forms = platform::forms;

class TFormPatch : public forms::TForm, public TElementWindow {
public:
    static constexpr int HelpContextNumber = 38;
    static constexpr int FixedWidth = 482;
    static constexpr int FixedHeight = 296;

    // A child of the main window, showing patch; dragInfo is the program's one drag information
    // (the main window's), shared by every window that drags.
    TFormPatch(forms::TComponent* owner, model::TPatch& patch, model::TDragInfo& dragInfo);
    ~TFormPatch() override;

    model::TPatch& Patch() const { return patch_; }

    // Caption and tone switches from the patch; runs with Updating set.
    void UpdateView();
    bool Updating() const { return updating_; }

    // The page panel of kind for tone (1..4; 0 for Common and Effects); null for none. The
    // panels go, as model::TPageForm lists them, tone by tone (Wave, Pitch, TVF, TVA, LFO 1,
    // LFO 2, Control), then Common and Effects.
    forms::TPanel* PagePanel(model::TPageKind kind, int tone) const;
    // Copies the page of entry from source into target at the tone of targetPanel, colouring
    // the target panels that receive it.
    void CopyPatchPart(model::TPatch& source, model::TPatch& target, forms::TPanel& targetPanel,
                       const model::TDragElem& entry);

    controls::TShader& Shader1;
    forms::TPanel& Panel1;
    forms::TSpeedButton& SpeedNuovo;
    forms::TSpeedButton& SpeedSend;
    forms::TSpeedButton& SpeedReceive;
    forms::TSpeedButton& SpeedCarica;
    forms::TSpeedButton& SpeedSalva;
    forms::TSpeedButton& SpeedSaveAs;
    forms::TSpeedButton& SpeedHelp;
    forms::TPanel& PanelComEff;
    forms::TPanel& Common;
    forms::TPanel& Effects;
    std::array<forms::TPanel*, model::ToneCount> PanelTone{};
    // The tone switches "Tone 1" .. "Tone 4" (CheckBox1 .. CheckBox4).
    std::array<forms::TCheckBox*, model::ToneCount> CheckBox{};

private:
    struct TPageDesc;
    forms::TPanel& MakeGroup(const char* name, int top, int tag);
    forms::TPanel& MakePage(forms::TPanel& group, const TPageDesc& desc, int tag, int left);

    model::TLibElem& Element() const override { return patch_; }
    TElementWindow* WindowOfPanel(const forms::TObject* control) const override;

    void ShowElement() override { UpdateView(); }
    void FormActivate() override;
    void CloseElementPages() override;
    void OpenPanelPage(model::TPageKind kind, forms::TPanel& panel) override;
    const char* DragGroup(const TPagePanelOf& panel) const override;
    bool AcceptsPage(const forms::TPanel& target, const forms::TPanel& dragged,
                     model::TPageKind kind) const override;
    void CopyDroppedPage(TElementWindow& targetWindow, forms::TPanel& targetPanel,
                         const model::TDragElem& entry) override;
    void CheckBox1Click(forms::TObject* Sender);

    model::TPatch& patch_;
    bool updating_ = false;
};

} // namespace editors
