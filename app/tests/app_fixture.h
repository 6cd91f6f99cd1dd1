#pragma once
// The application's windows are tested in the desktop world that the editor pages share.

#include "testsupport/desktop/desktop_fixture.h"

namespace app::test {

using AppTest = testsupport::DesktopTest;
using testsupport::RecordingDialogs;

} // namespace app::test
