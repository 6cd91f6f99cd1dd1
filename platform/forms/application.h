#pragma once
// The class library's application object: the main form, the message loop, the application
// message hook that sees every message taken from the queue, exception reporting and help.

#include "platform/core/component.h"
#include "platform/forms/controls.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform::forms {

class TCustomForm;

using TMessageEvent = std::function<void(core::MSG& Msg, bool& Handled)>;
using TExceptionEvent = std::function<void(TObject* Sender, const std::exception_ptr& E)>;

// Help commands.
inline constexpr WORD HELP_CONTEXT = 1;
inline constexpr WORD HELP_QUIT = 2;
inline constexpr WORD HELP_CONTENTS = 3;
inline constexpr WORD HELP_FINDER = 11;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    // The first form created through CreateForm; closing it ends the program.
    TCustomForm* MainForm() const { return mainForm_; }
    template <class T, class... Args> T& CreateForm(Args&&... args) {
        T& form = Own<T>(std::forward<Args>(args)...);
        if (!mainForm_) mainForm_ = &form;
        return form;
    }
    // Tests and embedders: a form not made by CreateForm becomes the main form.
    void SetMainForm(TCustomForm* form) { mainForm_ = form; }

    // Shows the main form and dispatches until Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Tests: a program that was told to end may run again.
    void ResetTerminated() { terminated_ = false; }
    // Dispatches everything queued now.
    void ProcessMessages();
    // Dispatches one message; when there is none, runs the idle step and waits for one.
    void HandleMessage();
    // The idle step, which the application's loops (Run, a modal form's, HandleMessage) take
    // each time their queue runs dry: every form that is shown and enabled brings the state of
    // its actions up to date (TCustomForm::UpdateActions). A failure goes to HandleException.
    void Idle();

    std::string Title = "Quintaron";
    // Help goes to the viewers registered with the help manager (help_manager.h), for HelpFile;
    // each request is true when a viewer took it.
    std::string HelpFile;
    bool HelpContext(int context);
    // HELP_CONTEXT with the context number; HELP_CONTENTS or HELP_FINDER: the contents.
    bool HelpCommand(WORD command, std::intptr_t data);
    bool HelpKeyword(const std::string& keyword);
    bool HelpJump(const std::string& topic);
    bool HelpShowTableOfContents();

    // An exception that left a handler: OnException, or a message box with its text.
    void HandleException(std::exception_ptr error);
    // The same, with the object whose handler raised it as OnException's sender.
    void HandleException(TObject* sender, std::exception_ptr error);
    // A box with the error's text; one raised while such a box is shown goes to standard error.
    void ShowException(const std::exception_ptr& error);

    // Hints: the short part of the hint of the control under the resting pointer shows after
    // HintPause and goes after HintHidePause, at a press or when the pointer moves on.
    bool ShowHint = true;
    unsigned HintPause = 500;
    unsigned HintHidePause = 2500;
    // The hint shown now; empty when none shows.
    std::string HintText() const;
    void CancelHint();
    TNotifyEvent OnHint;
    // The long part of the hint of the control under the pointer.
    std::string Hint;
    // Another part of the program tells what the user points at (a menu entry): Hint takes the
    // text, and OnHint fires when it changed.
    void SetHint(const std::string& value);

    // While a modal dialog runs, the visible stay-on-top forms stand among the others, so that
    // the dialog comes above them and takes the input aimed at it; Restore puts them on top
    // again. Calls nest: only the outermost pair acts.
    void NormalizeTopMosts();
    void RestoreTopMosts();

    TMessageEvent OnMessage;
    TExceptionEvent OnException;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

    // Internal bookkeeping of the controls: the one under the mouse is going.
    void ControlGoing(const TControl* control);

protected:
    // A form that goes hears it here first, while it is whole (BeforeDestruction).
    void Notification(TComponent* component, core::TOperation operation) override;

private:
    class THintWindow;
    void TrackMouseControl(const core::MSG& msg);
    void TimerMessage(TMessage& message);
    void ShowHintNow();
    void DispatchOne(core::MSG& msg);

    TCustomForm* mainForm_ = nullptr;
    bool terminated_ = false;
    bool showingException_ = false;
    std::uintptr_t hook_ = 0;
    const TControl* mouseControl_ = nullptr;
    void* runLoop_ = nullptr;
    bool active_ = false;
    int topMostLevel_ = 0;
    std::vector<HWND> topMosts_;
    std::unique_ptr<THintWindow> hintWindow_;
    // The screen area the last hint asked for stands for, while it is set.
    TRect hintArea_;
    bool hintAreaSet_ = false;
    core::MessageWindow window_;
};

// The application of the process.
TApplication& Application();

// The parts of a hint "short|long": the short one is what a hint window shows, the long one
// what a status line shows; a hint without "|" is both.
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);

} // namespace platform::forms
