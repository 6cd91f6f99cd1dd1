#pragma once
// A hidden message window whose messages reach the object's WndProc; the window lives as long
// as the object.

#include "platform/core/object.h"
#include "platform/core/window_handle.h"

namespace toolkit::base {

class TcxMessageWindow : public platform::core::TObject {
public:
    TcxMessageWindow();
    ~TcxMessageWindow() override;
    TcxMessageWindow(const TcxMessageWindow&) = delete;
    TcxMessageWindow& operator=(const TcxMessageWindow&) = delete;

    platform::core::HWND Handle() const { return FHandle; }

protected:
    // The base answers 0: a window with no frame and no area has nothing to default.
    virtual void WndProc(platform::core::TMessage& Message);

private:
    platform::core::HWND FHandle;
};

} // namespace toolkit::base
