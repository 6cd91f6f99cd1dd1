#include "toolkit/edit/desktop_composition.h"

#include "toolkit/base/ux_theme.h"

#include "platform/gdi/drawing.h"
#include "platform/gdi/objects.h"
#include "platform/win/messages.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "testsupport/qt_test_environment.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace toolkit::edit {
namespace {

namespace pg = platform::gdi;
namespace pw = platform::win;
using platform::core::LPARAM;
using platform::core::UINT;
using platform::core::WPARAM;

[[maybe_unused]] const auto* QtEnvironment =
    testsupport::AddQtTestEnvironment<QApplication>("toolkit_edit_tests");

// A library stand-in that records what the binding asks of it.
struct FakeDwmLibrary {
    DWORD Major = 6;
    bool Present = true;
    bool MissingComposition = false;
    static inline BOOL CompositionAnswer = 0;
    static inline int CompositionCalls = 0;
    std::vector<std::string> Calls;

    static HRESULT IsCompositionEnabled(BOOL* Enabled) {
        ++CompositionCalls;
        *Enabled = CompositionAnswer;
        return pg::S_OK;
    }

    TdxDwmLibraryCalls Bind() {
        return {[this] { return Major; },
                [this](std::string_view Name) {
                    Calls.push_back("load " + std::string(Name));
                    return Present ? HMODULE{7} : pg::NullModule;
                },
                [this](HMODULE, std::string_view Name) -> void* {
                    Calls.push_back(std::string(Name));
                    if (Name == "DwmIsCompositionEnabled" && !MissingComposition)
                        return reinterpret_cast<void*>(&IsCompositionEnabled);
                    return nullptr;
                },
                [this](HMODULE Module) {
                    Calls.push_back("free " + std::to_string(static_cast<int>(Module)));
                    return BOOL{1};
                }};
    }
};

TEST(DesktopComposition, ThePlatformLacksTheLibrarySoCompositionIsOff) {
    EXPECT_FALSE(IsDwmLoaded());
    InitDesktopWindowManagerBinding();
    InitDesktopWindowManagerBinding();
    EXPECT_FALSE(IsDwmLoaded());
    EXPECT_FALSE(IsCompositionEnabled());
    FreeDesktopWindowManagerBinding();
    FreeDesktopWindowManagerBinding();
    EXPECT_FALSE(IsCompositionEnabled());

    const TdxDesktopWindowManagerBinding Binding(dxPlatformDwmLibraryCalls());
    const TdxDwmEntryPoints& Cells = Binding.EntryPoints();
    EXPECT_FALSE(Binding.Loaded());
    EXPECT_EQ(Cells.DwmIsCompositionEnabled, nullptr);
    EXPECT_EQ(Cells.DwmDefWindowProc, nullptr);
}

TEST(DesktopComposition, BindsByVersionAndLibrary) {
    struct Case {
        const char* Name;
        DWORD Major;
        bool Present;
        bool MissingComposition;
        BOOL Answer;
        bool Loaded;
        bool Enabled;
        int CompositionCalls;
    };
    const Case Cases[] = {
        {"before version 6", 5, true, false, 1, false, false, 0},
        {"library missing", 6, false, false, 1, false, false, 0},
        {"composition off", 6, true, false, 0, true, false, 1},
        {"composition on", 10, true, false, 1, true, true, 1},
        {"entry point missing", 6, true, true, 1, true, false, 0},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        FakeDwmLibrary Library;
        Library.Major = C.Major;
        Library.Present = C.Present;
        Library.MissingComposition = C.MissingComposition;
        FakeDwmLibrary::CompositionAnswer = C.Answer;
        FakeDwmLibrary::CompositionCalls = 0;
        {
            const TdxDesktopWindowManagerBinding Binding(Library.Bind());
            EXPECT_EQ(Binding.Loaded(), C.Loaded);
            EXPECT_EQ(Binding.CompositionEnabled(), C.Enabled);
            EXPECT_EQ(FakeDwmLibrary::CompositionCalls, C.CompositionCalls);
        }
        std::vector<std::string> Expected;
        if (C.Major >= 6) Expected.push_back("load dwmapi.dll");
        if (C.Present && C.Major >= 6) {
            for (const char* Name :
                 {"DwmDefWindowProc", "DwmEnableBlurBehindWindow", "DwmEnableComposition",
                  "DwmEnableMMCSS", "DwmExtendFrameIntoClientArea", "DwmGetColorizationColor",
                  "DwmGetWindowAttribute", "DwmIsCompositionEnabled", "DwmSetWindowAttribute"})
                Expected.push_back(Name);
            Expected.push_back("free 7");
        }
        EXPECT_EQ(Library.Calls, Expected);
    }
}

TEST(DesktopComposition, VisualStylesMustBeUsedOnlyWhereAThemeClassOpens) {
    // No theme class opens on this platform, whether native painting is asked for or not.
    for (bool Native : {false, true})
        for (auto Kind : {base::tcButton, base::tcEdit, base::tcWindow})
            EXPECT_FALSE(AreVisualStylesMustBeUsed(Native, Kind)) << Native << " " << Kind;
}

struct Sent {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    bool operator==(const Sent&) const = default;
};

// A window that records erase and print messages and paints its client area in PrintColor.
class BufferedPaintTest : public ::testing::Test {
protected:
    static constexpr pg::COLORREF PrintColor = 0x0000FF;

