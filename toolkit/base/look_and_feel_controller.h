#pragma once
// The component a form carries to set the application's look: its values are the root
// look-and-feel's, which every look-and-feel follows unless told otherwise. When the last
// controller goes, the root's values are inherited again (the defaults).

#include "toolkit/base/look_and_feel.h"

#include "platform/core/component.h"

#include <string>

namespace toolkit::base {

class TcxLookAndFeelController : public platform::core::TComponent,
                                 public IcxLookAndFeelNotificationListener {
public:
    // Joins the root's listeners.
    explicit TcxLookAndFeelController(platform::core::TComponent* AOwner);
    // Leaves them.
    ~TcxLookAndFeelController() override;

    // The root's values; without a root the defaults are read and writes do nothing.
    TcxLookAndFeelKind Kind() const;
    void SetKind(TcxLookAndFeelKind Value);
    bool NativeStyle() const;
    void SetNativeStyle(bool Value);
    std::string SkinName() const;
    void SetSkinName(const std::string& Value);

    platform::core::TObject* GetListenerObject() override { return this; }
    void MasterLookAndFeelChanged(TcxLookAndFeel* /*Sender*/,
                                  TcxLookAndFeelValues /*ChangedValues*/) override {}
    void MasterLookAndFeelDestroying(TcxLookAndFeel* /*Sender*/) override {}
};

} // namespace toolkit::base
