#pragma once
// The bar painters' sheets of toolkit-gallery.

#include <filesystem>
#include <string>

namespace gallery {

// One sheet per registered bar painter in the current colour scheme: Folder/bar-<class>-
// <SchemeName>.png. Returns the number written.
int DrawBarPainterSheets(const std::filesystem::path& Folder, const std::string& SchemeName);

} // namespace gallery
