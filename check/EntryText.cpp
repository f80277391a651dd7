#include "check/EntryText.h"

#include <iterator>
#include <vector>

#include "check/Wording.h"

namespace sorvel::check {

namespace {

// The wording of each miss reason, in the order of MissReason. {file},
// {folder}, {first}, {other}, {exe} and {date} stand for the cause's names.
constexpr Wording kCauseWording[] = {
    {"項目 {other} と実行ファイル名 {exe} が同じで、ランチャーはそのファイルを常に項目 {other} "
     "として扱います",
     "entry {other} has the same executable name {exe}, and the launcher always takes that file "
     "for entry {other}"},
    {"{file} は {folder} にありますが、ランチャーはこのフォルダを飛ばします: 最初の *.exe の項目 "
     "{first} がフォルダです",
     "{file} is in {folder}, but the launcher passes over that folder: its first *.exe entry, "
     "{first}, is a folder"},
    {"{file} は {folder} にありますが、ランチャーはこのフォルダを飛ばします: 最初の *.exe の項目 "
     "{first} の日付が{date}",
     "{file} is in {folder}, but the launcher passes over that folder: its first *.exe entry, "
     "{first}, is dated {date}"},
    {"{folder} の {file} は隠しファイルかシステムファイルで、ランチャーは無視します",
     "{file} in {folder} is a hidden or system file, which the launcher leaves out"},
    {"{file} は {folder} にありますが、このフォルダは隠しフォルダかシステムフォルダで、ランチャー"
     "は無視します",
     "{file} is in {folder}, but that is a hidden or system folder, which the launcher leaves out"},
    {"{file} は {folder} にありますが、フォルダ名に Shift-JIS (CP932) にない文字があり (ここでは"
     "似た文字か ? で表示)、ランチャーには見えません",
     "{file} is in {folder}, but that folder's name has characters outside Shift-JIS (CP932), "
     "shown here as look-alikes or \"?\": the launcher cannot see it"},
    {"{folder} の {file} はファイル名に Shift-JIS (CP932) にない文字があり (ここでは似た文字か ? "
     "で表示)、ランチャーには見えません",
     "{file} in {folder} has characters outside Shift-JIS (CP932) in its name, shown here as "
     "look-alikes or \"?\": the launcher cannot see it"},
    {"{file} はランチャーのフォルダの中の {folder} にありますが、ハードディスクではランチャーは"
     "自分のフォルダの隣のフォルダを探します",
     "{file} is in {folder} inside the launcher folder, but on a hard disk the launcher searches "
     "the folders beside its own"},
    {"{folder} のファイル名は {file} ですが、ランチャーは実行ファイル名を 8 バイトに切り詰めて "
     "{exe} を探します",
     "the file in {folder} is named {file}, but the launcher cuts executable names to 8 bytes and "
     "looks for {exe}"},
};
static_assert(std::size(kCauseWording) == static_cast<std::size_t>(MissReason::Count));

// The searched folders whose files could not be read.
std::vector<std::string> UnreadableFolders(const CheckReport& report) {
  std::vector<std::string> folders;
  for (const Finding& finding : report.findings) {
    if (finding.kind == FindingKind::FolderUnreadable) folders.push_back(finding.names[0]);
  }
  return folders;
}

// Not installed as far as the launcher can tell; a folder it cannot read
// may hold the program all the same.
std::string NotInstalledMessage(const CheckReport& report, const EntryReport& entry,
                                Language language) {
  const bool ja = Ja(language);
  const std::vector<std::string> unreadable = UnreadableFolders(report);
  if (unreadable.empty()) {
    return ja ? "未インストール: ランチャーが探すフォルダに " + ExeFile(entry) + " がありません"
              : "not installed: no folder the launcher searches holds " + ExeFile(entry);
  }
  return ja ? "未インストール: ランチャーが読めるフォルダに " + ExeFile(entry) +
                  " はありません (読めないフォルダ: " + Joined(unreadable, language) + ")"
            : "not installed: no folder the launcher can read holds " + ExeFile(entry) +
                  " (it cannot read " + Joined(unreadable, language) + ")";
}

}  // namespace

std::string EntryMessage(const CheckReport& report, const EntryReport& entry, Language language) {
  const bool ja = Ja(language);
  if (!report.scanned) return ja ? "未点検" : "not checked";
  if (entry.installed) {
    return ja ? "インストール済み: " + entry.folder + "\\" + entry.file + "、バージョン " +
                    entry.version + " (最新 " + entry.latestVersion + ")"
              : "installed: " + entry.folder + "\\" + entry.file + ", version " + entry.version +
                    " (latest " + entry.latestVersion + ")";
  }
  if (entry.causes.empty()) return NotInstalledMessage(report, entry, language);
  return (ja ? "見つかりません: " : "not found: ") + CauseMessage(entry, entry.causes[0], language);
}

std::string CauseMessage(const EntryReport& entry, const MissCause& cause, Language language) {
  const bool ja = Ja(language);
  const char* date = cause.datedTooEarly ? (ja ? "1980 年より前です" : "before 1980")
                                         : (ja ? "2107 年より後です" : "after 2107");
  return Filled(kCauseWording[static_cast<std::size_t>(cause.reason)], language,
                {{"file", cause.file},
                 {"folder", cause.folder},
                 {"first", cause.firstEntry},
                 {"other", Number(cause.otherEntry)},
                 {"exe", ExeFile(entry)},
                 {"date", date}});
}

std::string EntryProblemLine(const CheckReport& report, const EntryReport& entry,
                             Language language) {
  const bool absent = entry.causes.empty();
  return EntryName(report, entry.number, language) + ": " +
         (Ja(language)
              ? (absent ? "未インストール" : "ディスクにあるのにランチャーが見つけられません")
              : (absent ? "not installed" : "on the disk, but the launcher does not find it"));
}

}  // namespace sorvel::check
