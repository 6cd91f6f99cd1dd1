#pragma once
// The look-and-feel the controls in a drop-down editor's popup follow: the popup window's frame
// and the lists and controls inside it. It answers with its editor's style look-and-feel, never
// with values of its own, so that the popup looks as the editor does. The editor calls
// Synchronize when its style changed or it was refreshed; the values that moved since then are
// sent to the followers and to OnChanged.

#include "toolkit/edit/cx_container.h"

#include "toolkit/base/look_and_feel.h"

#include <string>

namespace toolkit::edit {

class TcxEditPopupControlLookAndFeel : public toolkit::base::TcxLookAndFeel {
public:
    // AEdit owns this object and outlives it.
    explicit TcxEditPopupControlLookAndFeel(TcxContainer& AEdit);

    TcxContainer& Edit() const { return FEdit; }

    toolkit::base::TcxLookAndFeelKind GetKind() const override;
    bool GetNativeStyle() const override;
    std::string GetSkinName() const override;

    // Compares the editor's values with those taken at the last change and sends the moved ones.
    void Synchronize();

protected:
    // The editor's values are taken at each change, so that the painter follows them.
    toolkit::base::TcxLookAndFeelKind GetDefaultKind() const override { return GetKind(); }
    bool GetDefaultNativeStyle() const override { return GetNativeStyle(); }
    std::string GetDefaultSkinName() const override { return GetSkinName(); }

private:
    toolkit::base::TcxLookAndFeel& EditLookAndFeel() const;

    TcxContainer& FEdit;
};

} // namespace toolkit::edit
