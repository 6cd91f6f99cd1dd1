#pragma once
// A print target that writes down what is printed on it, with simple metrics: an A4 page at
// 300 dpi, every character 10 pixels wide and every text 30 pixels high (so a line is 40).

#include "model/print/print_target.h"
#include "platform/core/exception.h"

#include <optional>
#include <string>
#include <vector>

namespace model::fakes {

class RecordingPrintTarget : public TPrintTarget {
public:
    static constexpr int Width = 2480;
    static constexpr int Height = 3508;
    static constexpr int CharWidth = 10;
    static constexpr int TextHigh = 30;

    RecordingPrintTarget() { SetPrintTarget(this); }
    ~RecordingPrintTarget() override { SetPrintTarget(nullptr); }
    RecordingPrintTarget(const RecordingPrintTarget&) = delete;
    RecordingPrintTarget& operator=(const RecordingPrintTarget&) = delete;

    void BeginDoc(const TLibrary* Library) override {
        if (printing) throw platform::core::Exception("Printing in progress");
        printing = true;
        library = Library;
        calls.push_back("BeginDoc");
    }
    void EndDoc() override {
        printing = false;
        calls.push_back("EndDoc");
    }
    void Abort() override {
        printing = false;
        calls.push_back("Abort");
    }
    void NewPage() override {
        if (failOnNewPage) throw platform::core::Exception(*failOnNewPage);
        calls.push_back("NewPage");
    }
    int PageWidth() override { return Width; }
    int PageHeight() override { return Height; }
    void SetFont(const std::string& name, int size) override {
        calls.push_back("Font(" + name + "," + std::to_string(size) + ")");
    }
    int TextWidth(const std::string& text) override {
        return CharWidth * static_cast<int>(text.size());
    }
    int TextHeight(const std::string&) override { return TextHigh; }
    void TextOut(int x, int y, const std::string& text) override {
        calls.push_back("Text(" + std::to_string(x) + "," + std::to_string(y) + "," + text + ")");
    }
    void Line(int x1, int y1, int x2, int y2) override {
        calls.push_back("Line(" + Join(x1, y1, x2, y2) + ")");
    }
    void Rectangle(int x1, int y1, int x2, int y2) override {
        calls.push_back("Rect(" + Join(x1, y1, x2, y2) + ")");
    }

    bool printing = false;
    // The library of the last job.
    const TLibrary* library = nullptr;
    std::vector<std::string> calls;
    std::optional<std::string> failOnNewPage;

private:
    static std::string Join(int a, int b, int c, int d) {
        return std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c) + "," +
               std::to_string(d);
    }
};

} // namespace model::fakes
