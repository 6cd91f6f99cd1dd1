#pragma once
// What the pages of a system element share beyond the engine: the record of the common block
// (or of the selected scale tune) whose Revert sends the whole element to the edit buffer, the
// caption " [Name] [Loc : path]", activation sending the system to the edit buffer, and opening
// a page as the system window's double-click does.

#include "editors/editor_page.h"
#include "model/elements/system.h"

#include <cassert>
#include <functional>
#include <string>

namespace editors {

// The system's common block; its whole-block send is the whole element's.
class TSystemCommonRecord final : public TPageRecord {
public:
    TSystemCommonRecord(model::TSystem& system, model::TEditorSlot& slot)
        : system_(system), slot_(slot) {}

    std::uint8_t GetParam(std::size_t n) const override { return system_.Common->GetParam(n); }
    // A change of parameter 0 (the panel mode) is preceded by OnPanelMode.
    void SetParam(std::size_t n, std::uint8_t value) override;
    void SetParams(std::size_t first, std::span<const std::uint8_t> values) override {
        system_.Common->SetParams(first, values);
    }
    void SendAll() const override { system_.SendAll(); }
    std::span<std::uint8_t> Data() override { return system_.Common->Data(); }
    model::TEditorSlot& Slot() override { return slot_; }

    std::function<void()> OnPanelMode;

private:
    model::TSystem& system_;
    model::TEditorSlot& slot_;
};

class TSystemPage : public TEditorPage {
public:
    // pageName: "Setup", "Midi", "Preview", "Scale Tune".
    TSystemPage(forms::TComponent* owner, model::TSystem& system,
                std::unique_ptr<TPageRecord> record, int helpContext, std::string pageName);

    model::TSystem& System() const { return system_; }

protected:
    std::string CaptionText() const override;
    void ActivateElem() override;

private:
    model::TSystem& system_;
    std::string pageName_;
};

// Page's window of the system: brought to the front when the system has it open, else made with
// owner as its owner (and args) after Page::PageSystem was set, and shown.
template <class Page, class... Args>
Page& OpenSystemPage(model::TSystem& system, forms::TComponent& owner, Args&&... args) {
    model::TEditorSlot& slot = Page::SlotOf(system);
    if (slot.Open && slot.Window != nullptr) {
        auto* view = dynamic_cast<TPageView*>(slot.Window);
        assert(view != nullptr);
        slot.Window->BringToFront();
        return static_cast<Page&>(view->Page());
    }
    Page::PageSystem = &system;
    Page& page = owner.template Own<Page>(std::forward<Args>(args)...);
    page.AfterConstruction();
    page.Show();
    return page;
}

} // namespace editors
