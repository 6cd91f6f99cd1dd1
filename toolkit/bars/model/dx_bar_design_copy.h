#pragma once
// The design-time copy of a bar manager: the bars as the program designed them, before the
// user customised them or a stored layout was loaded. The manager's DesignRoutine builds the
// design again on a temporary form (our stand-in for reading the form resource again); Reset
// and ResetUsageData compare or copy from it and free it.

#include <memory>
#include <string>

namespace platform::forms {
class TForm;
}

namespace toolkit::bars {

class TdxBarManager;

// A form without owner holding a manager of Manager's name built by its DesignRoutine (its
// bars loaded, so predefined, and storing no layout), or nil when there is no routine or it
// failed. The copy never loads a stored layout.
std::unique_ptr<platform::forms::TForm> CreateDesignTimeCopy(const TdxBarManager& Manager);
// Set while a copy is built.
bool IsReadingDesignTimeCopy();
// The manager of that name in Form; nil when none.
TdxBarManager* FindManagerCopy(platform::forms::TForm& Form, const std::string& Name);

} // namespace toolkit::bars
