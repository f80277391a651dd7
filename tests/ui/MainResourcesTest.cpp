// The program's resources, linked into this test program as into the
// launcher: formats of the pictures, icon and cursors, the manifest and the
// version information.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace sorvel::test {
namespace {

#pragma pack(push, 2)
struct GroupHeader {
  WORD reserved, type, count;
};
struct GroupIconEntry {
  BYTE width, height, colorCount, reserved;
  WORD planes, bitCount;
  DWORD bytesInRes;
  WORD id;
};
struct GroupCursorEntry {
  WORD width, height;  // the height counts the two masks
  WORD planes, bitCount;
  DWORD bytesInRes;
  WORD id;
};
#pragma pack(pop)

const void* Resource(const wchar_t* name, const wchar_t* type, DWORD* size = nullptr) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, name, type);
  if (!found) return nullptr;
  if (size) *size = SizeofResource(module, found);
  return LockResource(LoadResource(module, found));
}

TEST(MainResources, PicturesHaveTheirSizesAndColourDepths) {
  struct Case {
    const wchar_t* name;
    LONG width, height;
    WORD bits;
  };
  for (const Case& c : {Case{L"BACKGROUND", 529, 397, 16}, Case{L"SMALLPICTURE", 81, 65, 8}}) {
    const auto* info = static_cast<const BITMAPINFOHEADER*>(Resource(c.name, RT_BITMAP));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->biWidth, c.width);
    EXPECT_EQ(info->biHeight, c.height);
    EXPECT_EQ(info->biBitCount, c.bits);
    EXPECT_EQ(info->biCompression, static_cast<DWORD>(BI_RGB));
  }
}

TEST(MainResources, IconIsThirtyTwoPixelsInSixteenColours) {
  const auto* group = static_cast<const GroupHeader*>(Resource(L"MAINICON", RT_GROUP_ICON));
  ASSERT_NE(group, nullptr);
  ASSERT_EQ(group->count, 1);
  const auto* entry = reinterpret_cast<const GroupIconEntry*>(group + 1);
  EXPECT_EQ(entry->width, 32);
  EXPECT_EQ(entry->height, 32);
  EXPECT_EQ(entry->colorCount, 16);
  const auto* image =
      static_cast<const BITMAPINFOHEADER*>(Resource(MAKEINTRESOURCEW(entry->id), RT_ICON));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->biBitCount, 4);
  EXPECT_NE(LoadIconW(GetModuleHandleW(nullptr), L"MAINICON"), nullptr);
}

TEST(MainResources, CursorsAreTwoColouredWithTheirHotSpots) {
  struct Case {
    const wchar_t* name;
    DWORD hotX, hotY;
  };
  for (const Case& c : {Case{L"Arrow1CSR", 0, 0}, Case{L"PointCSR", 6, 0}}) {
    SCOPED_TRACE(std::string(c.name, c.name + wcslen(c.name)));
    const auto* group = static_cast<const GroupHeader*>(Resource(c.name, RT_GROUP_CURSOR));
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->count, 1);
    const auto* entry = reinterpret_cast<const GroupCursorEntry*>(group + 1);
    EXPECT_EQ(entry->width, 32);
    EXPECT_EQ(entry->height, 64);
    EXPECT_EQ(entry->bitCount, 1);

    HCURSOR cursor = LoadCursorW(GetModuleHandleW(nullptr), c.name);
    ASSERT_NE(cursor, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_EQ(info.xHotspot, c.hotX);
    EXPECT_EQ(info.yHotspot, c.hotY);
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof(mask), &mask);
    EXPECT_EQ(mask.bmWidth, 32);
    EXPECT_EQ(info.hbmColor, nullptr);  // two colours: masks only
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
  }
}

TEST(MainResources, ManifestAsksForCommonControlsSix) {
  DWORD size = 0;
  const auto* manifest =
      static_cast<const char*>(Resource(MAKEINTRESOURCEW(1), RT_MANIFEST, &size));
  ASSERT_NE(manifest, nullptr);
  const std::string text(manifest, size);
  const size_t controls = text.find("Microsoft.Windows.Common-Controls");
  ASSERT_NE(controls, std::string::npos);
  EXPECT_NE(text.find("version=\"6.0.0.0\"", controls), std::string::npos);
}

// Per monitor, v2, where Windows knows it; per monitor on Windows 8.1, the
// system's DPI before it.
TEST(MainResources, ManifestDeclaresAwarenessOfEachMonitorsDpi) {
  DWORD size = 0;
  const auto* manifest =
      static_cast<const char*>(Resource(MAKEINTRESOURCEW(1), RT_MANIFEST, &size));
  ASSERT_NE(manifest, nullptr);
  const std::string text(manifest, size);
  for (const char* setting :
       {"<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
        "PerMonitorV2, PerMonitor</dpiAwareness>",
        "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">"
        "true/pm</dpiAware>",
        "<windowsSettings>"}) {
    EXPECT_NE(text.find(setting), std::string::npos) << setting;
  }
  EXPECT_LT(text.find("<windowsSettings>"), text.find("<dpiAwareness"));
}

TEST(MainResources, VersionInformationNamesTheProduct) {
  wchar_t module[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  const DWORD size = GetFileVersionInfoSizeW(module, nullptr);
  ASSERT_GT(size, 0u);
  std::string data(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoW(module, 0, size, data.data()));
  wchar_t* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\041103A4\\ProductName",
                             reinterpret_cast<void**>(&value), &length));
  EXPECT_STREQ(value, L"Sorvel Launcher");
  VS_FIXEDFILEINFO* fixed = nullptr;
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), 1);
}

}  // namespace
}  // namespace sorvel::test
