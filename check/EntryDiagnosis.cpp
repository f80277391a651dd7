#include "check/EntryDiagnosis.h"

#include <algorithm>
#include <cstdint>

#include "core/Catalogue.h"
#include "core/Cp932.h"

namespace sorvel::check {

namespace {

MissCause Cause(MissReason reason, const std::string& folder, const std::string& file) {
  MissCause cause;
  cause.reason = reason;
  cause.folder = folder;
  cause.file = file;
  return cause;
}

bool IsHiddenOrSystem(std::uint32_t attributes) {
  return (attributes & (attr::kHidden | attr::kSystem)) != 0;
}

// Why the launcher does not read the files of a listed folder.
MissCause SkippedFolder(const SurveyedFolder& folder, const SurveyedFile& file) {
  MissCause cause = Cause(MissReason::SkippedForDate, folder.name, file.name);
  cause.firstEntry = folder.firstExe.first.name;
  if (folder.firstExe.kind == FirstMatch::Folder) {
    cause.reason = MissReason::SkippedForSubFolder;
  } else {
    cause.datedTooEarly = folder.firstExe.kind == FirstMatch::BeforeDosDates;
  }
  return cause;
}

// What keeps the launcher from a file it would take for the entry; false
// when nothing does (it found the file).
bool CauseFor(const SurveyedFolder& folder, const SurveyedFile& file, MissCause& cause) {
  cause = Cause(MissReason::HiddenFile, folder.name, file.name);
  switch (folder.place) {
    case FolderPlace::HiddenOrSystem:
      cause.reason = MissReason::HiddenFolder;
      return true;
    case FolderPlace::Foreign:
      cause.reason = MissReason::ForeignFolderName;
      return true;
    case FolderPlace::InsideLauncherFolder:
      cause.reason = MissReason::InsideLauncherFolder;
      return true;
    case FolderPlace::Listed:
      break;
  }
  // The launcher passes over a folder before it looks at any file's name.
  if (!folder.Searched() && folder.firstExe.kind != FirstMatch::None) {
    cause = SkippedFolder(folder, file);
    return true;
  }
  if (file.foreign) {
    cause.reason = MissReason::ForeignFileName;
    return true;
  }
  return folder.Searched() && IsHiddenOrSystem(file.attributes);
}

bool SameCause(const MissCause& a, const MissCause& b) {
  return a.reason == b.reason && a.folder == b.folder && a.file == b.file;
}

}  // namespace

std::vector<MissCause> MissCauses(const LauncherRun& run, const SeriesSurvey& survey,
                                  const std::vector<LaunchedEntry>& entries,
                                  const std::vector<std::string>& exeNames, int n) {
  const LaunchedEntry& entry = entries[n - 1];
  // The launcher takes a file for the first entry of its stem only.
  for (int m = 1; m < n; ++m) {
    if (entries[m - 1].stem == entry.stem) {
      MissCause cause = Cause(MissReason::SameStem, "", "");
      cause.otherEntry = m;
      return {cause};
    }
  }
  const std::string& exeName = exeNames[n - 1];
  const bool nameCut = exeName.size() > kExeStemBytes;
  std::vector<MissCause> causes;
  for (const SurveyedFolder& folder : survey.folders) {
    for (const SurveyedFile& file : folder.exeFiles) {
      MissCause cause;
      if (run.EntryOfFile(file.name) == n) {
        if (!CauseFor(folder, file, cause)) continue;
      } else if (nameCut && cp932::EqualsNoCase(file.name, exeName + ".exe")) {
        cause = Cause(MissReason::NameCut, folder.name, file.name);
      } else {
        continue;
      }
      const auto same = [&cause](const MissCause& c) { return SameCause(c, cause); };
      if (std::none_of(causes.begin(), causes.end(), same)) causes.push_back(cause);
    }
  }
  return causes;
}

}  // namespace sorvel::check
