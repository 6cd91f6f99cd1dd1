#pragma once
// The performance window: the element window of one performance, a multiple-document child
// showing the performance as three page panels ("Common", "Effects", "Parts") on a gradient.
// A double-click on a page panel opens that page (the table of performance_pages.h) or brings
// it to the front; page panels dragged onto the same panels of another performance window copy
// those pages' bytes (performance_part_copy.h), after which the target is sent whole once. Its
// toolbar sends, receives, loads and saves the performance. Closing it closes its pages.

#include "controls/shader.h"
#include "editors/element_window.h"
#include "editors/form_view.h"
#include "editors/page_panel.h"
#include "model/editing/drag_info.h"
#include "model/elements/performance.h"
#include "platform/forms/buttons.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"

#include <memory>
#include <vector>

namespace editors {

namespace forms = platform::forms;

class TFormPerformance : public forms::TForm, public TElementWindow {
public:
    static constexpr int HelpContextNumber = 42;
    static constexpr int FixedWidth = 392;
    static constexpr int FixedHeight = 150;

    // A child of the main window, showing performance; dragInfo is the program's one drag
    // information (the main window's), shared by every window that drags.
    TFormPerformance(forms::TComponent* owner, model::TPerformance& performance,
                     model::TDragInfo& dragInfo);
    ~TFormPerformance() override;

    model::TPerformance& Performance() const { return performance_; }

    // The caption from the performance.
    void UpDateView();

    // Copies the page of entry from source into target, colouring the target's panels that
    // receive it.
    void CopyPerformancePart(model::TPerformance& source, model::TPerformance& target,
                             forms::TPanel& targetPanel, const model::TDragElem& entry);

    controls::TShader& Shader1;
    forms::TPanel& Panel1;
    forms::TSpeedButton& SpeedNuovo;
    forms::TSpeedButton& SpeedButton3;
    forms::TSpeedButton& SpeedButton2;
    forms::TSpeedButton& SpeedCarica;
    forms::TSpeedButton& SpeedSalva;
    forms::TSpeedButton& SpeedButton1;
    forms::TSpeedButton& SpeedHelp;
    forms::TPanel& PanelPerComm;
    forms::TPanel& PerCom;
    forms::TPanel& PerEff;
    forms::TPanel& PerParts;

private:
    forms::TPanel& MakeGroup();
    forms::TPanel& MakePage(const char* name, const char* caption, int left);

    model::TLibElem& Element() const override { return performance_; }
    TElementWindow* WindowOfPanel(const forms::TObject* control) const override;

    void ShowElement() override { UpDateView(); }
    void FormActivate() override;
    void CloseElementPages() override;
    void OpenPanelPage(model::TPageKind kind, forms::TPanel& panel) override;
    const char* DragGroup(const TPagePanelOf&) const override { return "PanelPerComm"; }
    bool AcceptsPage(const forms::TPanel& target, const forms::TPanel& dragged,
                     model::TPageKind kind) const override;
    void CopyDroppedPage(TElementWindow& targetWindow, forms::TPanel& targetPanel,
                         const model::TDragElem& entry) override;

    model::TPerformance& performance_;
};

} // namespace editors
