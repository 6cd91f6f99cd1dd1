#pragma once
// The class library's grids, drawn by us: columns and rows of fixed default sizes (with
// per-column widths), fixed rows and columns, a top row and left column that scroll, a current
// cell, OnDrawCell with the grid's canvas, and a vertical scroll bar of the grid's own.

#include "platform/forms/controls.h"

#include <map>
#include <string>
#include <vector>

namespace platform::forms {

// A set of the options below.
using TGridOptions = unsigned;
inline constexpr TGridOptions goFixedVertLine = 1, goFixedHorzLine = 2, goVertLine = 4,
                              goHorzLine = 8, goRangeSelect = 16, goDrawFocusSelected = 32,
                              goRowSizing = 64, goColSizing = 128, goRowMoving = 256,
                              goColMoving = 512, goEditing = 1024, goTabs = 2048,
                              goRowSelect = 4096, goAlwaysShowEditor = 8192,
                              goThumbTracking = 16384;
// A set of the states below.
using TGridDrawState = unsigned;
inline constexpr TGridDrawState gdSelected = 1, gdFocused = 2, gdFixed = 4;

struct TGridRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

using TDrawCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;

class TCustomGrid : public TCustomControl {
public:
    explicit TCustomGrid(TComponent* owner);

    int ColCount() const { return colCount_; }
    void SetColCount(int value);
    int RowCount() const { return rowCount_; }
    void SetRowCount(int value);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int value);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int value);
    int DefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(int value);
    // Every row has this height.
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int value);
    int ColWidths(int col) const;
    void SetColWidths(int col, int width);
    int GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int value);
    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions value);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    bool DefaultDrawing = true;
    TColor FixedColor = gdi::clBtnFace;

    // The first scrollable row shown.
    int TopRow() const { return topRow_; }
    void SetTopRow(int value);
    int LeftCol() const { return leftCol_; }
    void SetLeftCol(int value);
    int Row() const { return row_; }
    void SetRow(int value);
    int Col() const { return col_; }
    void SetCol(int value);
    TGridRect Selection() const { return selection_; }
    void SetSelection(const TGridRect& value);
    int VisibleRowCount() const;
    int VisibleColCount() const;

    TRect CellRect(int col, int row) const;
    void MouseToCell(int x, int y, int& col, int& row) const;
    void InvalidateCell(int col, int row);
    void InvalidateRow(int row);

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TNotifyEvent OnTopLeftChanged;

    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    virtual void DrawCell(int col, int row, const TRect& rect, TGridDrawState state);
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    bool WantsKey(WORD key) const override;
    virtual bool SelectCell(int col, int row);
    void Resize() override;

private:
    bool HasVerticalBar() const;
    TRect VerticalBar() const;
    TRect ThumbRect() const;
    int DataWidth() const;
    int MaxTopRow() const;
    void FocusCell(int col, int row);
    void ScrollBarClick(int y);
    void ClampScroll();

    int colCount_ = 5;
    int rowCount_ = 5;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    std::map<int, int> colWidths_;
    int gridLineWidth_ = 1;
    TGridOptions options_ =
        goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    TScrollStyle scrollBars_ = ssBoth;
    int topRow_ = 1;
    int leftCol_ = 1;
    int row_ = 1;
    int col_ = 1;
    TGridRect selection_{1, 1, 1, 1};
};

class TDrawGrid : public TCustomGrid {
public:
    using TCustomGrid::TCustomGrid;
};

class TStringGrid : public TDrawGrid {
public:
    using TDrawGrid::TDrawGrid;

    const std::string& Cells(int col, int row) const;
    void SetCells(int col, int row, const std::string& value);

protected:
    void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;

private:
    std::map<std::pair<int, int>, std::string> cells_;
};

} // namespace platform::forms
