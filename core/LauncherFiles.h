// The files the launcher looks for in its own folder, by their fixed names.
#pragma once

namespace sorvel {

inline constexpr const char* kCatalogueFileName = "SVLindex.txt";
// The page "最新版ダウンロード" opens.
inline constexpr const char* kDownloadPageFileName = "index.htm";
// The help command's files, in the order it looks for them on a local drive
// (core/HelpFile.h): compiled HTML Help, a plain page, Windows Help.
inline constexpr const char* kHtmlHelpFileName = "SorvelL.chm";
inline constexpr const char* kHelpPageFileName = "SorvelL.htm";
inline constexpr const char* kWinHelpFileName = "SorvelL.hlp";

}  // namespace sorvel
