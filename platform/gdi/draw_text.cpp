#include "platform/gdi/draw_text.h"

#include "platform/gdi/call_trace.h"
#include "platform/gdi/object_table.h"
#include "platform/gdi/text_out.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace platform::gdi {

namespace {

// A line as it will be shown: the characters, the index of the underlined one (-1 for none).
struct Line {
    std::string text;
    int underline = -1;
};

class Layout {
public:
    Layout(HDC handle, DeviceContext& dc, UINT format) : handle_(handle), dc_(dc), format_(format) {
        const TEXTMETRIC& tm = dc.Font().face->Metrics();
        lineHeight_ = tm.tmHeight + ((format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
        int chars = (format & DT_TABSTOP) ? static_cast<int>((format >> 8) & 0xFF) : 8;
        if (chars == 0) chars = 8;
        tabWidth_ = chars * tm.tmAveCharWidth;
    }

    int LineHeight() const { return lineHeight_; }

    // Advances of a line's characters, tabs expanded from the line's start.
    std::vector<int> Advances(const std::string& text) const {
        std::vector<int> advances;
        int pen = 0;
        for (char ch : text) {
            auto c = static_cast<unsigned char>(ch);
            int advance = dc_.Font().face->CharWidth(c) + dc_.state.charExtra;
            if (c == '\t' && (format_ & DT_EXPANDTABS) && tabWidth_ > 0)
                advance = (pen / tabWidth_ + 1) * tabWidth_ - pen;
            advances.push_back(advance);
            pen += advance;
        }
        return advances;
    }

    int Width(const std::string& text) const {
        int total = 0;
        for (int a : Advances(text))
            total += a;
        return total;
    }

    Line StripPrefix(const std::string& raw) const {
        Line line;
        if (format_ & DT_NOPREFIX) {
            line.text = raw;
            return line;
        }
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] != '&') {
                line.text += raw[i];
                continue;
            }
            if (i + 1 >= raw.size()) break; // a lone '&' at the end shows nothing
            if (raw[i + 1] == '&') {
                line.text += '&';
            } else if (!(format_ & DT_HIDEPREFIX)) {
                line.underline = static_cast<int>(line.text.size());
                line.text += raw[i + 1];
            } else {
                line.text += raw[i + 1];
            }
            ++i;
        }
        return line;
    }

    // Breaks one paragraph into lines no wider than width where words allow.
    std::vector<Line> Break(const Line& paragraph, int width) const {
        std::vector<Line> lines;
        const std::string& text = paragraph.text;
        std::vector<int> advances = Advances(text);
        std::size_t start = 0;
        bool splitWords = format_ & DT_EDITCONTROL;
        do {
            int pen = 0;
            std::size_t end = start, lastBreak = std::string::npos;
            while (end < text.size()) {
                if (text[end] == ' ' && end > start) lastBreak = end;
                if (pen + advances[end] > width && text[end] != ' ') break;
                pen += advances[end];
                ++end;
            }
            std::size_t lineEnd = end, next = end;
            if (end < text.size()) {
                if (lastBreak != std::string::npos) {
                    lineEnd = lastBreak;
                    next = lastBreak;
                } else if (splitWords) {
                    lineEnd = next = std::max(end, start + 1);
                } else {
                    // A word wider than the rectangle stays whole.
                    lineEnd = start;
                    while (lineEnd < text.size() && text[lineEnd] != ' ')
                        ++lineEnd;
                    next = lineEnd;
                }
            }
            while (lineEnd > start && text[lineEnd - 1] == ' ')
                --lineEnd;
            while (next < text.size() && text[next] == ' ')
                ++next;
            Line line{text.substr(start, lineEnd - start), -1};
            int u = paragraph.underline;
            if (u >= static_cast<int>(start) && u < static_cast<int>(lineEnd))
                line.underline = u - static_cast<int>(start);
            lines.push_back(std::move(line));
            start = next;
        } while (start < text.size());
        return lines;
    }

    void Ellipsis(Line& line, int width) const {
        if (Width(line.text) <= width) return;
        if (format_ & DT_PATH_ELLIPSIS) {
            std::size_t slash = line.text.rfind('\\');
            if (slash != std::string::npos) {
                std::string tail = line.text.substr(slash);
                std::string head = line.text.substr(0, slash);
                while (!head.empty() && Width(head + "..." + tail) > width)
                    head.pop_back();
                line.text = head + "..." + tail;
                if (line.underline >= static_cast<int>(head.size())) line.underline = -1;
                return;
            }
        }
        std::string head = line.text;
        while (!head.empty() && Width(head + "...") > width)
            head.pop_back();
        if (line.underline >= static_cast<int>(head.size())) line.underline = -1;
        line.text = head + "...";
    }

