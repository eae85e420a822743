// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// The Windows resources linked into the running program: the version
// record and the icon group that the program file carries.

#include <windows.h>

#include <doctest.h>

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

namespace {

const WORD UsEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// One entry of an icon group as stored in the program file; it differs from
// the .ico file's directory only in its last field, the icon's resource id.
#pragma pack(push, 2)
struct GroupIconEntry
{
    BYTE width; // 0 stands for 256
    BYTE height;
    BYTE colorCount; // 0 for 256 colours and more
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)
static_assert(sizeof(GroupIconEntry) == 14);
constexpr size_t GroupHeaderSize = 6;

struct ExpectedIcon
{
    int size;
    int bitsPerPixel;
    bool png;
};

// Older systems take the first image that fits, so the small palettes come
// first; the large image is PNG because a 256-pixel bitmap would be huge.
constexpr ExpectedIcon ExpectedIcons[] = {
    {48, 4, false}, {32, 4, false},  {16, 4, false},  {48, 8, false},  {32, 8, false},
    {16, 8, false}, {256, 32, true}, {48, 32, false}, {32, 32, false}, {16, 32, false},
};

const unsigned char *resourceData(HRSRC resource, DWORD *size)
{
    *size = resource ? SizeofResource(nullptr, resource) : 0;
    HGLOBAL loaded = resource ? LoadResource(nullptr, resource) : nullptr;
    return loaded ? static_cast<const unsigned char *>(LockResource(loaded)) : nullptr;
}

DWORD bigEndian32(const unsigned char *bytes)
{
    return DWORD(bytes[0]) << 24 | DWORD(bytes[1]) << 16 | DWORD(bytes[2]) << 8 | bytes[3];
}

// The image itself must be what its group entry promises.
void checkIconImage(const GroupIconEntry &entry, const ExpectedIcon &expected)
{
    DWORD size = 0;
    const unsigned char *bytes = resourceData(
        FindResourceExW(nullptr, RT_ICON, MAKEINTRESOURCEW(entry.id), UsEnglish), &size);
    REQUIRE(bytes);
    CHECK(size == DWORD(entry.bytesInRes));
    if (expected.png) {
        static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        REQUIRE(size >= 24);
        REQUIRE(std::memcmp(bytes, signature, sizeof signature) == 0);
        CHECK(bigEndian32(bytes + 16) == DWORD(expected.size));
        CHECK(bigEndian32(bytes + 20) == DWORD(expected.size));
        return;
    }
    BITMAPINFOHEADER header{};
    REQUIRE(size >= sizeof header);
    std::memcpy(&header, bytes, sizeof header);
    CHECK(header.biSize == DWORD(sizeof header));
    CHECK(header.biWidth == LONG(expected.size));
    // The height counts the colour image and the transparency mask.
    CHECK(header.biHeight == LONG(2 * expected.size));
    CHECK(header.biBitCount == WORD(expected.bitsPerPixel));
}

// Loads the icon the way the window system does and returns its width.
int loadedIconWidth(int size)
{
    HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), L"IDI_ICON1", IMAGE_ICON, size, size,
                             LR_DEFAULTCOLOR);
    if (!icon)
        return 0;
    ICONINFO info{};
    BITMAP bitmap{};
    if (GetIconInfo(static_cast<HICON>(icon), &info)) {
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    DestroyIcon(static_cast<HICON>(icon));
    return bitmap.bmWidth;
}

// The texts compared here are plain ASCII; anything else shows as '?'.
std::string narrow(const wchar_t *text)
{
    std::string narrowed;
    for (; *text; ++text)
        narrowed += (*text >= 0x20 && *text < 0x7F) ? char(*text) : '?';
    return narrowed;
}

} // namespace

