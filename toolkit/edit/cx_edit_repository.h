#pragma once
// A repository lets many editors share one properties object: each item owns one, and an editor
// whose RepositoryItem is set uses the item's properties and listens to the item. Listeners are
// told of every change of the item's properties and, before the properties go, of the item's
// removal (both newest first). Also here: the registry of edit properties classes and the edit
// framework's small routines.

#include "toolkit/base/cx_region.h"
#include "toolkit/base/registered_classes.h"
#include "toolkit/edit/cx_edit_buttons.h"
#include "toolkit/edit/cx_edit_properties.h"
#include "toolkit/edit/cx_edit_style.h"

#include "platform/core/component.h"
#include "platform/core/variant.h"
#include "platform/forms/controls.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace toolkit::edit {

class TcxEditRepository;
class TcxEditRepositoryItem;

// What an item tells the editors (and other users) attached to it.
class IcxEditRepositoryItemListener {
public:
    // The item is being destroyed; its properties still exist.
    virtual void ItemRemoved(TcxEditRepositoryItem* Sender) = 0;
    virtual void PropertiesChanged(TcxEditRepositoryItem* Sender) = 0;

protected:
    ~IcxEditRepositoryItemListener() = default;
};

class TcxEditRepositoryItem;
using TcxEditRepositoryItemClass =
    platform::core::TClassOf<TcxEditRepositoryItem, platform::core::TComponent*>;

class TcxEditRepositoryItem : public platform::core::TComponent {
public:
    static const TcxEditRepositoryItemClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TcxEditRepositoryItem(platform::core::TComponent* AOwner);
    // Tells every listener of the removal, leaves the repository, frees the properties.
    ~TcxEditRepositoryItem() override;

    TcxCustomEditProperties& Properties() const { return *FProperties; }
    void SetProperties(const TcxCustomEditProperties& Value) { FProperties->Assign(&Value); }
    TcxEditRepository* Repository() const { return FRepository; }
    // Leaves the old repository's list and joins the new one's.
    void SetRepository(TcxEditRepository* Value);

    // A listener already attached is not added twice.
    virtual void AddListener(IcxEditRepositoryItemListener* Listener);
    virtual void RemoveListener(IcxEditRepositoryItemListener* Listener);
    const std::vector<IcxEditRepositoryItemListener*>& Listeners() const { return FListeners; }
    // The repository's name followed by what the class name has after "TcxEditRepository".
    virtual std::string GetBaseName() const;

    platform::core::TComponent* GetParentComponent() const override;
    bool HasParent() const override { return FRepository != nullptr; }
    // Ignored while the item is loading.
    void SetParentComponent(platform::core::TComponent* Value) override;

    // A streaming placeholder for the properties' events.
    std::function<void(platform::core::TObject* Sender)> PropertiesEvents;

protected:
    // Every listener, newest first, hears that the properties changed.
    virtual void PropertiesChanged();
    // The item's properties; a descendant item answers its editor's properties class.
    virtual const TcxCustomEditPropertiesClass& GetPropertiesClass() const {
        return TcxCustomEditProperties::ClassRef();
    }
    // Call from a descendant's constructor, where GetPropertiesClass reaches the descendant.
    void CreateProperties();

private:
    std::vector<IcxEditRepositoryItemListener*> FListeners;
    std::unique_ptr<TcxCustomEditProperties> FProperties;
    TcxEditRepository* FRepository = nullptr;
};

class TcxEditRepository : public platform::core::TComponent {
public:
    explicit TcxEditRepository(platform::core::TComponent* AOwner)
        : platform::core::TComponent(AOwner) {}
    // Frees every item it owns (last first); items owned elsewhere leave it.
    ~TcxEditRepository() override;