    void SetUp() override {
        pw::WNDCLASS Class;
        Class.lpszClassName = "BufferedPaintWindow";
        Class.lpfnWndProc = [this](HWND Wnd, UINT Msg, WPARAM W, LPARAM L) -> LPARAM {
            if (Msg == pw::WM_PAINT && PaintInHandler) {
                PaintWindowBuffered(Wnd);
                return 0;
            }
            if (Msg == pw::WM_ERASEBKGND || Msg == pw::WM_PRINTCLIENT) {
                Messages.push_back({Msg, W, L});
                if (Msg == pw::WM_PRINTCLIENT) {
                    const pg::HBRUSH Brush = pg::CreateSolidBrush(PrintColor);
                    const TRect Client{0, 0, 40, 30};
                    pg::FillRect(static_cast<HDC>(W), &Client, Brush);
                    pg::DeleteObject(Brush);
                }
                return 1;
            }
            return pw::DefWindowProc(Wnd, Msg, W, L);
        };
        ASSERT_TRUE(pw::RegisterClass(Class));
        Wnd = pw::CreateWindowEx(0, "BufferedPaintWindow", "", pw::WS_POPUP | pw::WS_VISIBLE, 10,
                                 10, 40, 30, platform::core::NullHWnd);
        ASSERT_NE(Wnd, platform::core::NullHWnd);
    }
    void TearDown() override {
        base::dxUxThemeEntryPoints() = Saved;
        pw::DestroyWindow(Wnd);
        pw::UnregisterClass("BufferedPaintWindow");
    }

    pg::COLORREF PixelAt(int X, int Y) {
        const HDC DC = pw::GetDC(Wnd);
        const pg::COLORREF Color = pg::GetPixel(DC, X, Y);
        pw::ReleaseDC(Wnd, DC);
        return Color;
    }

