#pragma once
// An item group: items and other groups of one manager enabled, disabled, shown or hidden
// together. A group is a component of the form, registered with its manager; an entry that
// goes leaves the groups that hold it.

#include "toolkit/bars/model/dx_bar_manager.h"

#include "platform/core/component.h"

#include <string>
#include <vector>

namespace toolkit::bars {

class TCustomdxBarControl;

class TdxBarGroup : public platform::core::TComponent {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    // Registers with the manager of the form that owns it, or the first manager alive.
    explicit TdxBarGroup(platform::core::TComponent* AOwner);
    ~TdxBarGroup() override;

    TdxBarManager* BarManager() const { return FBarManager; }

    // Items and groups only; nil and entries present are ignored. Raises Exception "You cannot
    // create recursive groups" for a group that is this one or holds it at any depth.
    void Add(platform::core::TComponent* Entry);
    void Remove(platform::core::TComponent* Entry);
    int IndexOf(const platform::core::TComponent* Entry) const;
    void Move(int CurIndex, int NewIndex);
    int Count() const { return static_cast<int>(FEntries.size()); }
    // nil outside the range.
    platform::core::TComponent* Items(int Index) const;
    // This group, or an entry at any depth, is Group.
    bool Contains(const TdxBarGroup* Group) const;

    // The place in the manager's group list.
    int Index() const;
    void SetIndex(int Value);

    // Passed on to every entry, nested groups included.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    TdxBarItemVisible Visible() const { return FVisible; }
    // The shown bars holding the entries lay themselves out once afterwards (unless the bars
    // were locked already: whoever locked them lays them out).
    void SetVisible(TdxBarItemVisible Value);

    // Entry names read with the form, found among the form's components by Loaded.
    void SetEntryNames(std::vector<std::string> Names) { FEntryNames = std::move(Names); }

    // An open Customize dialog shows the new name.
    void SetName(const std::string& NewName) override;
    // In a form stream a group is written inside its manager.
    bool HasParent() const override { return FBarManager != nullptr; }
    platform::core::TComponent* GetParentComponent() const override;
    // A manager given takes the group into its list.
    void SetParentComponent(platform::core::TComponent* Value) override;

protected:
    void Loaded() override;
    // Enabled and Visible; then "Items", the names of the entries, when there are any.
    void DefinePublishedProperties(platform::core::TFiler& Filer) override;
    void DefineProperties(platform::core::TFiler& Filer) override;
    void Notification(platform::core::TComponent* AComponent,
                      platform::core::TOperation Operation) override;

private:
    bool LoadingOrDestroying() const;
    // The bar windows that show a link of an entry, at any depth, each once.
    void CollectBarWindows(std::vector<TCustomdxBarControl*>& Windows) const;

    TdxBarManager* FBarManager = nullptr;
    bool FEnabled = true;
    TdxBarItemVisible FVisible = ivAlways;
    std::vector<platform::core::TComponent*> FEntries;
    std::vector<std::string> FEntryNames;
};

} // namespace toolkit::bars
