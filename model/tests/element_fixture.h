#pragma once
// A test's world for elements and their files: a manual clock and a fixed "now", a temporary
// folder of its own that is also the documents folder, scripted dialogs, and a fake user
// interface that counts menu updates and creates fake editor windows.

#include "model/editing/editor_view.h"
#include "model/elements/lib_elem.h"
#include "model/program/dialog_services.h"
#include "model/program/quintaron.h"
#include "model/sysex/sysex.h"
#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "testsupport/model/fake_ui_services.h"
#include "testsupport/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace model::element_fixtures {

using Bytes = std::vector<std::uint8_t>;

// Each dialog and message box the code under test shows is checked against the next expected
// one, and answered as scripted.
class ScriptedDialogs : public TDialogs {
public:
    struct Step {
        enum Kind { Open, Save, Message } kind;
        std::string text;    // dialog title or message text
        std::string answer;  // file chosen; empty: cancel
        TModalResult result; // message answer
    };

    void ExpectOpen(std::string title, std::string path) {
        steps.push_back({Step::Open, std::move(title), std::move(path), mrNone});
    }
    void ExpectSave(std::string title, std::string path) {
        steps.push_back({Step::Save, std::move(title), std::move(path), mrNone});
    }
    void ExpectMessage(std::string text, TModalResult answer = mrOk) {
        steps.push_back({Step::Message, std::move(text), {}, answer});
    }

    bool OpenDialog(TFileDialogRequest& request) override { return File(Step::Open, request); }
    bool SaveDialog(TFileDialogRequest& request) override { return File(Step::Save, request); }
    TModalResult MessageDlg(const std::string& text, TMsgDlgType, TMsgDlgButtons) override {
        if (steps.empty() || steps.front().kind != Step::Message) {
            ADD_FAILURE() << "unexpected message box: " << text;
            return mrNone;
        }
        Step step = steps.front();
        steps.pop_front();
        EXPECT_EQ(step.text, text);
        return step.result;
    }

    std::deque<Step> steps;
    std::vector<TFileDialogRequest> requests;

private:
    bool File(Step::Kind kind, TFileDialogRequest& request) {
        requests.push_back(request);
        if (steps.empty() || steps.front().kind != kind) {
            ADD_FAILURE() << "unexpected file dialog: " << request.Title;
            return false;
        }
        Step step = steps.front();
        steps.pop_front();
        EXPECT_EQ(step.text, request.Title);
        if (step.answer.empty()) return false;
        request.FileName = step.answer;
        return true;
    }
};

class FakeView : public TEditorView {
public:
    void UpDateView() override { ++updates; }
    void ClearUndo() override { ++undoClears; }
    std::int16_t Left() const override { return left; }
    std::int16_t Top() const override { return top; }
    void CloseByOwner() override { ++*closes; }
    void BringToFront() override { ++fronts; }
    std::int16_t Width() const override { return width; }
    std::int16_t Height() const override { return height; }

    int updates = 0;
    int undoClears = 0;
    int fronts = 0;
    std::shared_ptr<int> closes = std::make_shared<int>(0);
    std::int16_t left = 0, top = 0, width = -1, height = -1;
};

// A fixed moment: 2024-05-06 07:08:09.
inline platform::core::TDateTime FixedNow() {
    return platform::core::EncodeDate(2024, 5, 6) + platform::core::EncodeTime(7, 8, 9, 0);
}

class ElementFixture : public ::testing::Test {
protected:
    void SetUp() override {
        folder.emplace("elements_");
        ASSERT_FALSE(folder->Path().empty());
        dir = folder->Path();
        documents.emplace("QUINTARON_DOCUMENTS_DIR", dir);
        ui.createEditor = [this](TLibElem&) -> TEditorView* {
            if (failCreate) return nullptr;
            views.push_back(std::make_unique<FakeView>());
            return views.back().get();
        };
        SetDialogs(&dialogs);
    }
    void TearDown() override {
        EXPECT_TRUE(dialogs.steps.empty()) << "dialogs expected but not shown";
        SetDialogs(nullptr);
        documents.reset();
        folder.reset();
    }

    std::string Path(const std::string& name) const { return dir + "/" + name; }
    static void WriteFile(const std::string& path, const Bytes& bytes) {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    static Bytes ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }

    platform::core::ManualClock clock;
    platform::core::ClockOverride clockOverride{clock};
    platform::core::NowOverride now{FixedNow()};
    TQuintaron state;
    testsupport::FakeUiServices ui;
    // The editor windows the model had made; none is made while failCreate.
    std::vector<std::unique_ptr<FakeView>> views;
    bool failCreate = false;
    ScriptedDialogs dialogs;
    std::optional<testsupport::TempFolder> folder;
    std::string dir;
    std::optional<testsupport::EnvironmentOverride> documents;
};

// One data-set message of this instrument (device id 17) at address with data.
inline Bytes DataSet(std::uint32_t address, const Bytes& data) {
    Bytes message{0xF0, 0x41, 0x10, 0x6A, 0x12};
    for (int shift = 24; shift >= 0; shift -= 8)
        message.push_back(static_cast<std::uint8_t>(address >> shift));
    message.insert(message.end(), data.begin(), data.end());
    message.push_back(0);
    message.push_back(0xF7);
    message[message.size() - 2] = SysExChecksum(message);
    return message;
}

// n data bytes counting up from seed, kept below 80H.
inline Bytes Pattern(std::size_t n, int seed) {
    Bytes data(n);
    for (std::size_t i = 0; i < n; ++i)
        data[i] = static_cast<std::uint8_t>((seed + static_cast<int>(i) * 7) & 0x7F);
    return data;
}

inline void Append(Bytes& to, const Bytes& bytes) {
    to.insert(to.end(), bytes.begin(), bytes.end());
}

} // namespace model::element_fixtures
