#include "check/SeriesSurvey.h"

#include <utility>

#include "core/Cp932.h"
#include "core/LauncherFiles.h"

namespace sorvel::check {

namespace {

bool IsFolder(const FileInfo& info) { return (info.attributes & attr::kDirectory) != 0; }

bool IsDots(const std::string& name) { return name == "." || name == ".."; }

// The files of `folder` whose names end in ".exe", however the launcher
// treats them, and those it cannot spell; `readError` tells why none could
// be read.
std::vector<SurveyedFile> ExeFiles(Platform& platform, const std::string& folder,
                                   ErrorCode* readError = nullptr) {
  std::vector<SurveyedFile> files;
  std::vector<FileInfo> entries;
  const ErrorCode code = platform.List(cp932::WithTrailingBackslash(folder) + "*.exe", entries);
  if (readError != nullptr) *readError = code;
  if (code == error::kOk) {
    for (const FileInfo& info : entries) {
      if (!IsFolder(info)) files.push_back({info.name, info.attributes, false});
    }
  }
  for (const ForeignEntry& entry : platform.ForeignEntries(folder)) {
    if ((entry.attributes & attr::kDirectory) == 0 && HasExeExtension(entry.spelling)) {
      files.push_back({entry.spelling, entry.attributes, true});
    }
  }
  return files;
}

// The sub-folders of `folder` (without "." and ".."), in the file system's order.
std::vector<FileInfo> SubFolders(Platform& platform, const std::string& folder) {
  std::vector<FileInfo> entries;
  std::vector<FileInfo> folders;
  if (platform.List(cp932::WithTrailingBackslash(folder) + "*", entries) != error::kOk) {
    return folders;
  }
  for (const FileInfo& info : entries) {
    if (IsFolder(info) && !IsDots(info.name)) folders.push_back(info);
  }
  return folders;
}

SurveyedFolder Folder(const std::string& name, FolderPlace place,
                      std::vector<SurveyedFile> exeFiles) {
  SurveyedFolder folder;
  folder.name = name;
  folder.place = place;
  folder.exeFiles = std::move(exeFiles);
  return folder;
}

// A listed name with the launcher's verdict on it: its wildcard test decided
// whether the folder's files were read at all.
SurveyedFolder SurveyListed(Platform& platform, const std::string& baseFolder,
                            const FolderVerdict& verdict) {
  ErrorCode readError = error::kOk;
  SurveyedFolder folder = Folder(verdict.name, FolderPlace::Listed,
                                 ExeFiles(platform, baseFolder + verdict.name, &readError));
  folder.readError = readError;
  folder.firstExe = verdict.firstExe;
  return folder;
}

bool HasFile(Platform& platform, const std::string& path) {
  const auto found = platform.FindFirst(path);
  return found && !IsFolder(*found);
}

}  // namespace

bool HasExeExtension(const std::string& name) {
  return name.size() >= 4 && cp932::AsciiLower(name.substr(name.size() - 4)) == ".exe";
}

SeriesSurvey SurveySeries(Platform& platform, const LauncherRun& run) {
  SeriesSurvey survey;
  const std::string& base = run.BaseFolder();
  const std::vector<FolderVerdict>& listed = run.FolderVerdicts();
  for (std::size_t i = 0; i < listed.size(); ++i) {
    survey.folders.push_back(SurveyListed(platform, base, listed[i]));
    // The root and the path's components are tested as if they were
    // sub-folders; that they cannot be read means nothing.
    if (static_cast<int>(i) < run.ListedPathItems()) survey.folders.back().readError = error::kOk;
  }
  for (const FileInfo& info : SubFolders(platform, run.ListingFolder())) {
    if ((info.attributes & (attr::kHidden | attr::kSystem)) == 0) continue;
    survey.folders.push_back(
        Folder(info.name, FolderPlace::HiddenOrSystem, ExeFiles(platform, base + info.name)));
  }
  for (const ForeignEntry& entry : platform.ForeignEntries(run.ListingFolder())) {
    if ((entry.attributes & attr::kDirectory) == 0) continue;
    std::vector<SurveyedFile> files;
    for (const std::string& file : entry.files) {
      if (HasExeExtension(file)) files.push_back({file, 0, false});
    }
    survey.folders.push_back(Folder(entry.spelling, FolderPlace::Foreign, std::move(files)));
  }
  const std::string& home = run.HomeFolder();
  // Below the launcher's folder lie the folders the launcher did not search,
  // unless it searched them as a disc's.
  if (!run.FromCdRom() && !run.CopiedDisc()) {
    for (const FileInfo& info : SubFolders(platform, home)) {
      survey.folders.push_back(Folder(info.name, FolderPlace::InsideLauncherFolder,
                                      ExeFiles(platform, home + info.name)));
    }
  }
  survey.hasIndexHtm = HasFile(platform, home + kDownloadPageFileName);
  return survey;
}

}  // namespace sorvel::check
