#pragma once
// Dock sites: child windows along a side of a form that hold docked toolbars in rows. Each row
// (TdxDockRow) holds its toolbars as columns (TdxDockCol) in order along the row. A bar is
// inserted at a screen point (which row, which column, a new row or not), every row is laid out
// on the site's length (full lengths kept while they fit, truncated from the last bar when they
// do not) and the site takes the total thickness of its rows. TdxDockControl is the base and
// the automatic site the manager has on each side of its form; TdxBarDockControl is a site
// placed on a form like any aligned control.

#include "toolkit/bars/model/dx_bar_docked_window.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_painter_state.h"

#include "platform/forms/controls.h"
#include "platform/forms/graphics.h"
#include "platform/gdi/geometry.h"

#include <memory>
#include <vector>

namespace toolkit::bars {

class TdxDockRow;

class TdxDockCol {
public:
    TdxDockCol(TdxDockRow* ARow, TdxDockedBarWindow* ABarControl)
        : Row(ARow), BarControl(ABarControl) {}
    TdxDockRow* Row;
    TdxDockedBarWindow* BarControl;
    // The bar's stored position in the site's client coordinates.
    platform::gdi::TPoint Pos{};
    // The layout's figures, along the row: with items hidden, with all shown (borders included).
    int MinLength = 0;
    int FullLength = 0;
    // Position along the row, row offset, length, thickness (left, top, right, bottom in the
    // site's orientation: x along the row).
    platform::gdi::TRect LayoutRect{};
    // Copies the window's left and top into Pos.
    void UpdatePos();
};

class TdxDockRow {
public:
    explicit TdxDockRow(TdxDockControl* ADockControl) : DockControl(ADockControl) {}
    TdxDockControl* DockControl;
    std::vector<std::unique_ptr<TdxDockCol>> Cols;
    int ColCount() const { return static_cast<int>(Cols.size()); }
    TdxDockCol* Col(int Index) const { return Cols.at(static_cast<std::size_t>(Index)).get(); }
};

class TdxDockControl : public platform::forms::TCustomControl {
public:
    // An automatic site: no owner, on the manager's form, aligned to Style's side.
    TdxDockControl(TdxBarManager* ABarManager, TdxBarDockingStyle Style);
    ~TdxDockControl() override;

    bool AllowDocking = true;
    TdxBarManager* BarManager() const { return FBarManager; }
    void SetBarManager(TdxBarManager* Value);
    // From Align: top, none, client and custom are dsTop.
    TdxBarDockingStyle DockingStyle() const;
    bool Horizontal() const { return DockingStyle() == dsTop || DockingStyle() == dsBottom; }
    bool IsAutomatic() const { return FAutomatic; }
    // Changing its picture repaints the site and its bars.
    platform::forms::TBitmap& BackgroundBitmap() { return *FBackgroundBitmap; }

    int RowCount() const { return static_cast<int>(FRows.size()); }
    TdxDockRow* Rows(int Index) const;
    // The col of a docked bar window and its row's index; nil and -1 when it is not here.
    TdxDockCol* FindCol(const TdxDockedBarWindow* Bar) const;
    int IndexOfRow(const TdxDockRow* Row) const;

    // Docking: the bar joins a row at a screen point (or by its Row while recreated); Apply
    // moves the window there and re-lays out.
    void InsertBar(TdxDockedBarWindow* Bar, platform::gdi::TPoint ScreenPos, bool Apply = true);
    // An emptied row goes; Apply re-lays out.
    void RemoveBar(TdxDockedBarWindow* Bar, bool Apply = true);
    void MoveBarTo(TdxDockedBarWindow* Bar, platform::gdi::TPoint ScreenPos);

    // Which row a screen point docks to, and whether it opens a new row there.
    int GetRowInsertPos(platform::gdi::TPoint ScreenPos, bool& NewRow) const;
    // Which column of a row a screen point docks to; while a docked bar is dragged, the point
    // counts the bar's length back from the cursor.
    int GetColInsertIndex(int RowIndex, platform::gdi::TPoint ScreenPos) const;
    // Part 0, 1 (the 5-pixel new-row strip) or 2 of the band of row r (-1 before the first,
    // RowCount after the last) across the site.
    void GetRowBand(int RowIndex, int Part, int& From, int& To) const;
    // The row's rectangle in client coordinates; empty for a bad index.
    platform::gdi::TRect GetRowRect(int RowIndex) const;
    int GetRowThickness(int RowIndex) const;
    void GetInsertMarkPos(int RowIndex, bool NewRow, platform::gdi::TPoint& P) const;
    // The client rectangle on the screen, widened by the docking zone.
    void GetDockZone(platform::gdi::TRect& R) const;

