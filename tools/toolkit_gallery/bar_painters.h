#pragma once
// The bar painters' sheets of the gallery: one per registered bar painter, for the colour
// scheme in force, into Folder/<painter class>-<SchemeName>.png. Returns the sheets written.

#include <filesystem>
#include <string>

namespace toolkit_gallery {

int DrawBarPainterSheets(const std::filesystem::path& Folder, const std::string& SchemeName);

} // namespace toolkit_gallery
