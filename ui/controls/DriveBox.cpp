#include "ui/controls/DriveBox.h"

#include "core/Cp932.h"
#include "platform/win32/Encoding.h"

namespace sorvel::ui {
namespace {

constexpr int kItemHeight = 16;
constexpr int kGlyphWidth = 16;
constexpr int kGlyphHeight = 12;
constexpr int kDropDownHeight = 200;

// Upper-cases the single-byte letters a-z; double-byte characters stay as
// they are, also where their second byte looks like a letter.
std::string UpperAscii(const std::string& text) {
  std::string upper = text;
  for (std::size_t pos = 0; pos < upper.size(); ++pos) {
    const auto byte = static_cast<unsigned char>(upper[pos]);
    if (cp932::IsLeadByte(byte)) {
      ++pos;
    } else if (byte >= 'a' && byte <= 'z') {
      upper[pos] = static_cast<char>(byte - 'a' + 'A');
    }
  }
  return upper;
}

std::string BracketedLabel(Platform& platform, const std::string& root) {
  return "[" + UpperAscii(platform.VolumeLabel(root).value_or(std::string())) + "]";
}

// Glyphs of the drive kinds, drawn in a 16 x 12 box at (x, y).
class GlyphPainter {
 public:
  GlyphPainter(HDC dc, int x, int y) : dc_(dc), x_(x), y_(y) {}

  void Box(int left, int top, int right, int bottom, COLORREF fill, COLORREF border) {
    Filled(fill, border, [&] { Rectangle(dc_, x_ + left, y_ + top, x_ + right, y_ + bottom); });
  }
  void Disc(int left, int top, int right, int bottom, COLORREF fill, COLORREF border) {
    Filled(fill, border, [&] { Ellipse(dc_, x_ + left, y_ + top, x_ + right, y_ + bottom); });
  }
  void Fill(int left, int top, int right, int bottom, COLORREF color) {
    SetBkColor(dc_, color);
    const RECT rect{x_ + left, y_ + top, x_ + right, y_ + bottom};
    ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  }

  void Draw(DriveKind kind) {
    const COLORREF grey = RGB(192, 192, 192), dark = RGB(64, 64, 64), green = RGB(0, 192, 0);
    switch (kind) {
      case DriveKind::Fixed:
        Box(0, 3, 16, 11, grey, dark);
        Fill(1, 9, 15, 10, RGB(128, 128, 128));
        Fill(11, 6, 14, 8, green);
        break;
      case DriveKind::Removable:
        Box(0, 3, 16, 11, grey, dark);
        Fill(3, 5, 13, 6, RGB(0, 0, 0));
        Fill(11, 8, 14, 10, dark);
        break;
      case DriveKind::CdRom:
        Disc(2, 0, 14, 12, RGB(224, 224, 240), dark);
        Fill(4, 3, 7, 5, RGB(160, 200, 255));
        Disc(6, 4, 10, 8, RGB(255, 255, 255), dark);
        break;
      case DriveKind::Network:
        Box(1, 0, 15, 7, grey, dark);
        Fill(11, 3, 13, 5, green);
        Fill(7, 7, 9, 11, dark);
        Fill(1, 10, 15, 12, dark);
        break;
      case DriveKind::RamDisk:
        Box(2, 3, 14, 9, RGB(32, 32, 32), RGB(0, 0, 0));
        for (int pin = 3; pin < 14; pin += 3) {
          Fill(pin, 1, pin + 1, 3, dark);
          Fill(pin, 9, pin + 1, 11, dark);
        }
        break;
    }
  }

