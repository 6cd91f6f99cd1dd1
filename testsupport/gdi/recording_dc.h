#pragma once
// A memory context that writes down the drawing calls made on it, besides drawing them, so that
// tests of painters can check what was asked for as well as the pixels. The calls are written as
// platform/gdi/call_trace.h describes.

#include "platform/gdi/device_context.h"

#include <string>
#include <vector>

namespace testsupport {

// Select a bitmap into it as into any other; DeleteDC ends it and what it wrote down.
platform::gdi::HDC CreateRecordingDC();
// The calls so far; empty for a context that does not record.
std::vector<std::string> RecordedCalls(platform::gdi::HDC dc);
void ClearRecordedCalls(platform::gdi::HDC dc);

} // namespace testsupport
