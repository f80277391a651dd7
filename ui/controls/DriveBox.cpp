#include "ui/controls/DriveBox.h"

#include <utility>

#include "core/Cp932.h"
#include "platform/win32/Encoding.h"
#include "platform/win32/Gdi.h"
#include "ui/Layout.h"
#include "ui/controls/GlyphPainter.h"

namespace sorvel::ui {
namespace {

std::string BracketedLabel(Platform& platform, const std::string& root) {
  return "[" + cp932::AsciiUpper(platform.VolumeLabel(root).value_or(std::string())) + "]";
}

// The glyph of a drive kind, drawn in a 16 x 12 box.
void DrawDriveGlyph(GlyphPainter& glyph, DriveKind kind) {
  const COLORREF grey = RGB(192, 192, 192), dark = RGB(64, 64, 64), green = RGB(0, 192, 0);
  switch (kind) {
    case DriveKind::Fixed:
      glyph.Box(0, 3, 16, 11, grey, dark);
      glyph.Fill(1, 9, 15, 10, RGB(128, 128, 128));
      glyph.Fill(11, 6, 14, 8, green);
      break;
    case DriveKind::Removable:
      glyph.Box(0, 3, 16, 11, grey, dark);
      glyph.Fill(3, 5, 13, 6, RGB(0, 0, 0));
      glyph.Fill(11, 8, 14, 10, dark);
      break;
    case DriveKind::CdRom:
      glyph.Disc(2, 0, 14, 12, RGB(224, 224, 240), dark);
      glyph.Fill(4, 3, 7, 5, RGB(160, 200, 255));
      glyph.Disc(6, 4, 10, 8, RGB(255, 255, 255), dark);
      break;
    case DriveKind::Network:
      glyph.Box(1, 0, 15, 7, grey, dark);
      glyph.Fill(11, 3, 13, 5, green);
      glyph.Fill(7, 7, 9, 11, dark);
      glyph.Fill(1, 10, 15, 12, dark);
      break;
    case DriveKind::RamDisk:
      glyph.Box(2, 3, 14, 9, RGB(32, 32, 32), RGB(0, 0, 0));
      for (int pin = 3; pin < 14; pin += 3) {
        glyph.Fill(pin, 1, pin + 1, 3, dark);
        glyph.Fill(pin, 9, pin + 1, 11, dark);
      }
      break;
  }
}

}  // namespace

std::optional<DriveKind> ListedKind(DriveType type) {
  switch (type) {
    case DriveType::Removable:
      return DriveKind::Removable;
    case DriveType::Fixed:
      return DriveKind::Fixed;
    case DriveType::CdRom:
      return DriveKind::CdRom;
    case DriveType::RamDisk:
      return DriveKind::RamDisk;
    case DriveType::Remote:
      return DriveKind::Network;
    default:
      return std::nullopt;
  }
}

std::optional<DriveItem> DescribeDrive(Platform& platform, char letter) {
  const std::string name = std::string(1, letter) + ":";
  const std::string root = name + "\\";
  const std::optional<DriveKind> kind = ListedKind(platform.DriveTypeOf(root));
  if (!kind) return std::nullopt;
  DriveItem item{.letter = letter, .kind = *kind, .caption = name};
  if (*kind == DriveKind::Network) {
    const std::optional<std::string> remote = platform.NetworkRemoteName(name);
    item.caption += " " + (remote ? cp932::AsciiUpper(*remote) : BracketedLabel(platform, root));
  } else if (*kind != DriveKind::Removable) {
    item.caption += " " + BracketedLabel(platform, root);
  }
  return item;
}

std::vector<DriveItem> ListDrives(Platform& platform) {
  std::vector<DriveItem> items;
  const std::uint32_t drives = platform.LogicalDrives();
  for (int bit = 0; bit < 26; ++bit) {
    if ((drives & (1u << bit)) == 0) continue;
    if (auto item = DescribeDrive(platform, static_cast<char>('A' + bit))) items.push_back(*item);
  }
  return items;
}

void DriveBox::Create(const ControlArgs& args, const Options& options) {
  onChange_ = options.onChange;
  ControlArgs box = args;
  box.place.height += kListItem.dropDownHeight;
  CreateWindowOf({.className = L"COMBOBOX",
                  .systemClass = true,
                  .style = WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST |
                           CBS_OWNERDRAWFIXED | CBS_HASSTRINGS},
                 box);
  SetItemHeights();
  const std::string current = platform_.CurrentDirectory();
  startLetter_ = current.empty() ? 0 : cp932::AsciiUpper(current[0]);
  if (!options.listLater || !StartOnCurrentDrive()) List();
}

bool DriveBox::StartOnCurrentDrive() {
  if (startLetter_ < 'A' || startLetter_ > 'Z') return false;
  if ((platform_.LogicalDrives() & (1u << (startLetter_ - 'A'))) == 0) return false;
  if (!ListedKind(platform_.DriveTypeOf(std::string(1, startLetter_) + ":\\"))) return false;
  drive_ = startLetter_;
  return true;
}

void DriveBox::List() {
  if (listed_) return;
  listed_ = true;
  items_ = ListDrives(platform_);
  for (const DriveItem& item : items_) {
    SendMessageW(Handle(), CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(win32::Cp932ToWideLenient(item.caption).c_str()));
  }
  int start = IndexOf(startLetter_);
  if (start < 0 && !items_.empty()) start = 0;
  if (start >= 0) {
    drive_ = items_[static_cast<size_t>(start)].letter;
    SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(start), 0);
  }
}

