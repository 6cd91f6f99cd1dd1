#pragma once
// The sub-menu editor of the Customize dialog in design mode: a caption-only tool window that
// sits on top of a sub-menu while its links are edited by dragging. The menu window opens
// under it when it is activated and follows it when it moves; the editor is as wide as the
// menu. One per process: showing it for other links re-targets the same window. It goes when
// it is closed, when it is detached and when the component that owns its links goes.

#include "platform/forms/forms.h"

#include <functional>

namespace toolkit::bars {

class TdxBarItemLinks;
class TdxBarSubMenuControl;

class TdxBarSubMenuEditor : public platform::forms::TForm {
public:
    // Use ShowSubMenuEditor.
    explicit TdxBarSubMenuEditor(platform::core::TComponent* AOwner);
    ~TdxBarSubMenuEditor() override;

    TdxBarItemLinks* ItemLinks() const { return FItemLinks; }
    // Watches the links' owner component; nil releases the editor.
    void SetItemLinks(TdxBarItemLinks* Value);
    // The menu window of the links while it is open, else nil.
    TdxBarSubMenuControl* SubMenuControl() const;

    void Dispatch(platform::core::TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Notification(platform::core::TComponent* AComponent,
                      platform::core::TOperation Operation) override;

private:
    void Activated();
    void FollowEditor();
    void CloseSubMenu();

    TdxBarItemLinks* FItemLinks = nullptr;
    platform::core::TComponent* FWatched = nullptr;
    int FSubMenuWidth = 0;
};

// Selects the links' owner in the Customize dialog before the editor shows (the Commands page
// switching to it); a hook, empty until that page fills it; returns the previous one.
using TdxBarSelectLinksOwner = std::function<void(TdxBarItemLinks& ItemLinks)>;
TdxBarSelectLinksOwner SetdxBarSelectLinksOwner(TdxBarSelectLinksOwner Select);

// Makes the editor once (owned by the open Customize dialog, else by the manager's form),
// attaches it to ItemLinks and shows it.
void ShowSubMenuEditor(TdxBarItemLinks* ItemLinks);
// The editor or nil.
TdxBarSubMenuEditor* GetSubMenuEditor();

} // namespace toolkit::bars
