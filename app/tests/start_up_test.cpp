#include "app/app_images.h"
#include "app/form_comment.h"
#include "app/form_edit.h"
#include "app/form_editor_about.h"
#include "app/form_expansion.h"
#include "app/form_in_out.h"
#include "app/form_intro.h"
#include "app/form_library.h"
#include "app/form_morph.h"
#include "app/form_names.h"
#include "app/form_preview_setup.h"
#include "app/form_quintaron.h"
#include "app/form_random.h"
#include "app/form_search.h"
#include "app/form_transmet.h"
#include "app/form_update_names.h"
#include "app/program.h"
#include "app/tests/app_fixture.h"
#include "model/elements/library.h"
#include "model/files/data_folders.h"
#include "platform/core/exception.h"
#include "platform/core/folders.h"
#include "platform/core/ini_file.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/surface.h"
#include "platform/win/painting.h"
#include "toolkit/bars/model/dx_bar_unit.h"

#include <cstdint>
#include <fstream>

namespace app::test {

namespace {

namespace fs = std::filesystem;
namespace forms = platform::forms;

// The program as its entry starts it, with the user's folders (documents, application data,
// settings) in a home folder of the test's own that holds nothing yet. HOME itself stays: the
// font configuration lives there. Exceptions that reach the application are written down instead of
// shown.
class StartUpTest : public AppTest {
protected:
    StartUpTest() {
        forms::Application().OnException = [this](forms::TObject*, const std::exception_ptr& e) {
            try {
                std::rethrow_exception(e);
            } catch (const std::exception& error) {
                reported.push_back(error.what());
            }
        };
        firstComponent = forms::Application().ComponentCount();
    }
    ~StartUpTest() override {
        // The program makes its own folder the current one; the next test starts where this did.
        platform::core::SetCurrentDir(startFolder);
        forms::Application().OnMessage = nullptr;
        forms::Application().OnException = nullptr;
        forms::Application().SetMainForm(nullptr);
        // The program's forms go while the services and the bar unit they use still live.
        while (forms::Application().ComponentCount() > firstComponent)
            forms::Application().FreeComponent(
                *forms::Application().Components(forms::Application().ComponentCount() - 1));
        testsupport::PumpUntilIdle();
    }

    // The program block up to its message loop, which shows the main window first.
    TFormintro& StartProgram() {
        InitialiseUnits();
        TFormintro& intro = CreateProgramForms();
        MainWindow()->Show();
        return intro;
    }
    template <class T> std::vector<T*> ApplicationForms() const {
        std::vector<T*> found;
        for (int i = 0; i < forms::Application().ComponentCount(); ++i)
            if (auto* form = dynamic_cast<T*>(forms::Application().Components(i)))
                found.push_back(form);
        return found;
    }
    // The forms of type T, as forms.
    template <class T> std::vector<forms::TForm*> Forms() const {
        const std::vector<T*> found = ApplicationForms<T>();
        return {found.begin(), found.end()};
    }
    int IndexInApplication(const forms::TComponent* component) const {
        for (int i = 0; i < forms::Application().ComponentCount(); ++i)
            if (forms::Application().Components(i) == component) return i;
        return -1;
    }

