// The kinds of problem the checker finds in a series, one row each: its
// name in the JSON report and how much it weighs. A new check adds its kind
// here and its sentences in check/FindingText.cpp; the build refuses a kind
// without its row or without its sentences.
#pragma once

#include <cstddef>

namespace sorvel::check {

enum class Severity { None, Warning, Error };

enum class FindingKind {
  CatalogueMissing,        // text: the launcher's message
  CatalogueTooShort,       // text: the launcher's error
  CatalogueUnreadable,     // text: the launcher's error
  ScanFailed,              // text: the launcher's error; names: the folder
  MalformedLine,           // line; text: the launcher's message; count: fields
  NotCp932,                // encoding; line: the first line that is not CP932
  UnspellableLine,         // line; text: the launcher's message; names: the characters CP932 lacks
  SeveralCopies,           // entry; names: folders in listing order; text: the one started
  NameCut,                 // entry
  NameCutInsideCharacter,  // entry
  BlankInExeName,          // entry
  TooManyEntries,          // count
  VersionNotInFolderName,  // entry; text: the version the folder name gives
  ForeignName,             // text: the name; names: the folder it is in (empty: the scanned one)
  MissingIndexHtm,
  MissingHelpFile,   // none of the three help files
  WinHelpOnly,       // SorvelL.hlp alone, which Windows 10 and 11 cannot open
  ChmWithoutPage,    // SorvelL.chm without SorvelL.htm: blank from a share
  ChmNotCompiled,    // SorvelL.chm without the signature of HTML Help
  FolderUnreadable,  // names: a folder the launcher searches; errorCode: why it cannot be read
  // At the root of a CD-ROM only (check/DiscCheck.h):
  NameChangedByImage,    // names: marked by the image
  CatalogueInOneCase,    // text: the catalogue's name, all in one case (no Joliet names)
  DatedBefore1980,       // names: the files and folders
  AutorunTargetMissing,  // text: the autorun.inf key; names: the file it names
  TypedFormsRead,        // names: each character as CP932 spells it, with its typed code
  DiscRootWithoutCd,     // on a hard disk, every program found inside the launcher folder
  Count                  // not a kind: how many there are, for the tables of kinds
};

inline constexpr std::size_t kFindingKindCount = static_cast<std::size_t>(FindingKind::Count);

struct FindingKindRow {
  FindingKind kind;
  const char* jsonName;
  Severity severity;
};

// The image's two ways of changing names share one JSON name: scripts see
// one kind of fault, the reader two sentences.
inline constexpr FindingKindRow kFindingKinds[] = {
    {FindingKind::CatalogueMissing, "catalogueMissing", Severity::Error},
    {FindingKind::CatalogueTooShort, "catalogueTooShort", Severity::Error},
    {FindingKind::CatalogueUnreadable, "catalogueUnreadable", Severity::Error},
    {FindingKind::ScanFailed, "scanFailed", Severity::Error},
    {FindingKind::MalformedLine, "malformedLine", Severity::Error},
    {FindingKind::NotCp932, "notCp932", Severity::Error},
    {FindingKind::UnspellableLine, "unspellableLine", Severity::Error},
    {FindingKind::SeveralCopies, "severalCopies", Severity::Warning},
    {FindingKind::NameCut, "nameCut", Severity::Warning},
    {FindingKind::NameCutInsideCharacter, "nameCutInsideCharacter", Severity::Error},
    {FindingKind::BlankInExeName, "blankInExeName", Severity::Error},
    {FindingKind::TooManyEntries, "tooManyEntries", Severity::Error},
    {FindingKind::VersionNotInFolderName, "versionNotInFolderName", Severity::Warning},
    {FindingKind::ForeignName, "nameNotCp932", Severity::Warning},
    {FindingKind::MissingIndexHtm, "indexHtmMissing", Severity::Warning},
    {FindingKind::MissingHelpFile, "helpFileMissing", Severity::Warning},
    {FindingKind::WinHelpOnly, "helpWinHelpOnly", Severity::Warning},
    {FindingKind::ChmWithoutPage, "helpChmWithoutPage", Severity::Warning},
    {FindingKind::ChmNotCompiled, "helpChmNotCompiled", Severity::Error},
    {FindingKind::FolderUnreadable, "folderUnreadable", Severity::Warning},
    {FindingKind::NameChangedByImage, "nameChangedByImage", Severity::Error},
    {FindingKind::CatalogueInOneCase, "nameChangedByImage", Severity::Warning},
    {FindingKind::DatedBefore1980, "datedBefore1980", Severity::Error},
    {FindingKind::AutorunTargetMissing, "autorunTargetMissing", Severity::Error},
    {FindingKind::TypedFormsRead, "typedFormsRead", Severity::Warning},
    {FindingKind::DiscRootWithoutCd, "discRootWithoutCd", Severity::Warning},
};

// A table of kinds holds one row per kind, in the enumeration's order, so
// that a kind's row is found by its number.
template <typename Row, std::size_t size>
constexpr bool OneRowPerKind(const Row (&rows)[size]) {
  if (size != kFindingKindCount) return false;
  for (std::size_t i = 0; i < size; ++i) {
    if (rows[i].kind != static_cast<FindingKind>(i)) return false;
  }
  return true;
}
static_assert(OneRowPerKind(kFindingKinds), "every finding kind needs its row, in order");

constexpr const FindingKindRow& RowOf(FindingKind kind) {
  return kFindingKinds[static_cast<std::size_t>(kind)];
}

}  // namespace sorvel::check