TEST_CASE("the version record names Quorvane 12.4.0")
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    REQUIRE(length > 0);
    REQUIRE(length < MAX_PATH);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    REQUIRE(size > 0);
    std::vector<unsigned char> record(size);
    REQUIRE(GetFileVersionInfoW(path, 0, size, record.data()));

    void *value = nullptr;
    UINT valueSize = 0;
    REQUIRE(VerQueryValueW(record.data(), L"\\", &value, &valueSize));
    REQUIRE(valueSize >= sizeof(VS_FIXEDFILEINFO));
    const auto *fixed = static_cast<const VS_FIXEDFILEINFO *>(value);
    CHECK(fixed->dwSignature == DWORD(0xFEEF04BD));
    CHECK(fixed->dwFileVersionMS == DWORD(MAKELONG(4, 12)));
    CHECK(fixed->dwFileVersionLS == DWORD(0));
    CHECK(fixed->dwProductVersionMS == DWORD(MAKELONG(4, 12)));
    CHECK(fixed->dwProductVersionLS == DWORD(0));
    CHECK(fixed->dwFileFlagsMask == DWORD(0x3F));
    CHECK(fixed->dwFileFlags == DWORD(0));
    CHECK(fixed->dwFileOS == DWORD(VOS__WINDOWS32));
    CHECK(fixed->dwFileType == DWORD(VFT_APP));
    CHECK(fixed->dwFileSubtype == DWORD(0));

    REQUIRE(VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation", &value, &valueSize));
    REQUIRE(valueSize >= 2 * sizeof(WORD));
    const auto *translation = static_cast<const WORD *>(value);
    CHECK(translation[0] == WORD(0x0409));
    CHECK(translation[1] == WORD(0x04B0));

    const struct
    {
        const char *name;
        const wchar_t *value;
    } strings[] = {
        {"FileDescription", L"Quorvane"}, {"FileVersion", L"12.4.0"},
        {"InternalName", L"Quorvane"},    {"OriginalFilename", L"Quorvane.exe"},
        {"ProductName", L"Quorvane"},     {"ProductVersion", L"12.4.0"},
    };
    for (const auto &string : strings) {
        std::wstring key = L"\\StringFileInfo\\040904b0\\";
        for (const char *c = string.name; *c; ++c)
            key += wchar_t(*c);
        INFO("StringFileInfo\\" << std::string(string.name));
        wchar_t *text = nullptr;
        const bool found = VerQueryValueW(record.data(), key.c_str(),
                                          reinterpret_cast<void **>(&text), &valueSize) &&
                           text;
        CHECK(narrow(found ? text : L"(missing)") == narrow(string.value));
    }
}

TEST_CASE("the icon group holds the ten images of Quorvane.ico")
{
    DWORD size = 0;
    const unsigned char *bytes =
        resourceData(FindResourceExW(nullptr, RT_GROUP_ICON, L"IDI_ICON1", UsEnglish), &size);
    REQUIRE(bytes);
    REQUIRE(size >= GroupHeaderSize);
    WORD header[3];
    std::memcpy(header, bytes, sizeof header);
    CHECK(header[1] == WORD(1)); // icons, not cursors
    const size_t count = header[2];
    REQUIRE(count == std::size(ExpectedIcons));
    REQUIRE(size >= GroupHeaderSize + count * sizeof(GroupIconEntry));

    for (size_t i = 0; i < count; ++i) {
        GroupIconEntry entry;
        std::memcpy(&entry, bytes + GroupHeaderSize + i * sizeof entry, sizeof entry);
        const ExpectedIcon &expected = ExpectedIcons[i];
        INFO("icon entry " << i + 1);
        CHECK((entry.width ? entry.width : 256) == expected.size);
        CHECK((entry.height ? entry.height : 256) == expected.size);
        CHECK(int(entry.bitCount) == expected.bitsPerPixel);
        CHECK(int(entry.colorCount) == (expected.bitsPerPixel == 4 ? 16 : 0));
        CHECK(int(entry.id) == int(i + 1));
        checkIconImage(entry, expected);
    }
}

TEST_CASE("the window system loads the icon at 32 and 256 pixels")
{
    CHECK(loadedIconWidth(32) == 32);
    CHECK(loadedIconWidth(256) == 256);
}