// The selection field and the list items are tall enough for a glyph.
void DriveBox::SetItemHeights() {
  const int height = ScaleToDpi(kListItem.height, Dpi());
  SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
  SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, height);
}

void DriveBox::OnDpiChanged() { SetItemHeights(); }

const std::vector<DriveItem>& DriveBox::Items() {
  List();
  return items_;
}

int DriveBox::IndexOf(char letter) const {
  const char upper = cp932::AsciiUpper(letter);
  for (std::size_t index = 0; index < items_.size(); ++index) {
    if (items_[index].letter == upper) return static_cast<int>(index);
  }
  return -1;
}

bool DriveBox::SetDrive(char letter) {
  List();
  const int index = IndexOf(letter);
  if (index < 0) return false;
  if (SendMessageW(Handle(), CB_GETCURSEL, 0, 0) != index) {
    SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  const char picked = items_[static_cast<size_t>(index)].letter;
  if (picked == drive_) return true;
  drive_ = picked;
  if (onChange_) onChange_();
  return true;
}

std::string DriveBox::SelectedCaption() {
  List();
  const int index = IndexOf(drive_);
  return index < 0 ? std::string() : items_[static_cast<size_t>(index)].caption;
}

void DriveBox::OnNotify(WORD code) {
  if (code != CBN_DROPDOWN && code != CBN_SELCHANGE && code != CBN_SELENDOK) return;
  const LRESULT index = SendMessageW(Handle(), CB_GETCURSEL, 0, 0);
  if (code == CBN_DROPDOWN) {
    shownWhenDropped_ = index;
    return;
  }
  const LRESULT dropped = std::exchange(shownWhenDropped_, -1);
  if (index < 0 || index >= static_cast<LRESULT>(items_.size())) return;
  const char picked = items_[static_cast<size_t>(index)].letter;
  if (code == CBN_SELCHANGE) {
    SetDrive(picked);
  } else if (index == dropped && picked == drive_ && onChange_) {
    // The list closed on the drive it opened on: no change follows, but the
    // user chose that drive again. Windows may send this before or after
    // the selection change of another drive, hence the drive at the drop.
    onChange_();
  }
}

bool DriveBox::OnDrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const RECT& rect = item.rcItem;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  if (item.itemID >= items_.size()) return true;  // empty list: nothing to show

  const DriveItem& drive = items_[item.itemID];
  const int dpi = Dpi();
  const int glyphTop =
      rect.top + (rect.bottom - rect.top - ScaleToDpi(kListItem.glyphHeight, dpi)) / 2;
  GlyphPainter glyph(dc, rect.left + ScaleToDpi(kListItem.glyphLeft, dpi), glyphTop, dpi);
  DrawDriveGlyph(glyph, drive.kind);
  const win32::SelectedObject font(dc, PaintFont());
  RECT text = rect;
  text.left += ScaleToDpi(kListItem.glyphLeft + kListItem.glyphWidth + kListItem.glyphTextGap, dpi);
  const std::wstring caption = win32::Cp932ToWideLenient(drive.caption);
  SetBkMode(dc, TRANSPARENT);
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) DrawFocusFrame(dc, rect, dpi);
  return true;
}

}  // namespace sorvel::ui