 private:
  // Draws a shape with a fill brush and a border pen selected for it.
  template <typename Draw>
  void Filled(COLORREF fill, COLORREF border, Draw draw) {
    HBRUSH brush = CreateSolidBrush(fill);
    HPEN pen = CreatePen(PS_SOLID, 1, border);
    HGDIOBJ oldBrush = SelectObject(dc_, brush);
    HGDIOBJ oldPen = SelectObject(dc_, pen);
    draw();
    SelectObject(dc_, oldBrush);
    SelectObject(dc_, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
  }

  HDC dc_;
  int x_, y_;
};

}  // namespace

std::optional<DriveItem> DescribeDrive(Platform& platform, char letter) {
  DriveItem item;
  item.letter = letter;
  const std::string name = std::string(1, letter) + ":";
  const std::string root = name + "\\";
  switch (platform.DriveTypeOf(root)) {
    case DriveType::Removable:
      item.kind = DriveKind::Removable;
      item.caption = name;
      return item;
    case DriveType::Fixed:
      item.kind = DriveKind::Fixed;
      break;
    case DriveType::CdRom:
      item.kind = DriveKind::CdRom;
      break;
    case DriveType::RamDisk:
      item.kind = DriveKind::RamDisk;
      break;
    case DriveType::Remote: {
      item.kind = DriveKind::Network;
      const std::optional<std::string> remote = platform.NetworkRemoteName(name);
      item.caption = name + " " + (remote ? UpperAscii(*remote) : BracketedLabel(platform, root));
      return item;
    }
    default:
      return std::nullopt;
  }
  item.caption = name + " " + BracketedLabel(platform, root);
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

bool DriveBox::CreateDriveBox(const Args& args) {
  onChange_ = args.onChange;
  items_ = ListDrives(platform_);
  CreateArgs create = ChildCreateArgs(args);
  create.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST |
                 CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
  create.height += kDropDownHeight;
  create.id = args.id;
  if (!CreateStandard(L"COMBOBOX", create)) return false;
  SetName(args.name);
  // The selection field and the list items are tall enough for a glyph.
  SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kItemHeight);
  SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, kItemHeight);
  for (const DriveItem& item : items_) {
    SendMessageW(Handle(), CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(win32::Cp932ToWideLenient(item.caption).c_str()));
  }
  const std::string current = platform_.CurrentDirectory();
  int start = current.empty() ? -1 : IndexOf(current[0]);
  if (start < 0 && !items_.empty()) start = 0;
  if (start >= 0) {
    drive_ = items_[static_cast<size_t>(start)].letter;
    SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(start), 0);
  }
  return true;
}

int DriveBox::IndexOf(char letter) const {
  const char upper =
      (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 'a' + 'A') : letter;
  for (std::size_t index = 0; index < items_.size(); ++index) {
    if (items_[index].letter == upper) return static_cast<int>(index);
  }
  return -1;
}

bool DriveBox::SetDrive(char letter) {
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

std::string DriveBox::SelectedCaption() const {
  const int index = IndexOf(drive_);
  return index < 0 ? std::string() : items_[static_cast<size_t>(index)].caption;
}

void DriveBox::OnNotify(WORD code) {
  if (code != CBN_SELCHANGE) return;
  const LRESULT index = SendMessageW(Handle(), CB_GETCURSEL, 0, 0);
  if (index >= 0 && index < static_cast<LRESULT>(items_.size())) {
    SetDrive(items_[static_cast<size_t>(index)].letter);
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
  const int glyphTop = rect.top + (rect.bottom - rect.top - kGlyphHeight) / 2;
  GlyphPainter(dc, rect.left + 2, glyphTop).Draw(drive.kind);
  HGDIOBJ oldFont = SelectObject(dc, Font() ? Font() : GetStockObject(DEFAULT_GUI_FONT));
  RECT text = rect;
  text.left += kGlyphWidth + 6;
  const std::wstring caption = win32::Cp932ToWideLenient(drive.caption);
  SetBkMode(dc, TRANSPARENT);
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SelectObject(dc, oldFont);
  if (item.itemState & ODS_FOCUS) {
    RECT focus = rect;
    DrawFocusRect(dc, &focus);
  }
  return true;
}

}  // namespace sorvel::ui
