#pragma once
// A form the designer edits, and a designer that writes down what the manager asks of it, for
// the tests of what a manager tells its designer.

#include "toolkit/bars/model/dx_bar_designer.h"
#include "toolkit/bars/model/dx_bar_manager.h"

#include "platform/core/component.h"
#include "platform/forms/forms.h"

#include <string>
#include <vector>

namespace toolkit::bars {

// A form the designer edits: what it owns is designing, the manager too.
class DesignForm : public platform::forms::TForm {
public:
    using platform::core::TComponent::SetDesigning;
    using platform::forms::TForm::TForm;
};

// Writes down what the manager asks of it, answers the permissions the test sets and frees what
// it is asked to delete.
class FakeDesigner : public TdxBarDesigner {
public:
    void SelectComponent(TdxBarManager&, platform::core::TPersistent* Instance) override {
        Selected = Instance;
    }
    platform::core::TPersistent* SelectedComponent(TdxBarManager&) override { return Selected; }
    bool CanAddComponent(TdxBarManager&) override { return CanAdd; }
    bool CanDeleteComponent(TdxBarManager&, platform::core::TComponent*) override {
        return CanDelete;
    }
    bool DeleteComponent(TdxBarManager&, platform::core::TComponent* Component) override {
        Deleted.push_back(Component->Name);
        Component->Owner()->FreeComponent(*Component);
        return true;
    }
    void Modified(TdxBarManager&) override { ++Modifications; }

    bool CanAdd = true;
    bool CanDelete = true;
    platform::core::TPersistent* Selected = nullptr;
    std::vector<std::string> Deleted;
    int Modifications = 0;
};

// Installed for as long as it lives; the designer it replaced comes back after.
class InstalledDesigner {
public:
    explicit InstalledDesigner(TdxBarDesigner& Designer) : FPrevious(SetdxBarDesigner(&Designer)) {}
    ~InstalledDesigner() { SetdxBarDesigner(FPrevious); }
    InstalledDesigner(const InstalledDesigner&) = delete;
    InstalledDesigner& operator=(const InstalledDesigner&) = delete;

private:
    TdxBarDesigner* FPrevious;
};

} // namespace toolkit::bars
