#include "platform/forms/buttons.h"
#include "platform/forms/comctrls.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/gauges.h"
#include "platform/forms/grids.h"
#include "platform/forms/img_list.h"
#include "platform/forms/mask.h"
#include "platform/forms/scroll_box.h"
#include "platform/forms/spin.h"
#include "platform/forms/tab_notebook.h"
#include "platform/forms/tests/forms_test_support.h"
#include "platform/gdi/surface.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <QImage>
#include <QPainter>

#include <filesystem>

namespace platform::forms::test {
namespace {

using namespace win;

// The window and its children as the screen shows them, in the window's coordinates; each
// child is cut to its parent's client area.
void Compose(HWND wnd, QPainter& painter, TPoint origin) {
    if (!IsWindowVisible(wnd)) return;
    if (auto surface = WindowSurface(wnd))
        painter.drawImage(origin.X, origin.Y, surface->ToImage());
    TRect window;
    GetWindowRect(wnd, &window);
    TPoint c{0, 0};
    ClientToScreen(wnd, &c);
    TRect client;
    GetClientRect(wnd, &client);
    const TPoint clientOrigin{origin.X + c.X - window.Left, origin.Y + c.Y - window.Top};
    auto children = ChildWindows(wnd);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        TRect r;
        GetWindowRect(*it, &r);
        TPoint top{r.Left, r.Top};
        ScreenToClient(wnd, &top);
        painter.save();
        painter.setClipRect(clientOrigin.X, clientOrigin.Y, client.Width(), client.Height(),
                            Qt::IntersectClip);
        Compose(*it, painter, {clientOrigin.X + top.X, clientOrigin.Y + top.Y});
        painter.restore();
    }
}

QImage Snapshot(HWND wnd) {
    TRect r;
    GetWindowRect(wnd, &r);
    QImage image(r.Width(), r.Height(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    Compose(wnd, painter, {0, 0});
    return image;
}

gdi::COLORREF PixelAt(const QImage& image, TPoint p) {
    QRgb c = image.pixel(p.X, p.Y);
    return gdi::RGB(qRed(c), qGreen(c), qBlue(c));
}

class GalleryTest : public FormsTest {
protected:
    template <class T> T& Put(TWinControl& parent, TRect bounds) {
        T& control = form.Own<T>();
        control.SetParent(&parent);
        control.SetBoundsRect(bounds);
        return control;
    }
    TForm& form = MakeForm();
};

TEST_F(GalleryTest, FormWithOneOfEachControl) {
    form.SetBounds(20, 20, 640, 480);
    form.SetCaption("Gallery");
    auto& label = Put<TLabel>(form, {8, 8, 100, 21});
    label.SetCaption("Label");
    auto& panel = Put<TPanel>(form, {8, 28, 158, 68});
    panel.SetCaption("Panel");
    Put<TBevel>(form, {166, 28, 216, 68});
    auto& group = Put<TGroupBox>(form, {224, 8, 404, 98});
    group.SetCaption("Group");
    auto& radio = Put<TRadioButton>(group, {8, 18, 120, 35});
    radio.SetCaption("Radio");
    radio.SetChecked(true);
    auto& check = Put<TCheckBox>(group, {8, 40, 120, 57});
    check.SetCaption("Check");
    check.SetChecked(true);
    auto& button = Put<TButton>(form, {8, 76, 83, 101});
    button.SetCaption("Button");
    auto& bitBtn = Put<TBitBtn>(form, {91, 76, 166, 101});
    bitBtn.SetKind(bkOK);
    auto& speed = Put<TSpeedButton>(form, {174, 76, 197, 98});
    speed.SetCaption("S");
    auto& edit = Put<TEdit>(form, {8, 110, 129, 131});
    edit.SetText("Edit");
    auto& mask = Put<TMaskEdit>(form, {137, 110, 220, 131});
    mask.SetEditMask("!99/99/00;1;_");
    mask.SetText("12/05/99");
    auto& spin = Put<TSpinEdit>(form, {228, 110, 288, 131});
    spin.SetMaxValue(99);
    spin.SetValue(42);
    auto& combo = Put<TComboBox>(form, {296, 110, 441, 131});
    combo.Items().Add("Combo");
    combo.SetItemIndex(0);
    auto& memo = Put<TMemo>(form, {8, 140, 193, 229});
    memo.Lines().Add("Memo line 1");
    memo.Lines().Add("Memo line 2");
    auto& list = Put<TListBox>(form, {200, 140, 321, 237});
    for (const char* s : {"One", "Two", "Three"})
        list.Items().Add(s);
    list.SetItemIndex(1);
    auto& shape = Put<TShape>(form, {330, 140, 395, 205});
    shape.Brush().SetColor(gdi::clRed);
    auto& image = Put<TImage>(form, {400, 140, 440, 180});
    image.Canvas().Brush().SetColor(gdi::clBlue);
    image.Canvas().FillRect({0, 0, 40, 40});
    auto& gauge = Put<TGauge>(form, {450, 140, 600, 160});
    gauge.SetProgress(50);
    auto& header = Put<THeaderControl>(form, {8, 245, 308, 262});
    header.AddSection("Type", 60);
    header.AddSection("Name", 100);
    auto& grid = Put<TStringGrid>(form, {8, 266, 308, 366});
    grid.SetColCount(3);
    grid.SetRowCount(10);
    grid.SetDefaultRowHeight(18);
    grid.SetCells(1, 1, "Cell");
    auto& pages = Put<TPageControl>(form, {320, 245, 520, 365});
    auto& sheet1 = form.Own<TTabSheet>();
    sheet1.SetCaption("First");
    sheet1.SetPageControl(&pages);
    auto& sheet2 = form.Own<TTabSheet>();
    sheet2.SetCaption("Second");
    sheet2.SetPageControl(&pages);
    auto& notebook = Put<TTabbedNotebook>(form, {528, 245, 630, 365});
    notebook.AddPage("A");
    notebook.AddPage("B");
    auto& scroll = Put<TScrollBox>(form, {8, 372, 158, 452});
    auto& inside = Put<TPanel>(scroll, {0, 0, 100, 200});
    inside.SetCaption("Inside");
    form.Show();
    scroll.UpdateScrollBars();
    Pump();

    // Sizes.
    EXPECT_EQ(label.Height(), 13);
    EXPECT_GT(label.Width(), 15);
    EXPECT_EQ(button.Width(), 75);
    EXPECT_EQ(edit.Height(), 21);
    EXPECT_EQ(sheet1.BoundsRect(), pages.DisplayRect());
    EXPECT_TRUE(scroll.VertScrollBar().IsScrollBarVisible());
    EXPECT_LT(scroll.ClientWidth(), scroll.Width());

    const QImage shot = Snapshot(form.Handle());
    const auto origin = [&](const TControl& c, TPoint p) {
        TPoint s = c.ClientToScreen(p);
        TPoint f = form.ScreenToClient(s);
        return f;
    };
    const gdi::COLORREF face = gdi::GetSysColor(gdi::COLOR_BTNFACE);
    const gdi::COLORREF window = gdi::GetSysColor(gdi::COLOR_WINDOW);
    const gdi::COLORREF highlight = gdi::GetSysColor(gdi::COLOR_HIGHLIGHT);
    EXPECT_EQ(PixelAt(shot, {620, 460}), face) << "the form's background";
    EXPECT_EQ(PixelAt(shot, origin(edit, {edit.Width() - 5, 10})), window) << "the edit's inside";
    EXPECT_EQ(PixelAt(shot, origin(shape, {32, 32})), gdi::RGB(255, 0, 0)) << "the shape's brush";
    EXPECT_EQ(PixelAt(shot, origin(image, {20, 20})), gdi::RGB(0, 0, 255)) << "the image's canvas";
    EXPECT_EQ(PixelAt(shot, origin(list, {list.Width() - 10, 2 + 13 + 6})), highlight)
        << "the selected item";
    EXPECT_EQ(PixelAt(shot, origin(button, {4, 4})), face) << "the button's face";
    EXPECT_EQ(PixelAt(shot, origin(gauge, {10, 3})), gdi::RGB(0, 0, 0))
        << "the gauge's filled part";
    EXPECT_EQ(PixelAt(shot, origin(gauge, {140, 3})), gdi::RGB(255, 255, 255)) << "and the rest";

    const auto file = TempFolder() / "form_with_each_control.png";
    EXPECT_TRUE(shot.save(QString::fromStdString(file.string()), "PNG"));
}

TEST_F(GalleryTest, GridScrollsAndMapsCells) {
    form.SetBounds(20, 20, 400, 300);
    auto& grid = Put<TDrawGrid>(form, {10, 10, 210, 110});
    grid.SetColCount(1);
    grid.SetFixedCols(0);
    grid.SetFixedRows(0);
    grid.SetRowCount(50);
    grid.SetDefaultRowHeight(19);
    grid.SetColWidths(0, 150);
    std::vector<int> drawn;
    grid.OnDrawCell = [&](TObject*, int, int row, TRect, TGridDrawState) { drawn.push_back(row); };
    int selects = 0;
    grid.OnSelectCell = [&](TObject*, int, int, bool& can) {
        ++selects;
        can = true;
    };
    form.Show();
    Pump();
    EXPECT_EQ(grid.TopRow(), 0);
    EXPECT_EQ(grid.VisibleRowCount(), 5);
    EXPECT_EQ(drawn.front(), 0);
    int col, row;
    grid.MouseToCell(5, 45, col, row);
    EXPECT_EQ(row, 2);
    driver.Click(At(grid, {20, 45}));
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(selects, 1);
    driver.Wheel(At(grid), -120);
    EXPECT_EQ(grid.TopRow(), 3);
    grid.MouseToCell(5, 45, col, row);
    EXPECT_EQ(row, 5);
    // The grid's own scroll bar: a click below the thumb pages down.
    driver.Click(At(grid, {grid.ClientWidth() - 5, grid.ClientHeight() - 25}));
    EXPECT_EQ(grid.TopRow(), 8);
    grid.SetTopRow(100);
    EXPECT_EQ(grid.TopRow(), 45);
}

TEST_F(GalleryTest, MaskEditTakesDigitsIntoTheirPlaces) {
    form.SetBounds(20, 20, 300, 200);
    auto& date = Put<TMaskEdit>(form, {10, 10, 100, 31});
    date.SetEditMask("!99/99/00;1;_");
    EXPECT_EQ(date.EditText(), "__/__/__");
    form.Show();
    Click(date);
    driver.TypeKey(win::VK_HOME);
    for (const char* c : {"1", "2", "x", "0", "5", "9", "9"})
        driver.TypeKey('0', c);
    EXPECT_EQ(date.EditText(), "12/05/99");
    EXPECT_EQ(date.Text(), "12/05/99");
    auto& time = Put<TMaskEdit>(form, {10, 40, 100, 61});
    time.SetEditMask("!90:00:00;1;_");
    time.SetText("1:23:45");
    EXPECT_EQ(time.EditText(), "_1:23:45");
    auto& bare = Put<TMaskEdit>(form, {10, 70, 100, 91});
    bare.SetEditMask("000;0;_");
    bare.SetText("42");
    EXPECT_EQ(bare.EditText(), "42_");
    EXPECT_THROW(bare.ValidateEdit(), EDBEditError);
    bare.SetText("421");
    EXPECT_NO_THROW(bare.ValidateEdit());
    EXPECT_EQ(bare.Text(), "421");
}

TEST_F(GalleryTest, PageControlAndNotebookChangeOnTabs) {
    form.SetBounds(20, 20, 400, 300);
    auto& pages = Put<TPageControl>(form, {10, 10, 210, 160});
    auto& a = form.Own<TTabSheet>();
    a.SetCaption("One");
    a.SetPageControl(&pages);
    auto& b = form.Own<TTabSheet>();
    b.SetCaption("Two");
    b.SetPageControl(&pages);
    int changes = 0;
    pages.OnChange = [&](TObject*) { ++changes; };
    form.Show();
    EXPECT_EQ(pages.ActivePage(), &a);
    TRect tab = pages.TabRect(1);
    driver.Click(At(pages, {tab.Left + 5, tab.Top + 5}));
    EXPECT_EQ(pages.ActivePage(), &b);
    EXPECT_TRUE(b.Visible());
    EXPECT_FALSE(a.Visible());
    EXPECT_EQ(changes, 1);
    pages.SetActivePageIndex(0);
    EXPECT_EQ(changes, 1);

    auto& book = Put<TTabbedNotebook>(form, {220, 10, 390, 160});
    book.AddPage("X");
    book.AddPage("Y");
    bool allow = false;
    book.OnChange = [&](TObject*, int, bool& ok) { ok = allow; };
    book.SetPageIndex(1);
    EXPECT_EQ(book.PageIndex(), 0);
    allow = true;
    book.SetActivePage("Y");
    EXPECT_EQ(book.ActivePage(), "Y");
}

TEST_F(GalleryTest, HeaderSectionsResizeByTheirEdge) {
    form.SetBounds(20, 20, 400, 300);
    auto& header = Put<THeaderControl>(form, {0, 0, 300, 17});
    header.AddSection("Type", 32);
    header.AddSection("Name", 110);
    int resized = -1, clicked = -1;
    header.OnSectionResize = [&](THeaderControl*, THeaderSection* s) { resized = s->Width; };
    header.OnSectionClick = [&](THeaderControl* h, THeaderSection* s) {
        clicked = s == &h->Sections(1) ? 1 : 0;
    };
    form.Show();
    driver.Drag(At(header, {32, 8}), At(header, {50, 8}));
    EXPECT_EQ(header.Sections(0).Width, 50);
    EXPECT_EQ(resized, 50);
    driver.Click(At(header, {80, 8}));
    EXPECT_EQ(clicked, 1);
}

TEST_F(GalleryTest, ScrollBoxMovesItsChildrenUnderItsBar) {
    form.SetBounds(20, 20, 300, 300);
    auto& box = Put<TScrollBox>(form, {10, 10, 160, 110});
    auto& inside = Put<TPanel>(box, {0, 0, 100, 300});
    form.Show();
    box.UpdateScrollBars();
    ASSERT_TRUE(box.VertScrollBar().IsScrollBarVisible());
    EXPECT_FALSE(box.HorzScrollBar().IsScrollBarVisible());
    // The down arrow at the bottom of the bar, right of the client area.
    driver.Click(At(box, {box.ClientWidth() + 5, box.ClientHeight() - 5}));
    EXPECT_EQ(box.VertScrollBar().Position(), 8);
    EXPECT_EQ(inside.Top(), -8);
    box.VertScrollBar().SetPosition(1000);
    EXPECT_EQ(box.VertScrollBar().Position(), 300 - box.ClientHeight());
    EXPECT_EQ(inside.Top() + inside.Height(), box.ClientHeight());
    box.ScrollInView(&inside);
    box.VertScrollBar().SetPosition(0);
    EXPECT_EQ(inside.Top(), 0);
}

TEST_F(GalleryTest, ImageListDrawsWithoutItsTransparentColour) {
    TBitmap strip;
    strip.SetSize(32, 16);
    strip.Canvas().Brush().SetColor(gdi::clFuchsia);
    strip.Canvas().FillRect({0, 0, 32, 16});
    strip.Canvas().Brush().SetColor(gdi::clGreen);
    strip.Canvas().FillRect({4, 4, 12, 12});
    strip.Canvas().FillRect({20, 4, 28, 12});
    TImageList& images = form.Own<TImageList>();
    EXPECT_EQ(images.AddMasked(strip, gdi::clFuchsia), 0);
    EXPECT_EQ(images.Count(), 2);
    TBitmap target;
    target.SetSize(20, 20);
    images.Draw(target.Canvas(), 0, 0, 1);
    EXPECT_EQ(target.Canvas().Pixel(0, 0), gdi::clWhite);
    EXPECT_EQ(target.Canvas().Pixel(6, 6), gdi::clGreen);
}

TEST_F(GalleryTest, ImageLoadsPngAndStretches) {
    QImage picture(4, 2, QImage::Format_RGB32);
    picture.fill(QColor(10, 20, 30));
    const std::string file = (TempFolder() / "pic.png").string();
    ASSERT_TRUE(picture.save(QString::fromStdString(file), "PNG"));
    form.SetBounds(20, 20, 200, 200);
    auto& image = Put<TImage>(form, {10, 10, 50, 30});
    image.Picture().LoadFromFile(file);
    EXPECT_EQ(image.Picture().Width(), 4);
    image.SetStretch(true);
    form.Show();
    Pump();
    const QImage shot = Snapshot(form.Handle());
    TPoint p = form.ScreenToClient(image.ClientToScreen({35, 15}));
    EXPECT_EQ(PixelAt(shot, p), gdi::RGB(10, 20, 30));
    EXPECT_THROW(image.Picture().LoadFromFile(file + ".missing"), core::Exception);
}

} // namespace
} // namespace platform::forms::test
