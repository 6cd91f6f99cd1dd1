#include "platform/gdi/call_trace.h"

#include "platform/gdi/object_table.h"

#include <iomanip>

namespace platform::gdi {

BOOL SetDCCallSink(HDC dc, DCCallSink sink) {
    DeviceContext* context = LookupDC(dc);
    if (!context) return 0;
    context->callSink = std::move(sink);
    return 1;
}

DCCallSink GetDCCallSink(HDC dc) {
    DeviceContext* context = LookupDC(dc);
    return context ? context->callSink : DCCallSink{};
}

bool CallRecord::Begin(HDC dc) {
    DeviceContext* context = LookupDC(dc);
    if (!context || !context->callSink) return false;
    context_ = context;
    return context_->callDepth++ == 0;
}

void CallRecord::End(std::string call) {
    // The sink may be taken away by what it is told; it is kept alive until it returns.
    DCCallSink sink = context_->callSink;
    sink(call);
}

CallRecord::~CallRecord() {
    if (context_) --context_->callDepth;
}

Raw DescribeObject(HGDIOBJ object) {
    auto value = static_cast<std::uintptr_t>(object);
    if (value >= 1 && value <= static_cast<std::uintptr_t>(SystemColorCount))
        return {"brush sys " + std::to_string(value - 1)};
    auto data = LookupObject(object);
    if (!data) return {"nil"};
    auto hex = [](COLORREF c) {
        std::ostringstream out;
        out << std::uppercase << std::hex << std::setw(6) << std::setfill('0') << c;
        return out.str();
    };
    if (auto* pen = std::get_if<PenData>(&data->value))
        return {"pen " + std::to_string(pen->log.lopnStyle) + " " +
                std::to_string(pen->log.lopnWidth.X) + " " + hex(pen->log.lopnColor)};
    if (auto* brush = std::get_if<BrushData>(&data->value)) {
        if (brush->sysColorIndex >= 0) return {"brush sys " + std::to_string(brush->sysColorIndex)};
        switch (brush->style) {
        case BS_NULL:
            return {"brush null"};
        case BS_HATCHED:
            return {"brush hatch " + std::to_string(brush->hatch) + " " + hex(brush->color)};
        case BS_PATTERN:
            return {"brush pattern"};
        default:
            return {"brush " + hex(brush->color)};
        }
    }
    if (auto* font = std::get_if<FontData>(&data->value))
        return {"font " + std::string(font->log.lfFaceName) + " " +
                std::to_string(font->log.lfHeight)};
    if (auto* bitmap = std::get_if<BitmapData>(&data->value))
        return {"bitmap " + std::to_string(bitmap->surface->Width()) + "x" +
                std::to_string(bitmap->surface->Height())};
    return {"region"};
}

void CallRecord::Write(std::ostringstream& out, Hex c, bool& first) {
    Separate(out, first);
    out << std::uppercase << std::hex << std::setw(6) << std::setfill('0') << c.value << std::dec;
}

} // namespace platform::gdi
