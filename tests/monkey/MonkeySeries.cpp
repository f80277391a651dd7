#include "tests/monkey/MonkeySeries.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <string_view>
#include <vector>

#include "core/Messages.h"
#include "core/UserTexts.h"
#include "platform/win32/Encoding.h"

namespace sorvel::test {
namespace {

struct Entry {
  const char* line;        // the catalogue line, CP932
  const wchar_t* folder;   // nullptr: not installed
  const wchar_t* exeName;  // as the folder spells it
  bool icon;               // the program has an icon of its own
};

// The third program's folder and file end in 表, whose second byte is a
// backslash's. GEOMET11 is the folder that goes away and comes back; the
// first program lies in two folders.
const Entry kEntries[] = {
    {"代数入門,ALGEBRA1,1.3,alg", L"ALGEBR12", L"algebra1.exe", true},
    {"図形の性質,GEOMETRY,1.1,geo", L"GEOMET11", L"GEOMETRY.EXE", true},
    {"表とグラフ,ソ能表,1.3,表", L"度数分布表", L"ソ能表.exe", false},
    {"確率と統計,PROBABIL,1.0,prb", nullptr, nullptr, true},
    {"方程式,EQUATION,2.0,equ", L"EQUATI20", L"equation.exe", true},
    {"関数とグラフ,KANSU,1.2,kan", L"KANSU_V12", L"KANSU.EXE", true},
    {"比例と反比例,HIREI,1.0,hir", nullptr, nullptr, true},
    {"平方根,HEIHOU,1.1,hei", L"HEIHOU11", L"heihou.exe", true},
    {"三角形,SANKAKU,1.0,san", L"SANKAK10", L"sankaku.exe", true},
    {"円と球,EN,1.4,en", L"EN_KYU_14", L"en.exe", true},
    {"資料の活用,SIRYOU,1.0,sir", nullptr, nullptr, true},
    {"数と式,KAZU,3.1,kaz", L"KAZU_SHIKI31", L"kazu.exe", true},
    {"連立方程式,RENRITSU,1.2,ren", L"RENRIT12", L"Renritsu.exe", true},
    {"一次関数,ICHIJI,1.0,ich", L"ICHIJI10", L"ichiji.exe", true},
    {"図形の証明,SHOUMEI,1.1,sho", nullptr, nullptr, true},
    {"二次方程式,NIJI,2.1,nij", L"NIJI_HOU21", L"niji.exe", true},
    {"相似な図形,SOUJI,1.0,sou", L"SOUJI_10", L"souji.exe", true},
    {"三平方の定理,SANHEIHO,1.2,sht", L"SANHEI12", L"sanheiho.exe", true},
};
constexpr const wchar_t* kOldCopyFolder = L"ALGEBR10";  // an older algebra1.exe
constexpr const wchar_t* kVolatile = L"GEOMET11";

std::wstring FolderOfThisProgram() {
  wchar_t module[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::wstring path = module;
  return path.substr(0, path.rfind(L'\\'));
}

void CopySample(const std::wstring& to, bool icon) {
  const std::wstring from = FolderOfThisProgram() + (icon ? L"\\sorvel_monkey_sample_iconic.exe"
                                                          : L"\\sorvel_monkey_sample.exe");
  EXPECT_TRUE(CopyFileW(from.c_str(), to.c_str(), FALSE)) << "cannot copy to " << Utf8(to);
}

void InstallSample(SeriesTree& tree, const std::wstring& folder, const std::wstring& exeName,
                   bool icon) {
  tree.MakeFolder(folder);
  CopySample(tree.Path(folder + L"\\" + exeName), icon);
}

bool StartsWith(std::wstring_view text, std::wstring_view head) {
  return text.substr(0, head.size()) == head;
}

std::wstring Wide(const std::string& text) { return win32::Cp932ToWideLenient(text); }

// The words of an input/output error code without words of its own: the
// code in decimal between the table's head and tail.
bool IsInOutErrorText(const std::wstring& text) {
  const std::wstring head = Wide(texts::kOtherInOutErrorHead);
  const std::wstring tail = Wide(texts::kOtherInOutErrorTail);
  if (!StartsWith(text, head) || !text.ends_with(tail) ||
      text.size() < head.size() + 1 + tail.size()) {
    return false;
  }
  for (size_t i = head.size(); i < text.size() - tail.size(); ++i) {
    if (!std::iswdigit(text[i])) return false;
  }
  return true;
}

}  // namespace

MonkeySeries::MonkeySeries(SeriesTree& tree, std::wstring disc)
    : tree_(tree), folder_(tree.Path(kVolatile), tree.root + L".away\\" + kVolatile) {
  if (!disc.empty()) disc_ = std::make_unique<MovingFolder>(disc, disc + L".out");
}

MonkeySeries::~MonkeySeries() {
  folder_.BringBack();
  RemoveDirectoryW((tree_.root + L".away").c_str());
}

void MonkeySeries::LayOut() {
  std::string catalogue = "算数・数学 モンキーシリーズ\r\n2026/04/01 更新\r\n";
  for (const Entry& entry : kEntries) {
    catalogue += entry.line;
    catalogue += "\r\n";
    if (entry.folder) InstallSample(tree_, entry.folder, entry.exeName, entry.icon);
  }
  InstallSample(tree_, kOldCopyFolder, L"algebra1.exe", true);
  tree_.WriteCatalogue(catalogue);
  CreateDirectoryW((tree_.root + L".away").c_str(), nullptr);
  if (disc_) {
    // A newer algebra and the probability program the hard disk lacks.
    for (const auto& [folder, exeName] :
         {std::pair{L"ALGEBR13", L"algebra1.exe"}, std::pair{L"PROBAB10", L"PROBABIL.EXE"}}) {
      const std::wstring path = disc_->Path() + L"\\" + folder;
      CreateDirectoryW(path.c_str(), nullptr);
      CopySample(path + L"\\" + exeName, true);
    }
  }
}

const wchar_t* MonkeySeries::Caption() { return L"算数・数学 モンキーシリーズ"; }

bool MonkeySeries::IsProgram(const std::wstring& exeName) {
  for (const Entry& entry : kEntries) {
    if (entry.exeName && _wcsicmp(entry.exeName, exeName.c_str()) == 0) return true;
  }
  return _wcsicmp(exeName.c_str(), L"PROBABIL.EXE") == 0;  // on the disc
}

bool MonkeySeries::IsNamedMessage(const std::wstring& text) {
  // A program without an icon, or one whose folder went away between the
  // scan and the icon's extraction: "<folder> <file>".
  for (const Entry& entry : kEntries) {
    if (!entry.folder || (entry.icon && entry.folder != std::wstring_view(kVolatile))) continue;
    if (text == std::wstring(entry.folder) + L" " + entry.exeName) return true;
  }
  return false;
}

bool MonkeySeries::IsNamedError(const std::wstring& text) {
  // Folders that cannot be entered (gone, not ready, too long a path) and
  // the missing printer, as the error box shows them.
  std::vector<std::string> named{texts::PrintFaultText(PrintFault::NoDefaultPrinter)};
  for (const auto& row : texts::kInOutErrorTexts) {
    if (row.text != nullptr) named.emplace_back(row.text);
  }
  for (const std::string& error : named) {
    if (text == Wide(WithClosingPeriod(error))) return true;
  }
  return IsInOutErrorText(text);
}

}  // namespace sorvel::test
