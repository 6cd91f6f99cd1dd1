#include "toolkit/base/system_palette_notifier.h"

#include "toolkit/base/office11.h"

#include "platform/core/no_destructor.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace toolkit::base {

namespace {

using platform::core::TMessage;

class TcxSystemPaletteChangedListener {
public:
    TcxSystemPaletteChangedListener() : FWindow([this](TMessage& Message) { WndProc(Message); }) {
        dxOffice11InitColors();
    }
    ~TcxSystemPaletteChangedListener() { dxOffice11ReleaseColors(); }
    TcxSystemPaletteChangedListener(const TcxSystemPaletteChangedListener&) = delete;
    TcxSystemPaletteChangedListener& operator=(const TcxSystemPaletteChangedListener&) = delete;

    platform::core::HWND Handle() const { return FWindow.Handle(); }
    bool Empty() const { return FPrimary.empty() && FOthers.empty(); }
    bool Walking() const { return FWalking > 0; }

    void Add(TcxSystemPaletteChangedNotifier* Notifier) {
        (Notifier->IsPrimary() ? FPrimary : FOthers).push_back(Notifier);
    }
    void Remove(TcxSystemPaletteChangedNotifier* Notifier) {
        std::erase(FPrimary, Notifier);
        std::erase(FOthers, Notifier);
    }

private:
    void WndProc(TMessage& Message);
    // A notifier may free others, or itself: each is called only while it is still listed.
    void Walk(const std::vector<TcxSystemPaletteChangedNotifier*>& List);

    platform::core::MessageWindow FWindow;
    std::vector<TcxSystemPaletteChangedNotifier*> FPrimary;
    std::vector<TcxSystemPaletteChangedNotifier*> FOthers;
    int FWalking = 0;
};

std::unique_ptr<TcxSystemPaletteChangedListener>& Listener() {
    // Notifiers held by objects that live until the process ends go during static destruction,
    // when a plain static holder could already be gone.
    static platform::core::NoDestructor<std::unique_ptr<TcxSystemPaletteChangedListener>>
        TheListener;
    return *TheListener;
}

void TcxSystemPaletteChangedListener::WndProc(TMessage& Message) {
    if (Message.Msg == platform::win::WM_SYSCOLORCHANGE) {
        dxOffice11RefreshColors();
        // The last notifier may go during the walk; the listener stays until the walk ends.
        ++FWalking;
        Walk(FPrimary);
        Walk(FOthers);
        --FWalking;
        if (Empty()) {
            Listener().reset();
            return;
        }
    }
    Message.Result =
        platform::win::DefWindowProc(Handle(), Message.Msg, Message.WParam, Message.LParam);
}

void TcxSystemPaletteChangedListener::Walk(
    const std::vector<TcxSystemPaletteChangedNotifier*>& List) {
    const std::vector<TcxSystemPaletteChangedNotifier*> Snapshot = List;
    for (auto It = Snapshot.rbegin(); It != Snapshot.rend(); ++It)
        if (std::find(List.begin(), List.end(), *It) != List.end()) (*It)->DoChanged();
}

} // namespace

TcxSystemPaletteChangedNotifier::TcxSystemPaletteChangedNotifier(bool AIsPrimary)
    : FIsPrimary(AIsPrimary) {
    auto& TheListener = Listener();
    if (!TheListener) TheListener = std::make_unique<TcxSystemPaletteChangedListener>();
    TheListener->Add(this);
}

TcxSystemPaletteChangedNotifier::~TcxSystemPaletteChangedNotifier() {
    auto& TheListener = Listener();
    if (!TheListener) return;
    TheListener->Remove(this);
    if (TheListener->Empty() && !TheListener->Walking()) TheListener.reset();
}

void TcxSystemPaletteChangedNotifier::DoChanged() {
    if (OnSystemPaletteChanged) OnSystemPaletteChanged();
}

platform::core::HWND cxSystemPaletteChangedListenerHandle() {
    const auto& TheListener = Listener();
    return TheListener ? TheListener->Handle() : platform::core::NullHWnd;
}

} // namespace toolkit::base