    fs::path home = folder / "home";
    testsupport::EnvironmentOverride documentsVariable{"QUINTARON_DOCUMENTS_DIR",
                                                       (home / "Documents").string()};
    testsupport::EnvironmentOverride appDataVariable{"QUINTARON_APPDATA_DIR",
                                                     (home / ".local/share").string()};
    testsupport::EnvironmentOverride localAppDataVariable{"QUINTARON_LOCALAPPDATA_DIR",
                                                          (home / ".local/state").string()};
    toolkit::bars::TdxBarUnit barUnit;
    TProgramServices services{state};
    std::vector<std::string> reported;
    int firstComponent = 0;
    std::string startFolder = platform::core::GetCurrentDir();
};

TEST_F(StartUpTest, AnEmptyHomeReachesAnEnabledMainWindowWithItsDataFolders) {
    // Started from elsewhere, it works in its own folder.
    ASSERT_TRUE(platform::core::SetCurrentDir(folder.string()));
    StartProgram();
    Run(2000);
    testsupport::PumpUntilIdle();

    EXPECT_EQ(platform::core::GetCurrentDir(), model::ProgramDir());

    ASSERT_NE(MainWindow(), nullptr);
    EXPECT_TRUE(MainWindow()->Enabled());
    EXPECT_EQ(forms::Application().MainForm(), MainWindow());
    EXPECT_TRUE(fs::is_regular_file(home / "Documents" / "Quintaron" / "Names.Txt"));
    for (const fs::path& data :
         {home / "Documents" / "Ardevanti", home / ".local/share" / "Ardevanti",
          home / ".local/state" / "Ardevanti"})
        EXPECT_TRUE(fs::is_directory(data)) << data;
    EXPECT_TRUE(ApplicationForms<TFormintro>().empty());
    EXPECT_TRUE(reported.empty());
}

TEST_F(StartUpTest, CreatesTheDialogsInTheirOrderAndInstallsThePreviewHook) {
    StartProgram();
    Run(2000);

    // Each dialog once, hidden, reachable by the windows' commands, in the design's order.
    struct Made {
        const char* name;
        std::vector<forms::TForm*> made;
        // What the windows' commands reach; the ports dialog is found among the forms.
        const forms::TForm* reached;
        bool hasAccessor = true;
    };
    const Made dialogs[] = {
        {"about", Forms<TFormeditorAbout>(), FormeditorAbout()},
        {"expansion", Forms<TFormExpansion>(), FormExpansion()},
        {"names", Forms<TFormNames>(), FormNames()},
        {"name fetch", Forms<TFormUpdateNames>(), FormUpdateNames()},
        {"element edit", Forms<TFormEdit>(), FormEdit()},
        {"comment", Forms<TFormcomment>(), Formcomment()},
        {"transfer", Forms<TFormTransmet>(),
         dynamic_cast<const forms::TForm*>(services.Services().TransferWindow())},
        {"search", Forms<TFormSearch>(), FormSearch()},
        {"preview set-up", Forms<TFormPreviewSetup>(), FormPreviewSetup()},
        {"morph", Forms<TFormMorph>(), FormMorph()},
        {"MIDI ports", Forms<TFormInOut>(), nullptr, false},
    };
    int previous = -1;
    for (const Made& dialog : dialogs) {
        SCOPED_TRACE(dialog.name);
        ASSERT_EQ(dialog.made.size(), 1U);
        EXPECT_FALSE(dialog.made[0]->Visible());
        if (dialog.hasAccessor) {
            EXPECT_EQ(dialog.reached, dialog.made[0]);
        }
        const int index = IndexInApplication(dialog.made[0]);
        EXPECT_LT(previous, index);
        previous = index;
    }
    // The ports dialog opened the configured ports of the virtual back end.
    EXPECT_TRUE(state.Midi.Online());
    EXPECT_TRUE(static_cast<bool>(forms::Application().OnMessage));
}

TEST_F(StartUpTest, TheProgramBlockMakesTheRandomWindowThirdAndKeepsItHidden) {
    const TFormintro& intro = StartProgram();
    const auto random = ApplicationForms<TFormRandom>();
    ASSERT_EQ(random.size(), 1U);
    EXPECT_LT(IndexInApplication(MainWindow()), IndexInApplication(&intro));
    EXPECT_LT(IndexInApplication(&intro), IndexInApplication(random[0]));
    EXPECT_EQ(FormRandom(), random[0]);
    Run(2000);
    EXPECT_FALSE(random[0]->Visible());
    EXPECT_EQ(FormRandom(), random[0]);
}

TEST_F(StartUpTest, TheMainWindowIsDisabledUntilTheIntroHasStoodTwoSeconds) {
    TFormintro& intro = StartProgram();
    EXPECT_FALSE(MainWindow()->Enabled());
    EXPECT_TRUE(intro.Visible());
    EXPECT_FALSE(intro.ButtonC.Visible());
    EXPECT_FALSE(intro.Panel1.Visible());

    Run(1999);
    EXPECT_FALSE(MainWindow()->Enabled());
    ASSERT_EQ(ApplicationForms<TFormintro>().size(), 1U);
    EXPECT_TRUE(ApplicationForms<TFormTransmet>().empty());

    Run(1);
    EXPECT_TRUE(MainWindow()->Enabled());
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(ApplicationForms<TFormintro>().empty());
}

TEST_F(StartUpTest, LoadsTheSettingsAndRestoresTheDesktop) {
    fs::create_directories(home / "Documents");
    const std::string libraryFile = (home / "Documents" / "Kept.Lib").string();
    {
        model::TLibrary library;
        library.FileName = libraryFile;
        ASSERT_TRUE(library.SaveFile(false));
    }
    {
        platform::core::TIniFile ini(model::SettingsFileName);
        ini.WriteInteger("Midi", "DeviceID", 21);
        ini.WriteInteger("Desktop", "Num Library", 1);
        ini.WriteString("Desktop", "Library1", libraryFile);
    }
    StartProgram();
    Run(2000);

    EXPECT_EQ(state.Config.DeviceID, 21);
    ASSERT_EQ(MainWindow()->MDIChildCount(), 1);
    auto* window = dynamic_cast<TFormLibrary*>(MainWindow()->MDIChildren(0));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Library().FileName, libraryFile);
}

TEST_F(StartUpTest, AFailingStepIsReportedAndTheMainWindowIsStillEnabled) {
    TFormintro& intro = StartProgram();
    intro.StartUpDialogs.insert(intro.StartUpDialogs.begin(), [](forms::TComponent&) {
        throw platform::core::Exception("no room");
    });
    Run(2000);
    testsupport::PumpUntilIdle();

    EXPECT_EQ(reported, std::vector<std::string>{StartUpDialogsFailed});
    ASSERT_NE(MainWindow(), nullptr);
    EXPECT_TRUE(MainWindow()->Enabled());
    EXPECT_TRUE(static_cast<bool>(forms::Application().OnMessage));
    EXPECT_TRUE(ApplicationForms<TFormintro>().empty());
}

// A 2 x 1 picture, 24 bits a pixel: red, then blue.
void WriteSmallBmp(const fs::path& file) {
    const std::uint8_t bytes[] = {
        'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                       // file header
        40,  0,   0,  0, 2, 0, 0, 0, 1, 0, 0,  0, 1, 0, 24, 0, 0, 0, 0, 0, 8, // info header
        0,   0,   0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0, 0,
        255, 255, 0,  0, 0, 0 // red, blue, padding
    };
    static_assert(sizeof bytes == 62);
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

struct PictureCase {
    const char* name;
    void (*make)(const fs::path& file);
    int width; // 0: the intro stands blank
};

class IntroPictureTest : public AppTest, public ::testing::WithParamInterface<PictureCase> {};

TEST_P(IntroPictureTest, ShowsThePictureOrStandsBlank) {
    const fs::path picture = folder / IntroPictureName;
    if (GetParam().make != nullptr) GetParam().make(picture);
    auto& intro = MakeForm<TFormintro>(picture.string());

    EXPECT_EQ(intro.ImageIntro.Picture().Width(), GetParam().width);
    EXPECT_EQ(intro.LabelVer.Caption(), "Version 3.0");
    EXPECT_EQ(intro.Width(), 514);
    EXPECT_EQ(intro.Height(), 324);
}

INSTANTIATE_TEST_SUITE_P(Pictures, IntroPictureTest,
                         ::testing::Values(PictureCase{"Missing", nullptr, 0},
                                           PictureCase{"Unreadable",
                                                       [](const fs::path& file) {
                                                           std::ofstream(file) << "not a picture";
                                                       },
                                                       0},
                                           PictureCase{"Readable", WriteSmallBmp, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

// The version line stands on the picture's plain ground (no stroke of the wave, no key under
// it) and is written in a colour that stands out from that ground.
TEST_F(StartUpTest, TheVersionLineStandsReadablyOnThePicturesPlainGround) {
    forms::TBitmap picture;
    DrawIntroPicture(picture);
    const platform::gdi::Surface& pixels = *platform::gdi::BitmapSurface(picture.Handle());
    const fs::path file = folder / IntroPictureName;
    ASSERT_TRUE(pixels.SaveBmp(file.string()));
    auto& intro = MakeForm<TFormintro>(file.string());
    intro.Show();
    testsupport::PumpUntilIdle();

    const forms::TRect label = intro.LabelVer.BoundsRect();
    ASSERT_GT(label.Width(), 0);
    EXPECT_GE(label.Left, 0);
    EXPECT_LE(label.Right, IntroWidth);
    // The ground is one colour a row; the version line's rows hold nothing else where it stands.
    const auto at = [&pixels](int x, int y) {
        return platform::gdi::PixelToColor(pixels.Pixel(x, y)) & 0xFFFFFF;
    };
    for (int y = label.Top - 2; y < label.Bottom + 2; ++y)
        for (int x = label.Left - 2; x < label.Right + 2; ++x)
            ASSERT_EQ(at(x, y), at(2, y))
                << "the picture is drawn under the label at " << x << "," << y;
    const auto luminance = [](platform::gdi::COLORREF c) {
        return static_cast<int>(
            (299 * (c & 0xFF) + 587 * ((c >> 8) & 0xFF) + 114 * ((c >> 16) & 0xFF)) / 1000);
    };
    const platform::gdi::COLORREF ink = platform::gdi::ColorToRGB(intro.LabelVer.Font().Color());
    EXPECT_GT(std::abs(luminance(ink) - luminance(at(2, (label.Top + label.Bottom) / 2))), 128);

    // The window shows the line in its colour.
    const platform::gdi::HDC dc = platform::win::GetDC(intro.Handle());
    int inked = 0;
    for (int y = label.Top; y < label.Bottom; ++y)
        for (int x = label.Left; x < label.Right; ++x)
            inked += (platform::gdi::GetPixel(dc, x, y) & 0xFFFFFF) == ink;
    platform::win::ReleaseDC(intro.Handle(), dc);
    EXPECT_GT(inked, 20);
    testsupport::SaveWindowPng(intro.Handle(), (folder / "intro.png").string());
}

} // namespace

} // namespace app::test