    void Draw(const Line& line, int x, int y, const TRect& clip) const {
        std::vector<int> advances = Advances(line.text);
        UINT options = (format_ & DT_NOCLIP) ? 0u : static_cast<UINT>(ETO_CLIPPED);
        ExtTextOut(handle_, x, y, options, &clip, line.text.data(),
                   static_cast<int>(line.text.size()), advances.data());
        if (line.underline < 0) return;
        int ux = x;
        for (int i = 0; i < line.underline; ++i)
            ux += advances[static_cast<std::size_t>(i)];
        const TEXTMETRIC& tm = dc_.Font().face->Metrics();
        int row = std::min(y + tm.tmAscent + 1, y + tm.tmHeight - 1);
        // The line turns with the text, about where the line was drawn from.
        Region mark =
            Region::FromRect(
                dc_.ToDevice(TRect{ux, row, ux + advances[static_cast<std::size_t>(line.underline)],
                                   row + 1}))
                .Turned(dc_.ToDevice(x, y), dc_.Font().log.lfEscapement);
        if (!(format_ & DT_NOCLIP))
            mark = Region::Combine(mark, Region::FromRect(dc_.ToDevice(clip)), RGN_AND);
        dc_.FillDeviceRegion(mark, SolidBrushData(dc_.state.textColor), R2_COPYPEN);
    }

private:
    HDC handle_;
    DeviceContext& dc_;
    UINT format_;
    int lineHeight_ = 0;
    int tabWidth_ = 0;
};

std::vector<std::string> Paragraphs(const std::string& text, bool singleLine) {
    if (singleLine) return {text};
    std::vector<std::string> out;
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out.push_back(current);
            current.clear();
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            current += text[i];
        }
    }
    out.push_back(current);
    return out;
}

} // namespace

int DrawText(HDC handle, const char* text, int count, TRect* rect, UINT format) {
    CallRecord record(
        handle, "DrawText",
        std::string(text ? text : "",
                    text ? (count < 0 ? std::strlen(text) : static_cast<std::size_t>(count)) : 0),
        static_cast<const TRect*>(rect), Hex{format});
    DeviceContext* dc = LookupDC(handle);
    // A count of 0 is a call with nothing to do, unlike an empty text of count -1.
    if (!dc || !rect || count == 0 || (!text && count > 0)) return 0;
    std::string s;
    if (text) s.assign(text, count < 0 ? std::strlen(text) : static_cast<std::size_t>(count));
    Layout layout(handle, *dc, format);
    bool single = format & DT_SINGLELINE;
    if (s.empty()) {
        // An empty text still takes a line's height: the rectangle keeps it on a single line
        // only, but the result is that height either way.
        if (format & DT_CALCRECT) {
            rect->Right = rect->Left;
            rect->Bottom = rect->Top + (single ? layout.LineHeight() : 0);
        }
        return layout.LineHeight();
    }
    int width = rect->Right - rect->Left;

    std::vector<Line> lines;
    for (const auto& paragraph : Paragraphs(s, single)) {
        Line stripped = layout.StripPrefix(paragraph);
        if ((format & DT_WORDBREAK) && !single) {
            for (auto& line : layout.Break(stripped, width))
                lines.push_back(std::move(line));
        } else {
            lines.push_back(std::move(stripped));
        }
    }
    if (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS))
        for (auto& line : lines)
            layout.Ellipsis(line, width);

    int lineHeight = layout.LineHeight();
    int height = static_cast<int>(lines.size()) * lineHeight;
    int top = rect->Top;
    if (single) {
        if (format & DT_VCENTER)
            top = (rect->Top + rect->Bottom - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            top = rect->Bottom - lineHeight;
    }

    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const auto& line : lines)
            widest = std::max(widest, layout.Width(line.text));
        rect->Right = rect->Left + widest;
        rect->Bottom = rect->Top + height;
        return height;
    }

    UINT align = dc->state.textAlign;
    dc->state.textAlign = TA_LEFT | TA_TOP;
    int y = top;
    for (const auto& line : lines) {
        if ((format & DT_EDITCONTROL) && !single && y + lineHeight > rect->Bottom && y > rect->Top)
            break;
        int lineWidth = layout.Width(line.text);
        int x = rect->Left;
        if (format & DT_CENTER)
            x = (rect->Left + rect->Right - lineWidth) / 2;
        else if (format & DT_RIGHT)
            x = rect->Right - lineWidth;
        layout.Draw(line, x, y, *rect);
        y += lineHeight;
    }
    dc->state.textAlign = align;
    return single && (format & (DT_VCENTER | DT_BOTTOM)) ? top - rect->Top + lineHeight : height;
}

} // namespace platform::gdi