    // An item of AItemClass owned by and put into this repository.
    TcxEditRepositoryItem& CreateItem(const TcxEditRepositoryItemClass& AItemClass);
    // Owned by AOwner (nullptr: by the repository too), put into this repository.
    TcxEditRepositoryItem& CreateItemEx(const TcxEditRepositoryItemClass& AItemClass,
                                        platform::core::TComponent* AOwner);
    int Count() const { return static_cast<int>(FItems.size()); }
    TcxEditRepositoryItem* Items(int Index) const {
        return FItems.at(static_cast<std::size_t>(Index));
    }
    // Hands every item whose owner is Root to Proc, as streaming writes children.
    void GetChildren(const std::function<void(platform::core::TComponent*)>& Proc,
                     platform::core::TComponent* Root) const override;

private:
    friend class TcxEditRepositoryItem;
    void AddItem(TcxEditRepositoryItem* Item);
    void RemoveItem(TcxEditRepositoryItem* Item);

    std::vector<TcxEditRepositoryItem*> FItems;
};

// ---- framework routines ----

// The editor properties classes, sorted by description; made on first use.
toolkit::base::TcxRegisteredClasses& GetRegisteredEditProperties();

// The nearest component along the owner chain, starting with APersistent itself.
platform::core::TComponent* cxGetOwnerComponent(const platform::core::TPersistent* APersistent);

// Equal types and equal under the exact comparison; the numeric form also takes two numbers
// of different types by value.
bool cxVarEqualsExact(const platform::core::Variant& V1, const platform::core::Variant& V2);
bool cxVarEqualsExactNumeric(const platform::core::Variant& V1, const platform::core::Variant& V2);

// Space, #0, tab, line feed, form feed, carriage return.
bool cxIsBlank(char C);

// WM_KEYDOWN (a key) or WM_CHAR (a character) to the control's window.
void cxSendKey(platform::forms::TWinControl& Control, unsigned Key);
void cxSendChar(platform::forms::TWinControl& Control, char Ch);

// Each dimension the larger of the two.
platform::gdi::TSize cxEnlargeSize(const platform::gdi::TSize& A, const platform::gdi::TSize& B);
// A one-pixel frame just inside R; the second form also deflates R by 1.
void cxDrawFrame(platform::gdi::HDC DC, const TRect& R, TColor Color);
void cxDrawFrameAndDeflate(platform::gdi::HDC DC, TRect& R, TColor Color);

bool cxRegionHasArea(const toolkit::base::TcxRegion& Region);
// Region := Region - What.
void cxSubtractRegion(toolkit::base::TcxRegion& Region, const toolkit::base::TcxRegion& What);

// ssLeft, ssRight or ssMiddle of a mouse button; nothing for cxmbNone.
platform::forms::TShiftState cxMouseButtonToShift(platform::forms::TMouseButton Button);
platform::forms::TShiftState cxMouseButtonToShift(TcxMouseButton Button);

// The look-and-feel kind the buttons of an editor are drawn in: in place, the style's; without
// buttons lfStandard; else by the first button style (ButtonStyle as the style gives it).
TcxLookAndFeelKind cxGetEditButtonsLookAndFeelKind(bool AInplace, TcxLookAndFeelKind AStyleKind,
                                                   int AButtonCount,
                                                   TcxEditButtonStyle AButtonStyle);

// Pools of in-place editors that a host may keep (none by default): each pool pairs editor
// instances with the properties bound to them.
struct TcxInplaceEditorPoolEntry {
    platform::core::TObject* Editor;
    TcxCustomEditProperties* Properties;
};
using TcxInplaceEditorPool = std::vector<TcxInplaceEditorPoolEntry>;
// nullptr until a host makes the list.
std::vector<TcxInplaceEditorPool*>* cxInplaceEditorPools();
void cxSetInplaceEditorPools(std::vector<TcxInplaceEditorPool*>* Pools);
// The index of the entry bound to AProperties; else, with ABind, the first unbound entry whose
// editor is of AContainerClass is bound and answered; else -1.
int cxFindInplaceEditorEntry(TcxInplaceEditorPool& Pool, TcxCustomEditProperties* AProperties,
                             const platform::core::TClass* AContainerClass, bool ABind);
// Every pool of the list forgets AProperties (properties being destroyed call it).
void cxUnbindInplaceEditorProperties(TcxCustomEditProperties* AProperties);

} // namespace toolkit::edit
