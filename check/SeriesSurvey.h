// Extra reads of the series beside the launcher's own scan: every folder
// that could hold a program, whether the launcher searches it or not, and
// the "*.exe" files in each, also those the launcher leaves out. They
// explain the launcher's verdicts; they never decide them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "check/LauncherRun.h"
#include "core/FileProbe.h"
#include "platform/Platform.h"

namespace sorvel::check {

struct SurveyedFile {
  std::string name;
  std::uint32_t attributes = 0;
  bool foreign = false;  // no CP932 spelling: `name` is a look-alike
};

enum class FolderPlace {
  Listed,                // a name of the launcher's folder listing
  HiddenOrSystem,        // a sub-folder the folder listing leaves out
  Foreign,               // a sub-folder whose name has no CP932 spelling
  InsideLauncherFolder,  // a sub-folder of the launcher's own folder
};

struct SurveyedFolder {
  std::string name;
  FolderPlace place = FolderPlace::Listed;
  // Listed: the launcher's verdict on its first "*.exe" entry, which lets
  // the scan read the folder's files or not.
  FirstMatchProbe firstExe;
  bool Searched() const { return firstExe.kind == FirstMatch::File; }
  // Its "*.exe" files: hidden, system and foreign ones too.
  std::vector<SurveyedFile> exeFiles;
  // Listed sub-folder: not 0 when this error kept its files from being read.
  ErrorCode readError = error::kOk;
};

struct SeriesSurvey {
  std::vector<SurveyedFolder> folders;  // the listed ones first, in listing order
  bool hasIndexHtm = false;
};

SeriesSurvey SurveySeries(Platform& platform, const LauncherRun& run);

// True for a name ending in ".exe" in any case.
bool HasExeExtension(const std::string& name);

}  // namespace sorvel::check
