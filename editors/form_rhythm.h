#pragma once
// The rhythm window: the element window of one rhythm set, a multiple-document child with the
// rhythm set's name box, its file and transfer buttons and one page panel per note page ("Main",
// "Pitch", "TVF", "TVA"). A double-click on a panel opens that note page or brings it to the
// front; a panel dragged onto the same panel of another rhythm window copies that page's bytes
// of all 64 notes, after which the target rhythm set is sent whole once. Every key release in
// the name box stores and sends the 12-byte name. Closing it closes the rhythm set's pages.

#include "controls/shader.h"
#include "editors/element_window.h"
#include "editors/form_view.h"
#include "editors/name_text.h"
#include "editors/page_panel.h"
#include "model/editing/clipboard.h"
#include "model/editing/drag_info.h"
#include "model/elements/rhythm.h"
#include "platform/forms/buttons.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"

#include <memory>
#include <vector>

namespace editors {

namespace forms = platform::forms;

class TFormRhythm : public forms::TForm, public TElementWindow {
public:
    static constexpr int HelpContextNumber = 48;
    static constexpr int FixedWidth = 434;
    static constexpr int FixedHeight = 194;

    // A child of the main window, showing rhythm; dragInfo is the program's one drag
    // information and clipboard its part clipboard, which the note pages copy into.
    TFormRhythm(forms::TComponent* owner, model::TRhythm& rhythm, model::TDragInfo& dragInfo,
                model::TClipboard& clipboard);
    ~TFormRhythm() override;

    model::TRhythm& Rhythm() const { return rhythm_; }

    // Caption and name box from the rhythm set.
    void UpDateView();

    // Copies the page of entry from source into target, colouring the target's panels of it.
    void CopyRhythmPart(model::TRhythm& source, model::TRhythm& target, forms::TPanel& targetPanel,
                        const model::TDragElem& entry);
    void EditNameKeyUp();

    controls::TShader& Shader1;
    forms::TPanel& Panel1;
    forms::TSpeedButton& SpeedNuovo;
    forms::TSpeedButton& SpeedCarica;
    forms::TSpeedButton& SpeedSalva;
    forms::TSpeedButton& SpeedButton1;
    forms::TSpeedButton& SpeedButton3;
    forms::TSpeedButton& SpeedButton2;
    forms::TSpeedButton& SpeedHelp;
    forms::TLabel& LabelName;
    TNameEdit& EditName;
    forms::TPanel& PanelRhythm;
    forms::TPanel& RhyMain;
    forms::TPanel& RhyPitch;
    forms::TPanel& RhyTVF;
    forms::TPanel& RhyTVA;

private:
    forms::TPanel& MakePage(const char* name, const char* caption, int place);

    model::TLibElem& Element() const override { return rhythm_; }
    TElementWindow* WindowOfPanel(const forms::TObject* control) const override;

    void ShowElement() override { UpDateView(); }
    void FormActivate() override;
    void CloseElementPages() override;
    void OpenPanelPage(model::TPageKind kind, forms::TPanel& panel) override;
    const char* DragGroup(const TPagePanelOf&) const override { return "PanelRhythm"; }
    bool AcceptsPage(const forms::TPanel& target, const forms::TPanel& dragged,
                     model::TPageKind kind) const override;
    void CopyDroppedPage(TElementWindow& targetWindow, forms::TPanel& targetPanel,
                         const model::TDragElem& entry) override;

    model::TRhythm& rhythm_;
    model::TClipboard& clipboard_;
};

} // namespace editors
