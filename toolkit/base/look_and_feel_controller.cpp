#include "toolkit/base/look_and_feel_controller.h"

#include "toolkit/base/object_links.h"

namespace toolkit::base {

TcxLookAndFeelController::TcxLookAndFeelController(platform::core::TComponent* AOwner)
    : TComponent(AOwner) {
    if (TcxLookAndFeel* Root = RootLookAndFeel()) Root->AddChangeListener(this);
}

TcxLookAndFeelController::~TcxLookAndFeelController() {
    if (TcxLookAndFeel* Root = RootLookAndFeel()) Root->RemoveChangeListener(this);
    cxClearObjectLinks(this);
}

TcxLookAndFeelKind TcxLookAndFeelController::Kind() const {
    const TcxLookAndFeel* Root = RootLookAndFeel();
    return Root ? Root->GetKind() : lfUltraFlat;
}

void TcxLookAndFeelController::SetKind(TcxLookAndFeelKind Value) {
    if (TcxLookAndFeel* Root = RootLookAndFeel()) Root->SetKind(Value);
}

bool TcxLookAndFeelController::NativeStyle() const {
    const TcxLookAndFeel* Root = RootLookAndFeel();
    return Root && Root->GetNativeStyle();
}

void TcxLookAndFeelController::SetNativeStyle(bool Value) {
    if (TcxLookAndFeel* Root = RootLookAndFeel()) Root->SetNativeStyle(Value);
}

std::string TcxLookAndFeelController::SkinName() const {
    const TcxLookAndFeel* Root = RootLookAndFeel();
    return Root ? Root->GetSkinName() : std::string();
}

void TcxLookAndFeelController::SetSkinName(const std::string& Value) {
    if (TcxLookAndFeel* Root = RootLookAndFeel()) Root->SetSkinName(Value);
}

} // namespace toolkit::base
