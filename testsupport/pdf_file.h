#pragma once
// What a test reads of a file it printed to: its bytes, and the pages of a PDF. Header-only and
// standard-library-only, as temp_folder.h.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>

namespace testsupport {

// The file's bytes; empty when it cannot be read.
inline std::string FileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The pages of a PDF file (its page objects); -1 when the file is no PDF.
inline int PdfPageCount(const std::filesystem::path& file) {
    const std::string pdf = FileBytes(file);
    if (pdf.rfind("%PDF", 0) != 0) return -1;
    const std::regex page("/Type\\s*/Page[^s]");
    return static_cast<int>(
        std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

} // namespace testsupport
