#pragma once
// How a control is painted: a kind, the native (visual-style) choice and a skin name, each
// either set on the look-and-feel itself (assigned) or inherited from its master, or without a
// master from the one process-wide root. A change travels down to every listener, and a change
// of the system colours reaches every look-and-feel as a change of the native style, so that
// each control picks its painter again and repaints.
//
// Masters, listeners and the root are weak references: a look-and-feel that dies tells its
// listeners first, and one that dies unannounced is skipped, never called.

#include "toolkit/base/interfaced_persistent.h"
#include "toolkit/base/look_and_feel_painter_lookup.h"
#include "toolkit/base/object_links.h"
#include "toolkit/base/system_palette_notifier.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace toolkit::base {

// A set of the values below.
using TcxLookAndFeelValues = std::uint8_t;
enum TcxLookAndFeelValue : TcxLookAndFeelValues {
    lfvKind = 1,
    lfvNativeStyle = 2,
    lfvSkinName = 4,
};
inline constexpr TcxLookAndFeelValues cxAllLookAndFeelValues =
    lfvKind | lfvNativeStyle | lfvSkinName;

struct TcxLookAndFeelData {
    TcxLookAndFeelKind Kind = lfUltraFlat;
    bool NativeStyle = false;
    std::string SkinName;
};

// What a master calls on those that listen to it.
class IcxLookAndFeelNotificationListener {
public:
    // The object whose death takes the listener out of the lists; it clears its object links
    // (cxClearObjectLinks) when it dies.
    virtual platform::core::TObject* GetListenerObject() = 0;
    virtual void MasterLookAndFeelChanged(TcxLookAndFeel* Sender,
                                          TcxLookAndFeelValues ChangedValues) = 0;
    virtual void MasterLookAndFeelDestroying(TcxLookAndFeel* Sender) = 0;

protected:
    ~IcxLookAndFeelNotificationListener() = default;
};

class TcxLookAndFeel : public TcxInterfacedPersistent, public IcxLookAndFeelNotificationListener {
public:
    // Nothing assigned; follows the root when there is one.
    explicit TcxLookAndFeel(platform::core::TPersistent* AOwner);
    // Tells its listeners, then leaves its master.
    ~TcxLookAndFeel() override;
    TcxLookAndFeel(const TcxLookAndFeel&) = delete;
    TcxLookAndFeel& operator=(const TcxLookAndFeel&) = delete;

    static const TcxInterfacedPersistentClass& ClassRef();
    const TcxInterfacedPersistentClass& ClassType() const override { return ClassRef(); }

    // From another look-and-feel: its assigned values and its master; what moved is sent.
    void Assign(const platform::core::TPersistent* Source) override;
    // Everything inherited again.
    void Reset() { SetAssignedValues(0); }

    TcxLookAndFeelValues AssignedValues() const { return FAssignedValues; }
    void SetAssignedValues(TcxLookAndFeelValues Value);

    // The effective values. A descendant may answer otherwise (a popup answers with its
    // owner's); the painter and the followers read these.
    virtual TcxLookAndFeelKind GetKind() const { return FData.Kind; }
    virtual bool GetNativeStyle() const { return FData.NativeStyle; }
    virtual std::string GetSkinName() const { return FData.SkinName; }
    // Each assigns its value, even one equal to the inherited value; a change is sent only
    // when the effective value moves.
    void SetKind(TcxLookAndFeelKind Value);
    void SetNativeStyle(bool Value);
    void SetSkinName(const std::string& Value);

    // nullptr: the root is followed (or nothing, for the root).
    TcxLookAndFeel* MasterLookAndFeel() const;
    // Ignored for the root, for this object itself, for the current master, and for a master
    // that already follows this object (a circle would never end).
    void SetMasterLookAndFeel(TcxLookAndFeel* Value);

    // The skin painter when one is set, else the painter of the kind and the native style.
    TcxLookAndFeelPainterClass GetPainter();
    TcxLookAndFeelPainterClass SkinPainter() const { return FSkinPainter; }

    // Never twice; a controller joins only the root.
    void AddChangeListener(IcxLookAndFeelNotificationListener* Listener);
    void RemoveChangeListener(IcxLookAndFeelNotificationListener* Listener);

    bool IsRoot() const { return FIsRoot; }
    bool IsDestroying() const { return FIsDestroying; }

    platform::core::TObject* GetListenerObject() override { return this; }
    // The changed values that are not assigned here are sent on.
    void MasterLookAndFeelChanged(TcxLookAndFeel* Sender,
                                  TcxLookAndFeelValues ChangedValues) override;
    // The root is followed from now on.
    void MasterLookAndFeelDestroying(TcxLookAndFeel* Sender) override;

    std::function<void(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues)> OnChanged;

protected:
    // The assigned value, else the master's, else the root's, else lfUltraFlat / false / "".
    virtual TcxLookAndFeelKind GetDefaultKind() const;
    virtual bool GetDefaultNativeStyle() const;
    virtual std::string GetDefaultSkinName() const;
    // The named painter of the skin name; nullptr for none.
    virtual TcxLookAndFeelPainterClass GetSkinPainter() const;
    virtual bool FindSkinPainter(const std::string& Name,
                                 TcxLookAndFeelPainterClass& Painter) const;
    // Sends a change of the native style.
    virtual void SystemPaletteChanged();
    // In a form stream: Kind, NativeStyle and SkinName, each only while assigned.
    void DefinePublishedProperties(platform::core::TFiler& Filer) override;

    // Takes the effective values again, picks the painter, tells the listeners in order, then
    // OnChanged. Nothing for an empty set or while dying.
    void Changed(TcxLookAndFeelValues ChangedValues);

private:
    struct TRootTag {};
    explicit TcxLookAndFeel(TRootTag);
    friend TcxLookAndFeel* RootLookAndFeel();
    friend struct TLookAndFeelsUnit;

    struct TListener {
        IcxLookAndFeelNotificationListener* Listener;
        std::unique_ptr<TcxObjectLink> Link;
    };

    // Not the root, not the current master, and no circle back to this object.
    bool CanFollow(const TcxLookAndFeel* Value) const;
    // Leaves the listeners of the master (or root) and joins those of Value (or the root).
    void AttachMaster(TcxLookAndFeel* Value);
    TcxLookAndFeelData DefaultData() const;
    TcxLookAndFeelValues MovedValues(const TcxLookAndFeelData& Before) const;
    void RefreshData();
    void ChoosePainter();
    bool IsListening(const IcxLookAndFeelNotificationListener* Listener) const;
    // The master, or the root; nullptr for the root itself.
    TcxLookAndFeel* NotifyingLookAndFeel() const;
    void CreatePaletteNotifier();

    TcxLookAndFeelValues FAssignedValues = 0;
    std::vector<TListener> FListeners;
    TcxLookAndFeelData FData;
    TcxLookAndFeelPainterClass FPainter = nullptr;
    TcxLookAndFeelData FAssignedData;
    bool FIsRoot = false;
    bool FIsDestroying = false;
    std::unique_ptr<TcxObjectLink> FMaster;
    TcxLookAndFeelPainterClass FSkinPainter = nullptr;
    int FControllerCount = 0;
    std::unique_ptr<TcxSystemPaletteChangedNotifier> FPaletteNotifier;
};

// The process-wide root, made on first use; nullptr once the process is ending.
TcxLookAndFeel* RootLookAndFeel();

} // namespace toolkit::base
