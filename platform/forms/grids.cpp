#include "platform/forms/grids.h"

#include "platform/gdi/draw_text.h"
#include "platform/gdi/frame_controls.h"
#include "platform/win/painting.h"

#include <algorithm>

namespace platform::forms {

using namespace win;

namespace {

int BarWidth() {
    return gdi::GetSystemMetrics(gdi::SM_CXVSCROLL);
}

} // namespace

TCustomGrid::TCustomGrid(TComponent* owner) : TCustomControl(owner) {
    width_ = 320;
    height_ = 120;
    color_ = gdi::clWindow;
    TabStop = true;
    focusOnClick_ = true;
}

void TCustomGrid::SetColCount(int value) {
    colCount_ = std::max(1, value);
    fixedCols_ = std::min(fixedCols_, colCount_ - 1);
    col_ = std::clamp(col_, fixedCols_, colCount_ - 1);
    ClampScroll();
    Invalidate();
}

void TCustomGrid::SetRowCount(int value) {
    rowCount_ = std::max(1, value);
    fixedRows_ = std::min(fixedRows_, rowCount_ - 1);
    row_ = std::clamp(row_, fixedRows_, rowCount_ - 1);
    selection_ = {col_, row_, col_, row_};
    ClampScroll();
    Invalidate();
}

void TCustomGrid::SetFixedCols(int value) {
    fixedCols_ = std::clamp(value, 0, colCount_ - 1);
    col_ = std::max(col_, fixedCols_);
    leftCol_ = fixedCols_;
    Invalidate();
}

void TCustomGrid::SetFixedRows(int value) {
    fixedRows_ = std::clamp(value, 0, rowCount_ - 1);
    row_ = std::max(row_, fixedRows_);
    topRow_ = fixedRows_;
    selection_ = {col_, row_, col_, row_};
    Invalidate();
}

void TCustomGrid::SetDefaultColWidth(int value) {
    defaultColWidth_ = std::max(0, value);
    colWidths_.clear();
    Invalidate();
}

void TCustomGrid::SetDefaultRowHeight(int value) {
    defaultRowHeight_ = std::max(1, value);
    ClampScroll();
    Invalidate();
}

int TCustomGrid::ColWidths(int col) const {
    auto it = colWidths_.find(col);
    return it == colWidths_.end() ? defaultColWidth_ : it->second;
}

void TCustomGrid::SetColWidths(int col, int width) {
    colWidths_[col] = std::max(0, width);
    Invalidate();
}

void TCustomGrid::SetGridLineWidth(int value) {
    gridLineWidth_ = std::max(0, value);
    Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions value) {
    options_ = value;
    Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle value) {
    scrollBars_ = value;
    Invalidate();
}

int TCustomGrid::DataWidth() const {
    return ClientWidth() - (HasVerticalBar() ? BarWidth() : 0);
}

int TCustomGrid::VisibleRowCount() const {
    const int fixedHeight = fixedRows_ * (defaultRowHeight_ + gridLineWidth_);
    const int room = ClientHeight() - fixedHeight;
    return std::max(0, room / (defaultRowHeight_ + gridLineWidth_));
}

int TCustomGrid::VisibleColCount() const {
    int x = 0;
    for (int c = 0; c < fixedCols_; ++c)
        x += ColWidths(c) + gridLineWidth_;
    int count = 0;
    for (int c = leftCol_; c < colCount_; ++c) {
        x += ColWidths(c) + gridLineWidth_;
        if (x > DataWidth()) break;
        ++count;
    }
    return count;
}

int TCustomGrid::MaxTopRow() const {
    return std::max(fixedRows_, rowCount_ - std::max(1, VisibleRowCount()));
}

bool TCustomGrid::HasVerticalBar() const {
    if (scrollBars_ != ssVertical && scrollBars_ != ssBoth) return false;
    const int fixedHeight = fixedRows_ * (defaultRowHeight_ + gridLineWidth_);
    const int rows = (ClientHeight() - fixedHeight) / (defaultRowHeight_ + gridLineWidth_);
    return rowCount_ - fixedRows_ > rows;
}

void TCustomGrid::ClampScroll() {
    topRow_ = std::clamp(topRow_, fixedRows_, MaxTopRow());
    leftCol_ = std::clamp(leftCol_, fixedCols_, std::max(fixedCols_, colCount_ - 1));
}

void TCustomGrid::SetTopRow(int value) {
    const int old = topRow_;
    topRow_ = std::clamp(value, fixedRows_, MaxTopRow());
    if (topRow_ == old) return;
    Invalidate();
    if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TCustomGrid::SetLeftCol(int value) {
    const int old = leftCol_;
    leftCol_ = std::clamp(value, fixedCols_, std::max(fixedCols_, colCount_ - 1));
    if (leftCol_ == old) return;
    Invalidate();
    if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TCustomGrid::SetRow(int value) {
    FocusCell(col_, value);
}

void TCustomGrid::SetCol(int value) {
    FocusCell(value, row_);
}

void TCustomGrid::SetSelection(const TGridRect& value) {
    selection_ = value;
    row_ = value.Top;
    col_ = value.Left;
    Invalidate();
}

bool TCustomGrid::SelectCell(int col, int row) {
    bool can = true;
    if (OnSelectCell) OnSelectCell(this, col, row, can);
    return can;
}

void TCustomGrid::FocusCell(int col, int row) {
    col = std::clamp(col, fixedCols_, colCount_ - 1);
    row = std::clamp(row, fixedRows_, rowCount_ - 1);
    if (!SelectCell(col, row)) return;
    col_ = col;
    row_ = row;
    selection_ = {col, row, col, row};
    // The current cell stays in view.
    if (row_ < topRow_) SetTopRow(row_);
    if (row_ >= topRow_ + VisibleRowCount()) SetTopRow(row_ - VisibleRowCount() + 1);
    Invalidate();
}

TRect TCustomGrid::CellRect(int col, int row) const {
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) return {};
    if ((col >= fixedCols_ && col < leftCol_) || (row >= fixedRows_ && row < topRow_)) return {};
    const int step = defaultRowHeight_ + gridLineWidth_;
    int y = row < fixedRows_ ? row * step : fixedRows_ * step + (row - topRow_) * step;
    int x = 0;
    for (int c = 0; c < (col < fixedCols_ ? col : fixedCols_); ++c)
        x += ColWidths(c) + gridLineWidth_;
    if (col >= fixedCols_)
        for (int c = leftCol_; c < col; ++c)
            x += ColWidths(c) + gridLineWidth_;
    TRect r{x, y, x + ColWidths(col), y + defaultRowHeight_};
    if (r.Top >= ClientHeight() || r.Left >= DataWidth()) return {};
    r.Right = std::min(r.Right, DataWidth());
    return r;
}

void TCustomGrid::MouseToCell(int x, int y, int& col, int& row) const {
    col = row = -1;
    const int step = defaultRowHeight_ + gridLineWidth_;
    if (y < 0 || x < 0 || x >= DataWidth()) return;
    if (y < fixedRows_ * step)
        row = y / step;
    else
        row = topRow_ + (y - fixedRows_ * step) / step;
    if (row >= rowCount_) row = -1;
    int left = 0;
    for (int c = 0; c < colCount_; ++c) {
        if (c >= fixedCols_ && c < leftCol_) continue;
        const int right = left + ColWidths(c) + gridLineWidth_;
        if (x < right) {
            col = c;
            break;
        }
        left = right;
    }
    if (col < 0 || row < 0) col = row = -1;
}

void TCustomGrid::InvalidateCell(int col, int row) {
    TRect r = CellRect(col, row);
    if (r.Width() > 0 && HandleAllocated()) InvalidateRect(handle_, &r, 0);
}

void TCustomGrid::InvalidateRow(int row) {
    TRect r = CellRect(std::max(fixedCols_, leftCol_), row);
    if (r.Height() <= 0 || !HandleAllocated()) return;
    r.Left = 0;
    r.Right = DataWidth();
    InvalidateRect(handle_, &r, 0);
}

TRect TCustomGrid::VerticalBar() const {
    return {ClientWidth() - BarWidth(), 0, ClientWidth(), ClientHeight()};
}

TRect TCustomGrid::ThumbRect() const {
    TRect bar = VerticalBar();
    const int arrow = BarWidth();
    const int track = bar.Height() - 2 * arrow;
    const int total = std::max(1, rowCount_ - fixedRows_);
    const int shown = std::max(1, VisibleRowCount());
    const int size = std::max(8, track * shown / total);
    const int range = std::max(1, MaxTopRow() - fixedRows_);
    const int top = bar.Top + arrow + (track - size) * (topRow_ - fixedRows_) / range;
    return {bar.Left, top, bar.Right, top + size};
}

void TCustomGrid::ScrollBarClick(int y) {
    TRect bar = VerticalBar();
    const int arrow = BarWidth();
    if (y < bar.Top + arrow)
        SetTopRow(topRow_ - 1);
    else if (y >= bar.Bottom - arrow)
        SetTopRow(topRow_ + 1);
    else if (y < ThumbRect().Top)
        SetTopRow(topRow_ - std::max(1, VisibleRowCount()));
    else if (y >= ThumbRect().Bottom)
        SetTopRow(topRow_ + std::max(1, VisibleRowCount()));
}

void TCustomGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
    if (OnDrawCell) OnDrawCell(this, col, row, rect, state);
}

void TCustomGrid::Paint() {
    TRect client = ClientRect();
    canvas_.Brush().SetColor(color_);
    canvas_.FillRect(client);
    const bool focused = Focused();
    for (int row = 0; row < rowCount_; ++row) {
        if (row >= fixedRows_ && row < topRow_) continue;
        for (int col = 0; col < colCount_; ++col) {
            TRect r = CellRect(col, row);
            if (r.Width() <= 0 || r.Height() <= 0) continue;
            const bool fixed = col < fixedCols_ || row < fixedRows_;
            TGridDrawState state = fixed ? gdFixed : 0;
            const bool inSelection = (options_ & goRowSelect)
                                         ? row >= selection_.Top && row <= selection_.Bottom
                                         : col >= selection_.Left && col <= selection_.Right &&
                                               row >= selection_.Top && row <= selection_.Bottom;
            if (!fixed && inSelection) state |= gdSelected;
            if (!fixed && col == col_ && row == row_ && focused) state |= gdFocused;
            if (DefaultDrawing) {
                canvas_.Brush().SetColor(
                    fixed ? FixedColor
                    : (state & gdSelected) &&
                            (!(state & gdFocused) || (options_ & goDrawFocusSelected))
                        ? gdi::clHighlight
                        : color_);
                canvas_.FillRect(r);
                if (fixed) {
                    TRect e = r;
                    gdi::DrawEdge(canvas_.Handle(), &e, gdi::BDR_RAISEDINNER, gdi::BF_RECT);
                }
            }
            canvas_.Font().Assign(font_);
            if ((state & gdSelected) && DefaultDrawing)
                canvas_.Font().SetColor(gdi::clHighlightText);
            DrawCell(col, row, r, state);
            if (DefaultDrawing && (state & gdFocused)) canvas_.DrawFocusRect(r);
            // Grid lines to the right and below each cell.
            if (gridLineWidth_ > 0) {
                const bool vert = fixed ? (options_ & goFixedVertLine) : (options_ & goVertLine);
                const bool horz = fixed ? (options_ & goFixedHorzLine) : (options_ & goHorzLine);
                canvas_.Brush().SetColor(fixed ? gdi::clBlack : gdi::clSilver);
                if (vert)
                    canvas_.FillRect(
                        {r.Right, r.Top, r.Right + gridLineWidth_, r.Bottom + gridLineWidth_});
                if (horz)
                    canvas_.FillRect(
                        {r.Left, r.Bottom, r.Right + gridLineWidth_, r.Bottom + gridLineWidth_});
            }
        }
    }
    if (HasVerticalBar()) {
        TRect bar = VerticalBar();
        canvas_.Brush().SetColor(gdi::clScrollBar);
        canvas_.FillRect(bar);
        const int arrow = BarWidth();
        TRect up{bar.Left, bar.Top, bar.Right, bar.Top + arrow};
        TRect down{bar.Left, bar.Bottom - arrow, bar.Right, bar.Bottom};
        gdi::DrawFrameControl(canvas_.Handle(), &up, gdi::DFC_SCROLL, gdi::DFCS_SCROLLUP);
        gdi::DrawFrameControl(canvas_.Handle(), &down, gdi::DFC_SCROLL, gdi::DFCS_SCROLLDOWN);
        TRect thumb = ThumbRect();
        canvas_.Brush().SetColor(gdi::clBtnFace);
        canvas_.FillRect(thumb);
        gdi::DrawEdge(canvas_.Handle(), &thumb, gdi::EDGE_RAISED, gdi::BF_RECT);
    }
}

void TCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && HasVerticalBar() && x >= VerticalBar().Left) {
        ScrollBarClick(y);
        return;
    }
    if (button == mbLeft) {
        int col, row;
        MouseToCell(x, y, col, row);
        if (col >= fixedCols_ && row >= fixedRows_) FocusCell(col, row);
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

bool TCustomGrid::WantsKey(WORD key) const {
    return key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT || key == VK_PRIOR ||
           key == VK_NEXT || key == VK_HOME || key == VK_END ||
           (key == VK_TAB && (options_ & goTabs));
}

void TCustomGrid::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    const int page = std::max(1, VisibleRowCount());
    switch (key) {
    case VK_UP:
        FocusCell(col_, row_ - 1);
        break;
    case VK_DOWN:
        FocusCell(col_, row_ + 1);
        break;
    case VK_LEFT:
        FocusCell(col_ - 1, row_);
        break;
    case VK_RIGHT:
        FocusCell(col_ + 1, row_);
        break;
    case VK_PRIOR:
        FocusCell(col_, row_ - page);
        break;
    case VK_NEXT:
        FocusCell(col_, row_ + page);
        break;
    case VK_HOME:
        FocusCell(col_, fixedRows_);
        break;
    case VK_END:
        FocusCell(col_, rowCount_ - 1);
        break;
    default:
        break;
    }
}

void TCustomGrid::Resize() {
    ClampScroll();
    TCustomControl::Resize();
}

void TCustomGrid::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_MOUSEWHEEL:
        SetTopRow(topRow_ - GET_WHEEL_DELTA_WPARAM(message.WParam) / WHEEL_DELTA * 3);
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Invalidate();
        break;
    default:
        break;
    }
    TCustomControl::Dispatch(message);
}

// ---- TStringGrid ----

const std::string& TStringGrid::Cells(int col, int row) const {
    static const std::string empty;
    auto it = cells_.find({col, row});
    return it == cells_.end() ? empty : it->second;
}

void TStringGrid::SetCells(int col, int row, const std::string& value) {
    cells_[{col, row}] = value;
    InvalidateCell(col, row);
}

void TStringGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
    if (DefaultDrawing) {
        canvas_.Brush().SetStyle(gdi::TBrushStyle::bsClear);
        canvas_.TextRect(rect, rect.Left + 2, rect.Top + 2, Cells(col, row));
        canvas_.Brush().SetStyle(gdi::TBrushStyle::bsSolid);
    }
    TDrawGrid::DrawCell(col, row, rect, state);
}

} // namespace platform::forms