    base::TdxUxThemeEntryPoints Saved = base::dxUxThemeEntryPoints();
    HWND Wnd{};
    bool PaintInHandler = false;
    std::vector<Sent> Messages;
};

TEST_F(BufferedPaintTest, WithoutBufferTheWindowPaintsStraightIntoTheTarget) {
    const HDC DC = pw::GetDC(Wnd);
    PaintBuffered(DC, TRect{0, 0, 40, 30}, Wnd);
    const auto D = static_cast<WPARAM>(DC);
    EXPECT_EQ(Messages, (std::vector<Sent>{{pw::WM_ERASEBKGND, D, static_cast<LPARAM>(D)},
                                           {pw::WM_PRINTCLIENT, D, pw::PRF_CLIENT}}));
    pw::ReleaseDC(Wnd, DC);
    EXPECT_EQ(PixelAt(20, 15), PrintColor);
}

TEST_F(BufferedPaintTest, PaintWindowBufferedPaintsAndValidatesTheWindow) {
    PaintInHandler = true;
    pw::InvalidateRect(Wnd, nullptr, 1);
    pw::UpdateWindow(Wnd);
    // BeginPaint erases first; then the buffered erase and print.
    ASSERT_GE(Messages.size(), 2u);
    EXPECT_EQ(Messages.back().Msg, pw::WM_PRINTCLIENT);
    EXPECT_EQ(Messages[Messages.size() - 2].Msg, pw::WM_ERASEBKGND);
    TRect Update;
    EXPECT_FALSE(pw::GetUpdateRect(Wnd, &Update, 0));
    EXPECT_EQ(PixelAt(5, 5), PrintColor);
}

TEST_F(BufferedPaintTest, RepaintAndInnerControlPaintTheClientArea) {
    RepaintWindowBuffered(Wnd);
    ASSERT_EQ(Messages.size(), 2u);
    EXPECT_EQ(Messages[0].Msg, pw::WM_ERASEBKGND);
    EXPECT_EQ(PixelAt(39, 29), PrintColor);

    Messages.clear();
    PaintInnerControlBuffered(Wnd);
    ASSERT_EQ(Messages.size(), 1u); // no erase for an inner control
    EXPECT_EQ(Messages[0].Msg, pw::WM_PRINTCLIENT);
    EXPECT_EQ(Messages[0].LParam, pw::PRF_CLIENT);
}

// The buffered path, with the visual-style library's buffered-paint entry points standing in.
struct FakeBuffer {
    static inline std::vector<std::string> Calls;
    static inline HDC Memory{77};
    static inline base::TBPBufferFormat Format{};
    static inline TRect Rect;
    static inline std::uint8_t Alpha = 0;
    static inline BOOL Update = 0;

    static base::HPAINTBUFFER Begin(HDC, const TRect* R, base::TBPBufferFormat F,
                                    const base::TBPPaintParams*, HDC* DC) {
        Calls.push_back("begin");
        Format = F;
        Rect = *R;
        *DC = Memory;
        return base::HPAINTBUFFER{5};
    }
    static HRESULT SetAlpha(base::HPAINTBUFFER, const TRect* R, std::uint8_t A) {
        Calls.push_back("alpha");
        EXPECT_EQ(*R, Rect);
        Alpha = A;
        return pg::S_OK;
    }
    static HRESULT End(base::HPAINTBUFFER, BOOL U) {
        Calls.push_back("end");
        Update = U;
        return pg::S_OK;
    }
};

TEST_F(BufferedPaintTest, WithBufferTheWindowPaintsIntoAnOpaqueTopDownBuffer) {
    auto& Cells = base::dxUxThemeEntryPoints();
    Cells.BeginBufferedPaint = &FakeBuffer::Begin;
    Cells.BufferedPaintSetAlpha = &FakeBuffer::SetAlpha;
    Cells.EndBufferedPaint = &FakeBuffer::End;
    FakeBuffer::Calls.clear();

    const HDC DC = pw::GetDC(Wnd);
    PaintBuffered(DC, TRect{2, 3, 20, 25}, Wnd);
    pw::ReleaseDC(Wnd, DC);

    const auto M = static_cast<WPARAM>(FakeBuffer::Memory);
    EXPECT_EQ(Messages, (std::vector<Sent>{{pw::WM_ERASEBKGND, M, static_cast<LPARAM>(M)},
                                           {pw::WM_PRINTCLIENT, M, pw::PRF_CLIENT}}));
    EXPECT_EQ(FakeBuffer::Calls, (std::vector<std::string>{"begin", "alpha", "end"}));
    EXPECT_EQ(FakeBuffer::Format, base::BPBF_TOPDOWNDIB);
    EXPECT_EQ(FakeBuffer::Rect, (TRect{2, 3, 20, 25}));
    EXPECT_EQ(FakeBuffer::Alpha, 255);
    EXPECT_EQ(FakeBuffer::Update, 1);
}

} // namespace
} // namespace toolkit::edit
