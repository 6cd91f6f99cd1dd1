#pragma once
// The form designer a manager in design mode edits through: it selects components, says
// whether one may be made or deleted, deletes it and hears that the design changed. The
// program itself never installs one; a development environment (or a test) does. A manager
// that is not designing never reaches it.

namespace platform::core {
class TComponent;
class TPersistent;
} // namespace platform::core

namespace toolkit::bars {

class TdxBarManager;

class TdxBarDesigner {
public:
    virtual ~TdxBarDesigner() = default;
    // The component the designer's inspector shows; nil clears the selection.
    virtual void SelectComponent(TdxBarManager& Manager, platform::core::TPersistent* Instance) = 0;
    // The component the designer's inspector shows now, or nil.
    virtual platform::core::TPersistent* SelectedComponent(TdxBarManager& Manager) = 0;
    virtual bool CanAddComponent(TdxBarManager& Manager) = 0;
    virtual bool CanDeleteComponent(TdxBarManager& Manager,
                                    platform::core::TComponent* Component) = 0;
    // Frees the component the designer's way; true when it went.
    virtual bool DeleteComponent(TdxBarManager& Manager, platform::core::TComponent* Component) = 0;
    virtual void Modified(TdxBarManager& Manager) = 0;
};

// Installs the process-wide designer (nil removes it); returns the one it replaces.
TdxBarDesigner* SetdxBarDesigner(TdxBarDesigner* Designer);
// The designer Manager reaches: the installed one while Manager is designing, else nil.
TdxBarDesigner* dxBarDesignerOf(const TdxBarManager& Manager);

} // namespace toolkit::bars
