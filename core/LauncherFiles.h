// The files the launcher looks for in its own folder, by their fixed names.
#pragma once

namespace sorvel {

inline constexpr const char* kCatalogueFileName = "SVLindex.txt";
// The page "最新版ダウンロード" opens.
inline constexpr const char* kDownloadPageFileName = "index.htm";
// The help file "ヘルプ" opens.
inline constexpr const char* kHelpFileName = "SorvelL.hlp";

}  // namespace sorvel