    // Layout then size; nothing while the manager or its form goes or layout is locked.
    void UpdateDock();
    void LayoutRows();
    // The site takes the thickness of its rows; when that changes, an open menu of the form's
    // bars (or a pop-up menu) closes.
    void AutoSize();
    void RecalcAllBars();
    void RepaintBars();

    virtual void ResetAppearance();
    virtual bool CanDock(TdxBar* Bar) const;
    virtual void UpdateColor();
    // The sum of the row thicknesses.
    virtual int GetRowsSize() const;
    virtual bool HasSunkenBorder() const;
    virtual platform::forms::TCustomForm* GetOwnerForm() const;
    virtual void FillBackground(platform::gdi::HDC DC, const platform::gdi::TRect& R,
                                platform::gdi::HBRUSH Brush);
    bool HasBackgroundBitmap() const;
    virtual bool HasBackground() const;
    void ResetBackgroundBuffer();
    void UpdateDoubleBuffered() { DoubleBuffered = HasBackground(); }

    // What the painters read of the site, filled here.
    const TdxDockControlState& PaintState();

    // The application's idle step: the items of every visible bar of the manager update their
    // actions, so that the bars show the actions' current state.
    void InitiateAction() override;

protected:
    // A placed site (TdxBarDockControl).
    explicit TdxDockControl(platform::core::TComponent* AOwner);
    void CreateParams(TCreateParams& Params) override;
    void WndProc(platform::forms::TMessage& Message) override;
    void Resize() override;
    bool Locked() const;
    void CloseMovedMenus();
    int ClientLength() const;
    int ClientThickness() const;
    // The bar's length or thickness along / across this site, border included.
    int AlongBorder(const TdxBar& Bar) const;
    int AcrossBorder(const TdxBar& Bar) const;
    // The size for a length along this site, border included: along, across.
    platform::gdi::TSize SizeForLength(TdxDockCol& Col, int Length, bool Truncated) const;

    TdxBarManager* FBarManager = nullptr;
    TdxBarDockingStyle FDockingStyle = dsTop;
    bool FAutomatic = false;

private:
    std::vector<std::unique_ptr<TdxDockRow>> FRows;
    std::unique_ptr<platform::forms::TBitmap> FBackgroundBitmap;
    std::unique_ptr<platform::forms::TBitmap> FBackgroundBuffer;
    TdxDockControlState FPaintState;
    bool FUpdating = false;
    platform::gdi::GdiHandle FColorBrush;
    platform::gdi::TColor FColorBrushColor = platform::gdi::clNone;
};

class TdxBarDockControl : public TdxDockControl {
public:
    // Aligned to the top of its parent.
    explicit TdxBarDockControl(platform::core::TComponent* AOwner);
    ~TdxBarDockControl() override;

    bool AllowZeroSizeInDesignTime = false;
    bool SunkenBorder() const { return FSunkenBorder; }
    void SetSunkenBorder(bool Value);
    bool UseOwnSunkenBorder() const { return FUseOwnSunkenBorder; }
    void SetUseOwnSunkenBorder(bool Value);
    bool UseOwnColor() const { return FUseOwnColor; }
    void SetUseOwnColor(bool Value);
    // A colour set on a placed site is its own from then on (UseOwnColor), unless the site is
    // being loaded or its bars are locked.
    void SetColor(platform::gdi::TColor Value) override;
    void SetParentColor(bool Value) override;

    // Turns its docked bars to the new side.
    void SetAlign(platform::forms::TAlign Value) override;

    void ResetAppearance() override;
    // Refuses a bar whose own window holds the site.
    bool CanDock(TdxBar* Bar) const override;
    void UpdateColor() override;
    bool HasSunkenBorder() const override;
    platform::forms::TCustomForm* GetOwnerForm() const override;

protected:
    void WndProc(platform::forms::TMessage& Message) override;
    // At design time a dashed frame shows where the site lies.
    void Paint() override;

private:
    // Hidden, the site hides the bars docked on it until it shows again (the manager's hidden
    // bars); a bar hidden meanwhile by the user or the program stays hidden.
    void VisibleChanged(bool Shown);

    bool FSunkenBorder = false;
    bool FUseOwnSunkenBorder = false;
    bool FUseOwnColor = false;
    // Set while the site takes the manager's colour, which does not make it its own.
    bool FUpdatingColor = false;
};

// The site style of an alignment, and the alignment of an automatic site's style.
TdxBarDockingStyle dxAlignToDockingStyle(platform::forms::TAlign Align);
platform::forms::TAlign dxDockingStyleToAlign(TdxBarDockingStyle Style);

} // namespace toolkit::bars
