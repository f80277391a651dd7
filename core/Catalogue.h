// The catalogue index file: caption, date line and one line per program.
#pragma once

#include <string>
#include <vector>

#include "core/LauncherContext.h"
#include "core/LauncherFiles.h"

namespace sorvel {

// Loads the home folder's `fileName` into the state. False when the file does not
// exist (after its message); throws LauncherError when it cannot be opened or
// holds fewer than two lines.
bool LoadCatalogue(LauncherContext& context, const std::string& fileName);

// Splits `text` at every `separator` into `list`; returns the part count.
// An empty text gives 0 and an empty `list`.
int SplitText(std::string text, const std::string& separator, std::vector<std::string>& list);

// Splits a file's text into lines: CR LF, lone LF and lone CR end a line; a
// NUL ends the text; one break at the very end adds no empty line.
std::vector<std::string> SplitLines(const std::string& text);

// The launcher keeps this many bytes of an ExeName field.
inline constexpr std::size_t kExeStemBytes = 8;

// The stored executable stem of an ExeName field: first 8 bytes, A-Z lowered.
std::string ExeStemOf(const std::string& exeName);

// The file a program's stem names: the stem with ".exe".
inline std::string ProgramFileName(const std::string& stem) { return stem + ".exe"; }

}  // namespace sorvel
