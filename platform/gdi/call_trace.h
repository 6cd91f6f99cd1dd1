#pragma once
// A context can tell every drawing call made on it to a sink, besides drawing it, so that a
// watcher (the tests' recording context) can see what a painter asked for as well as the pixels.
// Calls are written as "Name(arg,arg,...)", rectangles as l,t,r,b, colours as six hex digits,
// texts in quotes; a call made by another call (DrawText's ExtTextOut) is not told again.

#include "platform/gdi/device_context.h"

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace platform::gdi {

// The calls made on dc go to sink from now on; an empty sink tells nobody. FALSE for a handle
// that is no device context.
BOOL SetDCCallSink(HDC dc, DCCallSink sink);
// The sink in place; empty when there is none or dc is no device context.
DCCallSink GetDCCallSink(HDC dc);

// Telling one call, for the drawing calls of this folder.
struct Hex {
    COLORREF value;
};
// Written as it stands, without quotes.
struct Raw {
    std::string text;
};
// How an object is written: "pen style width colour", "brush colour", "brush null",
// "brush hatch n colour", "brush pattern", "font face height", "bitmap w x h", "region".
Raw DescribeObject(HGDIOBJ object);

class CallRecord {
public:
    template <class... Args> CallRecord(HDC dc, std::string_view name, const Args&... args) {
        if (!Begin(dc)) return;
        std::ostringstream out;
        out << name << '(';
        [[maybe_unused]] bool first = true;
        ((Write(out, args, first)), ...);
        out << ')';
        End(out.str());
    }
    ~CallRecord();
    CallRecord(const CallRecord&) = delete;
    CallRecord& operator=(const CallRecord&) = delete;

private:
    bool Begin(HDC dc);
    void End(std::string call);
    static void Separate(std::ostringstream& out, bool& first) {
        if (!first) out << ',';
        first = false;
    }
    static void Write(std::ostringstream& out, const TRect& r, bool& first) {
        Separate(out, first);
        out << r.Left << ',' << r.Top << ',' << r.Right << ',' << r.Bottom;
    }
    static void Write(std::ostringstream& out, const TRect* r, bool& first) {
        if (r)
            Write(out, *r, first);
        else
            Write(out, std::string_view("nil"), first);
    }
    static void Write(std::ostringstream& out, Hex c, bool& first);
    static void Write(std::ostringstream& out, std::string_view text, bool& first) {
        Separate(out, first);
        out << text;
    }
    static void Write(std::ostringstream& out, const Raw& raw, bool& first) {
        Separate(out, first);
        out << raw.text;
    }
    static void Write(std::ostringstream& out, const std::string& text, bool& first) {
        Separate(out, first);
        out << '"' << text << '"';
    }
    static void Write(std::ostringstream& out, const std::vector<TPoint>& points, bool& first) {
        for (const auto& p : points) {
            Separate(out, first);
            out << p.X << ',' << p.Y;
        }
    }
    template <class T> static void Write(std::ostringstream& out, const T& value, bool& first) {
        Separate(out, first);
        out << value;
    }

    DeviceContext* context_ = nullptr;
};

} // namespace platform::gdi
