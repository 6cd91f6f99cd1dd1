#pragma once
// A loading bracket stands in for reading a form: every component made while it is in force
// is loading from its construction on (its setters only store), and when the bracket ends
// each one still alive gets Loaded, in the order they were made, leaving the loading state as
// its turn comes. Brackets nest; a component joins the innermost one.

#include <vector>

namespace platform::core {

class TComponent;

class TLoadingBracket {
public:
    TLoadingBracket();
    // Ends the bracket when End was not called. An exception from a Loaded leaves it unless
    // another is already on its way.
    ~TLoadingBracket() noexcept(false);
    TLoadingBracket(const TLoadingBracket&) = delete;
    TLoadingBracket& operator=(const TLoadingBracket&) = delete;

    // Runs the Loaded round now; later components are not loading. Once only.
    void End();
    int Count() const { return static_cast<int>(FComponents.size()); }

    // The bookkeeping of TComponent: a new component joins the innermost bracket, a component
    // that goes leaves every bracket.
    static void Enlist(TComponent* Component);
    static void Forget(TComponent* Component);

private:
    TLoadingBracket* FPrevious;
    bool FEnded = false;
    std::vector<TComponent*> FComponents;
};

} // namespace platform::core
