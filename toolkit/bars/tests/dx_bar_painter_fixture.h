#pragma once
// Where the painter tests that need a real bar manager start: classic system colours, the bar
// unit, and a form that owns the manager. The form goes (and the messages it posted are
// handled) before the unit and the colours do.

#include "toolkit/bars/dx_bar_manager.h"
#include "toolkit/bars/dx_bar_unit.h"

#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/core/component.h"
#include "platform/core/message_loop.h"
#include "platform/forms/forms.h"
#include "platform/gdi/colors.h"

#include <gtest/gtest.h>

#include <memory>

namespace toolkit::bars::testing_support {

class BarPainterFixture : public ::testing::Test {
protected:
    BarPainterFixture() : FRoot(std::make_unique<platform::core::TComponent>(nullptr)) {
        Form = &FRoot->Own<platform::forms::TForm>();
        Manager = &Form->Own<TdxBarManager>();
    }
    ~BarPainterFixture() override {
        FRoot.reset();
        platform::core::ProcessMessages();
    }

    TdxBarUnit Unit;
    toolkit::base::testing_support::ClassicColors Colors;
    std::unique_ptr<platform::core::TComponent> FRoot;
    platform::forms::TForm* Form = nullptr;
    TdxBarManager* Manager = nullptr;
};

// A system colour as the pixels show it.
inline platform::gdi::COLORREF Sys(int Index) {
    return platform::gdi::GetSysColor(Index);
}

} // namespace toolkit::bars::testing_support
