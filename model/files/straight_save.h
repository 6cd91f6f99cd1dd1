#pragma once
// Whether Save may replace an element's or a global set's stored file without the save dialog.
// A stored file name comes from a library file, and library files pass between people, so a
// name alone never gives leave to replace a file: Save writes straight only to a file the user
// chose in a save dialog or loaded during this run (the application state keeps them, by kind),
// or to one that already holds what the element writes, in one of the layouts of its files (a
// layout's size and the kind's framing). Any other name is proposed in the save dialog.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace model {

struct TFileKind;

// The bytes a fresh element writes to its file, one entry per layout its files come in.
using TFileLayouts = std::vector<std::vector<std::uint8_t>>;

// fileName, an absolute path of this system in an existing folder, was chosen or loaded as a
// file of kind during this run, or holds what layouts frame by kind.SameFraming. layouts runs
// only when a file there must be recognised by its content.
bool MayWriteStraight(const TFileKind& kind, const std::string& fileName,
                      const std::function<TFileLayouts()>& layouts);
// The user chose path in a file dialog of kind's, or loaded it; kept while the application state
// lives.
void NoteChosenFile(const TFileKind& kind, const std::string& path);

} // namespace model
