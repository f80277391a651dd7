// How the drive box names and lists drives, against drive answers that Wine
// cannot give (network drives, RAM disks, labels with double-byte letters).
#include <gtest/gtest.h>

#include <map>

#include "platform/win32/Win32Platform.h"
#include "ui/controls/DriveBox.h"

namespace sorvel::ui {
namespace {

struct Drive {
  DriveType type;
  std::optional<std::string> label;
  std::optional<std::string> remote;
};

class DrivesPlatform : public win32::Win32Platform {
 public:
  std::map<char, Drive> drives;
  std::string current = "C:\\";
  int namesRead = 0;  // labels and network names

  std::string CurrentDirectory() override { return current; }

  std::uint32_t LogicalDrives() override {
    std::uint32_t bits = 0;
    for (const auto& [letter, drive] : drives) bits |= 1u << (letter - 'A');
    return bits;
  }
  DriveType DriveTypeOf(const std::string& root) override {
    auto found = drives.find(root[0]);
    return root.size() == 3 && found != drives.end() ? found->second.type : DriveType::NoRootDir;
  }
  std::optional<std::string> VolumeLabel(const std::string& root) override {
    ++namesRead;
    return root.size() == 3 ? drives.at(root[0]).label : std::nullopt;
  }
  std::optional<std::string> NetworkRemoteName(const std::string& drive) override {
    ++namesRead;
    return drive.size() == 2 ? drives.at(drive[0]).remote : std::nullopt;
  }
};

TEST(DriveBoxTest, ListsDrivesByTypeWithUpperCasedLabels) {
  DrivesPlatform platform;
  platform.drives = {
      {'A', {DriveType::Removable, "floppy", std::nullopt}},
      {'C', {DriveType::Fixed, "system", std::nullopt}},
      {'D', {DriveType::Fixed, std::nullopt, std::nullopt}},
      {'E', {DriveType::Unknown, "x", std::nullopt}},
      {'F', {DriveType::NoRootDir, "x", std::nullopt}},
      {'M', {DriveType::RamDisk, "ram", std::nullopt}},
      // "ヂ" is 0x83 0x61: its second byte must not be taken for "a".
      {'P', {DriveType::Fixed, "ヂa数学b", std::nullopt}},
      {'Q', {DriveType::CdRom, std::nullopt, std::nullopt}},
      {'X', {DriveType::Remote, "label", "\\\\server\\share"}},
      {'Y', {DriveType::Remote, "net", std::nullopt}},
  };
  const std::vector<DriveItem> items = ListDrives(platform);
  std::vector<std::pair<std::string, DriveKind>> shown;
  for (const DriveItem& item : items) {
    EXPECT_EQ(item.caption[0], item.letter);
    shown.emplace_back(item.caption, item.kind);
  }
  const std::vector<std::pair<std::string, DriveKind>> expected = {
      {"A:", DriveKind::Removable},
      {"C: [SYSTEM]", DriveKind::Fixed},
      {"D: []", DriveKind::Fixed},
      {"M: [RAM]", DriveKind::RamDisk},
      {"P: [ヂA数学B]", DriveKind::Fixed},
      {"Q: []", DriveKind::CdRom},
      {"X: \\\\SERVER\\SHARE", DriveKind::Network},
      {"Y: [NET]", DriveKind::Network},
  };
  EXPECT_EQ(shown, expected);
}

TEST(DriveBoxTest, PickingCallsOnChangeOnlyForAnotherDrive) {
  DrivesPlatform platform;
  platform.drives = {{'C', {DriveType::Fixed, "sys", std::nullopt}},
                     {'Q', {DriveType::CdRom, std::nullopt, std::nullopt}}};
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                                nullptr, nullptr);
  DriveBox box(platform);
  int changes = 0;
  ASSERT_NO_THROW(box.Create({.parent = parent, .name = "dcbDrive", .place = {0, 0, 145, 22}},
                             {.onChange = [&] { ++changes; }}));
  ASSERT_EQ(SendMessageW(box.Handle(), CB_GETCOUNT, 0, 0), 2);

  EXPECT_TRUE(box.SetDrive('q'));
  EXPECT_EQ(box.Drive(), 'Q');
  EXPECT_EQ(box.SelectedCaption(), "Q: []");
  EXPECT_EQ(SendMessageW(box.Handle(), CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(box.SetDrive('Q'));
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(box.SetDrive('R'));  // not listed
  EXPECT_EQ(box.Drive(), 'Q');
  EXPECT_EQ(changes, 1);
  DestroyWindow(parent);
}

// Listed later, the box starts on the current drive without naming any
// drive; it lists them all at once when it cannot start so, or when asked.
TEST(DriveBoxTest, ListingLaterNamesNoDriveUntilListed) {
  struct Case {
    const char* current;
    char drive;        // shown after creation
    int itemsAtFirst;  // listed at creation
  };
  const Case cases[] = {
      {"C:\\SERIES\\", 'C', 0},
      {"x:\\", 'X', 0},  // a network drive, named only when listed
      {"F:\\", 'C', 3},  // no root: the first listed drive, as at once
      {"", 'C', 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.current);
    DrivesPlatform platform;
    platform.drives = {{'C', {DriveType::Fixed, "sys", std::nullopt}},
                       {'F', {DriveType::NoRootDir, "x", std::nullopt}},
                       {'Q', {DriveType::CdRom, "disc", std::nullopt}},
                       {'X', {DriveType::Remote, "net", "\\\\server\\share"}}};
    platform.current = c.current;
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                                  nullptr, nullptr);
    DriveBox box(platform);
    int changes = 0;
    ASSERT_NO_THROW(box.Create({.parent = parent, .name = "dcbDrive", .place = {0, 0, 145, 22}},
                               {.onChange = [&] { ++changes; }, .listLater = true}));
    EXPECT_EQ(box.Drive(), c.drive);
    EXPECT_EQ(SendMessageW(box.Handle(), CB_GETCOUNT, 0, 0), c.itemsAtFirst);
    EXPECT_EQ(platform.namesRead, c.itemsAtFirst);

    box.List();
    box.List();
    EXPECT_EQ(SendMessageW(box.Handle(), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(platform.namesRead, 3);
    EXPECT_EQ(box.Drive(), c.drive);
    EXPECT_EQ(box.SelectedCaption()[0], c.drive);
    EXPECT_EQ(changes, 0);
    DestroyWindow(parent);
  }
}

}  // namespace
}  // namespace sorvel::ui
