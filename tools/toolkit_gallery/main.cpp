// toolkit-gallery OUTPUT_FOLDER: draws every operation of the toolkit's look-and-feel painters in
// every state, once per painter and colour scheme, into OUTPUT_FOLDER/<painter>-<scheme>.png.
// The painters are the base painter, whatever painter the look-and-feel's lookup gives for each
// of its four kinds, and the native painter; then every registered bar painter
// (bar_painters.h). Headless: QT_QPA_PLATFORM is offscreen unless set.

#include "tools/toolkit_gallery/bar_painters.h"

#include "toolkit/base/cx_lf_painter.h"
#include "toolkit/base/cx_look_and_feel_painters.h"
#include "toolkit/base/look_and_feel_painter_lookup.h"
#include "toolkit/base/office11.h"

#include "platform/gdi/canvas.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/visual_styles.h"

#include "platform/win/desktop.h"

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace {

namespace pg = platform::gdi;
using namespace toolkit::base;
using TPainter = const TcxCustomLookAndFeelPainter&;
using TCell = std::function<void(TPainter P, TcxCanvas& C, const TRect& R)>;

struct TRow {
    std::string Name;
    std::vector<TCell> Cells;
    int CellWidth = 64;
    int Height = 30;
};

constexpr int LabelWidth = 190;
constexpr int Margin = 4;

std::vector<TcxButtonState> AllStates() {
    return {cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled};
}

// Each state's cell of one operation.
std::vector<TCell>
PerState(std::function<void(TPainter, TcxCanvas&, const TRect&, TcxButtonState)> F) {
    std::vector<TCell> Cells;
    for (TcxButtonState S : AllStates())
        Cells.push_back([F, S](TPainter P, TcxCanvas& C, const TRect& R) { F(P, C, R, S); });
    return Cells;
}

TRect Square(const TRect& R, int Size) {
    const int L = R.Left + (R.Width() - Size) / 2, T = R.Top + (R.Height() - Size) / 2;
    return {L, T, L + Size, T + Size};
}

const pg::TFont& Font() {
    static const pg::TFont F;
    return F;
}

std::vector<TRow> Rows() {
    using platform::forms::taCenter;
    using platform::forms::taLeftJustify;
    std::vector<TRow> Rows;
    Rows.push_back({"DrawArrow (up down left right)", {}});
    for (int D = adUp; D <= adRight; ++D)
        Rows.back().Cells.push_back([D](TPainter P, TcxCanvas& C, const TRect& R) {
            P.DrawArrow(C, Square(R, 16), pg::clBtnText, static_cast<TcxArrowDirection>(D));
        });
    Rows.push_back({"DrawTriangleMark", {[](TPainter P, TcxCanvas& C, const TRect& R) {
                        P.DrawTriangleMark(C, Square(R, 16), pg::clBtnText);
                    }}});
    for (int D = adUp; D <= adRight; ++D) {
        const auto Dir = static_cast<TcxArrowDirection>(D);
        Rows.push_back({"DrawButtonArrow " + std::to_string(D) + " (states)",
                        PerState([Dir](TPainter P, TcxCanvas& C, const TRect& R, TcxButtonState S) {
                            P.DrawButtonArrow(C, Square(R, 17), true, Dir, S);
                        })});
        Rows.push_back({"DrawScrollBarArrow " + std::to_string(D),
                        PerState([Dir](TPainter P, TcxCanvas& C, const TRect& R, TcxButtonState S) {
                            P.DrawScrollBarArrow(C, Square(R, 17), S, Dir);
                        })});
    }
    Rows.push_back({"DrawButton (states)",
                    PerState([](TPainter P, TcxCanvas& C, const TRect& R, TcxButtonState S) {
                        P.DrawButton(C, R, "&Button", S);
                    })});
    Rows.push_back(
        {"DrawArrowBorder", PerState([](TPainter P, TcxCanvas& C, const TRect& R,
                                        TcxButtonState S) { P.DrawArrowBorder(C, R, S); })});
    Rows.push_back(
        {"DrawButtonBorder", PerState([](TPainter P, TcxCanvas& C, const TRect& R,
                                         TcxButtonState S) { P.DrawButtonBorder(C, R, S); })});
    Rows.push_back(
        {"DrawToolButton", PerState([](TPainter P, TcxCanvas& C, const TRect& R, TcxButtonState S) {
             P.DrawToolButton(C, R, S);
         })});
    Rows.push_back({"DrawButtonInGroup (3)",
                    PerState([](TPainter P, TcxCanvas& C, const TRect& R, TcxButtonState S) {
                        P.DrawButtonInGroup(C, R, 1, 3, S, pg::clBtnShadow);
                    })});
    for (int Checked = 0; Checked <= 2; ++Checked)
        Rows.push_back(
            {"DrawCheckButtonState " + std::to_string(Checked),
             PerState([Checked](TPainter P, TcxCanvas& C, const TRect& R, TcxButtonState S) {
                 const TSize Size = P.CheckButtonSize();
                 P.DrawCheckButtonState(C, Square(R, std::max(Size.cx, 13)), S,
                                        static_cast<TcxCheckBoxState>(Checked));
             })});
    for (int Flags = 0; Flags < 4; ++Flags)
        Rows.push_back(
            {std::string("DrawRadioButton") + ((Flags & 1) ? " checked" : "") +
                 ((Flags & 2) ? " focused" : ""),
             PerState([Flags](TPainter P, TcxCanvas& C, const TRect& R, TcxButtonState S) {
                 const TSize Size = P.RadioButtonSize();
                 P.DrawRadioButton(C, R.Left + (R.Width() - Size.cx) / 2,
                                   R.Top + (R.Height() - Size.cy) / 2, S, Flags & 1, Flags & 2,
                                   pg::clDefault);
             })});
    Rows.push_back({"DrawExpandButton / Small",
                    {[](TPainter P, TcxCanvas& C, const TRect& R) {
                         P.DrawExpandButton(C, Square(R, 11), true);
                     },
                     [](TPainter P, TcxCanvas& C, const TRect& R) {
                         P.DrawExpandButton(C, Square(R, 11), false);
                     },
                     [](TPainter P, TcxCanvas& C, const TRect& R) {
                         P.DrawSmallExpandButton(C, Square(R, 9), true, pg::clBtnShadow);
                     },
                     [](TPainter P, TcxCanvas& C, const TRect& R) {
                         P.DrawSmallExpandButton(C, Square(R, 9), false, pg::clBtnShadow);
                     }}});
    Rows.push_back({"DrawGroupExpandButton",
                    PerState([](TPainter P, TcxCanvas& C, const TRect& R, TcxButtonState S) {
                        P.DrawGroupExpandButton(C, Square(R, 19), S != cxbsPressed, S);
                    })});
    Rows.push_back(
        {"DrawHeader", PerState([](TPainter P, TcxCanvas& C, const TRect& R, TcxButtonState S) {
             P.DrawHeader(C, R, P.HeaderContentBounds(R, cxBordersAll), 0, cxBordersAll, S,
                          taLeftJustify, vaCenter, false, true, "Header", Font(), pg::clBtnText,
                          pg::clBtnFace, nullptr);
         })});
    Rows.push_back({"DrawHeaderControlSection",
                    PerState([](TPainter P, TcxCanvas& C, const TRect& R, TcxButtonState S) {
                        P.DrawHeaderControlSection(C, R, P.HeaderControlSectionTextAreaBounds(R, S),
                                                   S, taCenter, vaCenter, false, true, "Section",
                                                   Font(), pg::clBtnText, pg::clBtnFace, nullptr);
                    })});
    Rows.push_back({"DrawSortingMark / HeaderPressed",
                    {[](TPainter P, TcxCanvas& C, const TRect& R) {
                         P.DrawSortingMark(C, Square(R, 12), true);
                     },
                     [](TPainter P, TcxCanvas& C, const TRect& R) {
                         P.DrawSortingMark(C, Square(R, 12), false);
                     },
                     [](TPainter P, TcxCanvas& C, const TRect& R) {
                         P.DrawHeader(C, R, R, 0, cxBordersAll, cxbsNormal, taLeftJustify, vaCenter,
                                      false, false, "", Font(), pg::clBtnText, pg::clBtnFace,
                                      nullptr);
                         P.DrawHeaderPressed(C, R);
                     }}});
    Rows.push_back({"Band cell / border / content / separator",
                    {[](TPainter P, TcxCanvas& C, const TRect& R) {
                         P.DrawBandCell(C, R, taLeftJustify, vaCenter, false, "Band", Font(),
                                        pg::clBtnText, pg::clWindow, nullptr);
                     },
                     [](TPainter P, TcxCanvas& C, const TRect& R) { P.DrawBandBorder(C, R); },
                     [](TPainter P, TcxCanvas& C, const TRect& R) {
                         P.DrawBandContent(C, R, {HBITMAP{}, pg::clInfoBk});
                     },
                     [](TPainter P, TcxCanvas& C, const TRect& R) {
                         P.DrawBandSeparator(C, {R.Left, R.Top + 12, R.Right, R.Top + 14});
                     },
                     [](TPainter P, TcxCanvas& C, const TRect& R) { P.DrawBandCellBorder(C, R); }},
                    90});
    for (int Checked = 0; Checked <= 1; ++Checked)
        Rows.push_back(
            {"DrawPanelCheckButton " + std::to_string(Checked),
             PerState([Checked](TPainter P, TcxCanvas& C, const TRect& R, TcxButtonState S) {
                 P.DrawPanelCheckButton(C, Square(R, 16), S, Checked);
             })});
    Rows.push_back({"DrawPanelCloseButton",
                    PerState([](TPainter P, TcxCanvas& C, const TRect& R, TcxButtonState S) {
                        P.DrawPanelCloseButton(C, Square(R, 16), S);
                    })});
    Rows.push_back({"DrawPanelDropDownButton",
                    PerState([](TPainter P, TcxCanvas& C, const TRect& R, TcxButtonState S) {
                        P.DrawPanelDropDownButton(C, Square(R, 17), S, true);
                    })});
    Rows.push_back({"DrawTab (horizontal)",
                    PerState([](TPainter P, TcxCanvas& C, const TRect& R, TcxButtonState S) {
                        P.DrawTab(C, R, cxBordersAll, "Tab", S, false, Font(), pg::clBtnText,
                                  pg::clBtnFace);
                    })});
    Rows.push_back({"DrawTab (vertical)",
                    PerState([](TPainter P, TcxCanvas& C, const TRect& R, TcxButtonState S) {
                        P.DrawTab(C, {R.Left + 20, R.Top, R.Right - 20, R.Bottom}, cxBordersAll,
                                  "V", S, true, Font(), pg::clBtnText, pg::clBtnFace);
                    }),
                    64, 44});
    Rows.push_back({"DrawTabBorder / TabButton",
                    PerState([](TPainter P, TcxCanvas& C, const TRect& R, TcxButtonState S) {
                        P.DrawTabBorder(C, {R.Left, R.Top, R.Left + R.Width() / 2, R.Bottom}, 0,
                                        cxBordersAll, S);
                        P.DrawTabButton(C, {R.Left + R.Width() / 2, R.Top, R.Right, R.Bottom},
                                        {R.Right - 6, R.Top, R.Right, R.Bottom}, 0, S);
                    })});
    Rows.push_back(
        {"DrawTabsBody / FillTabsArea",
         {[](TPainter P, TcxCanvas& C, const TRect& R) { P.DrawTabsBody(C, R, 0, cxBordersAll); },
          [](TPainter P, TcxCanvas& C, const TRect& R) { P.FillTabsArea(C, R); }}});
    {
        TRow Row{"DrawIndicatorCell (kinds 0-6)", {}, 30};
        for (int Kind = 0; Kind <= 6; ++Kind)
            Row.Cells.push_back([Kind](TPainter P, TcxCanvas& C, const TRect& R) {
                P.DrawIndicatorCell(C, R, 0, Kind, pg::clBtnFace, nullptr);
            });
        Rows.push_back(Row);
    }
    Rows.push_back({"DrawIndicatorMarkCell (1-3)", {}, 30});
    for (int Mark = 1; Mark <= 3; ++Mark)
        Rows.back().Cells.push_back([Mark](TPainter P, TcxCanvas& C, const TRect& R) {
            P.DrawIndicatorMarkCell(C, R, 0, pg::clBtnFace, nullptr, false, Mark);
        });
    for (int Horizontal = 0; Horizontal <= 1; ++Horizontal)
        for (int Part = sbpLineUp; Part <= sbpPageDown; ++Part)
            Rows.push_back({std::string("DrawScrollBarPart ") + (Horizontal ? "horz " : "vert ") +
                                std::to_string(Part),
                            PerState([Horizontal, Part](TPainter P, TcxCanvas& C, const TRect& R,
                                                        TcxButtonState S) {
                                const TRect Bar =
                                    Horizontal ? TRect{R.Left, R.Top + 4, R.Right, R.Top + 21}
                                               : TRect{R.Left + 22, R.Top, R.Left + 39, R.Bottom};
                                P.DrawScrollBarPart(C, Horizontal, Bar,
                                                    static_cast<TcxScrollBarPart>(Part), S);
                            }),
                            64, 40});
    Rows.push_back(
        {"Size grip / progress / clock / border",
         {[](TPainter P, TcxCanvas& C, const TRect& R) { P.DrawSizeGrip(C, Square(R, 17)); },
          [](TPainter P, TcxCanvas& C, const TRect& R) {
              P.DrawProgressChunk(C, R, true, {HBITMAP{}, pg::clWindow},
                                  {R.Left + 2, R.Top + 2, R.Left + 30, R.Bottom - 2});
          },
          [](TPainter P, TcxCanvas& C, const TRect& R) {
              P.DrawClock(C, Square(R, 40), 10.5 / 24 + 1.0 / 24 / 6, pg::clWindow);
          },
          [](TPainter P, TcxCanvas& C, const TRect& R) { P.DrawBorder(C, R); },
          [](TPainter P, TcxCanvas& C, const TRect& R) {
              P.DrawPopupBorder(C, R, true, pg::clWindow);
          },
          [](TPainter P, TcxCanvas& C, const TRect& R) { P.DrawCaptionFrame(C, R); },
          [](TPainter P, TcxCanvas& C, const TRect& R) {
              P.DrawSlantedEdge(C, Square(R, 20), 0, pg::clBtnShadow);
          }},
         64,
         44});
    return Rows;
}

void DrawSheet(TPainter P, const std::string& Title, const std::string& Path) {
    const std::vector<TRow> All = Rows();
    int Width = LabelWidth, Height = 24;
    for (const TRow& Row : All) {
        Width = std::max(Width, LabelWidth + static_cast<int>(Row.Cells.size()) * Row.CellWidth);
        Height += Row.Height;
    }
    Width += Margin;
    const pg::HBITMAP Bitmap = pg::CreateBitmap(Width, Height, 1, 32, nullptr);
    const pg::HDC DC = pg::CreateCompatibleDC(pg::NullDC);
    const pg::HGDIOBJ Old = pg::SelectObject(DC, Bitmap);
    {
        pg::TCanvas Canvas;
        Canvas.SetHandle(DC);
        TcxCanvas C(&Canvas);
        C.FillRect({0, 0, Width, Height}, pg::clBtnFace);
        C.Font().SetColor(pg::clBtnText);
        C.DrawText(Title, {Margin, 2, Width, 22}, cxAlignLeft | cxAlignVCenter | cxSingleLine);
        int Top = 24;
        for (const TRow& Row : All) {
            C.Font().SetColor(pg::clBtnText);
            C.Brush().SetStyle(pg::TBrushStyle::bsClear);
            C.DrawText(Row.Name, {Margin, Top, LabelWidth - Margin, Top + Row.Height},
                       cxAlignLeft | cxAlignVCenter | cxSingleLine);
            int Left = LabelWidth;
            for (const TCell& Cell : Row.Cells) {
                const TRect R{Left + 2, Top + 2, Left + Row.CellWidth - 2, Top + Row.Height - 2};
                C.SaveState();
                C.IntersectClipRect(R);
                C.Brush().SetStyle(pg::TBrushStyle::bsSolid);
                Cell(P, C, R);
                C.RestoreState();
                Left += Row.CellWidth;
            }
            Top += Row.Height;
        }
        Canvas.SetHandle(pg::NullDC);
    }
    // Our drawing leaves the alpha byte alone; the picture is opaque.
    pg::Surface& Pixels = *pg::BitmapSurface(Bitmap);
    for (int Y = 0; Y < Height; ++Y)
        for (int X = 0; X < Width; ++X)
            Pixels.SetPixel(X, Y, Pixels.Pixel(X, Y) | 0xFF000000u);
    if (!Pixels.SavePng(Path)) std::cerr << "cannot write " << Path << '\n';
    pg::SelectObject(DC, Old);
    pg::DeleteDC(DC);
    pg::DeleteObject(Bitmap);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 || argv[1][0] == '-') {
        std::cerr << "usage: toolkit-gallery OUTPUT_FOLDER\n"
                     "Draws every painter operation in every state and colour scheme into\n"
                     "PNG files in OUTPUT_FOLDER, one sheet per painter and scheme.\n";
        return 2;
    }
    platform::win::TDesktop Desktop(argc, argv, /*headless=*/true); // the installed fonts
    const std::filesystem::path Folder = argv[1];
    std::filesystem::create_directories(Folder);

    TcxLookAndFeelPaintersUnit Unit;
    const TcxLookAndFeelPainterLookup& Lookup = cxLookAndFeelPainterLookup();
    struct Entry {
        std::string Name;
        TcxLookAndFeelPainterClass Painter;
    };
    std::vector<Entry> Painters{{"base", &TcxCustomLookAndFeelPainter::Instance()}};
    const char* const KindNames[] = {"flat", "standard", "ultraflat", "office11"};
    for (int Kind = lfFlat; Kind <= lfOffice11; ++Kind)
        if (TcxLookAndFeelPainterClass P =
                Lookup.PainterByKind(static_cast<TcxLookAndFeelKind>(Kind)))
            Painters.push_back({KindNames[Kind], P});
    if (Lookup.NativePainter) Painters.push_back({"native", Lookup.NativePainter()});

    const struct {
        const char* Name;
        pg::VisualStyleScheme Scheme;
    } Schemes[] = {{"classic", pg::VisualStyleScheme::None},
                   {"blue", pg::VisualStyleScheme::Blue},
                   {"olive", pg::VisualStyleScheme::Olive},
                   {"silver", pg::VisualStyleScheme::Silver}};
    int Written = 0;
    for (const auto& Scheme : Schemes) {
        pg::SetVisualStyleScheme(Scheme.Scheme);
        dxOffice11RefreshColors();
        for (const Entry& E : Painters) {
            const std::string Name = E.Name + "-" + Scheme.Name;
            DrawSheet(*E.Painter, Name + " (states: default normal hot pressed disabled)",
                      (Folder / (Name + ".png")).string());
            ++Written;
        }
        Written += toolkit_gallery::DrawBarPainterSheets(Folder, Scheme.Name);
    }
    std::cout << Written << " sheets in " << Folder.string() << '\n';
    return 0;
}
