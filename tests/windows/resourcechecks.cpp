// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "resourcechecks.h"

#include "check.h"

#include <windows.h>

#include <cstring>
#include <iterator>
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
void checkIconImage(const GroupIconEntry &entry, const ExpectedIcon &expected,
                    const std::string &label)
{
    DWORD size = 0;
    const unsigned char *bytes = resourceData(
        FindResourceExW(nullptr, RT_ICON, MAKEINTRESOURCEW(entry.id), UsEnglish), &size);
    if (!CHECK(bytes))
        return;
    CHECK_EQUAL_AT(label, size, entry.bytesInRes);
    if (expected.png) {
        static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        if (!CHECK(size >= 24 && std::memcmp(bytes, signature, sizeof signature) == 0))
            return;
        CHECK_EQUAL_AT(label, bigEndian32(bytes + 16), DWORD(expected.size));
        CHECK_EQUAL_AT(label, bigEndian32(bytes + 20), DWORD(expected.size));
        return;
    }
    BITMAPINFOHEADER header{};
    if (!CHECK(size >= sizeof header))
        return;
    std::memcpy(&header, bytes, sizeof header);
    CHECK_EQUAL_AT(label, header.biSize, DWORD(sizeof header));
    CHECK_EQUAL_AT(label, header.biWidth, LONG(expected.size));
    // The height counts the colour image and the transparency mask.
    CHECK_EQUAL_AT(label, header.biHeight, LONG(2 * expected.size));
    CHECK_EQUAL_AT(label, header.biBitCount, WORD(expected.bitsPerPixel));
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

} // namespace

void checkVersionRecord()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (!CHECK(length > 0 && length < MAX_PATH))
        return;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    if (!CHECK(size > 0))
        return;
    std::vector<unsigned char> record(size);
    if (!CHECK(GetFileVersionInfoW(path, 0, size, record.data())))
        return;

    void *value = nullptr;
    UINT valueSize = 0;
    if (CHECK(VerQueryValueW(record.data(), L"\\", &value, &valueSize) &&
              valueSize >= sizeof(VS_FIXEDFILEINFO))) {
        const auto *fixed = static_cast<const VS_FIXEDFILEINFO *>(value);
        CHECK_EQUAL(fixed->dwSignature, DWORD(0xFEEF04BD));
        CHECK_EQUAL(fixed->dwFileVersionMS, DWORD(MAKELONG(4, 12)));
        CHECK_EQUAL(fixed->dwFileVersionLS, DWORD(0));
        CHECK_EQUAL(fixed->dwProductVersionMS, DWORD(MAKELONG(4, 12)));
        CHECK_EQUAL(fixed->dwProductVersionLS, DWORD(0));
        CHECK_EQUAL(fixed->dwFileFlagsMask, DWORD(0x3F));
        CHECK_EQUAL(fixed->dwFileFlags, DWORD(0));
        CHECK_EQUAL(fixed->dwFileOS, DWORD(VOS__WINDOWS32));
        CHECK_EQUAL(fixed->dwFileType, DWORD(VFT_APP));
        CHECK_EQUAL(fixed->dwFileSubtype, DWORD(0));
    }

    if (CHECK(VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation", &value, &valueSize) &&
              valueSize >= 2 * sizeof(WORD))) {
        const auto *translation = static_cast<const WORD *>(value);
        CHECK_EQUAL(translation[0], WORD(0x0409));
        CHECK_EQUAL(translation[1], WORD(0x04B0));
    }

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
        wchar_t *text = nullptr;
        const bool found = VerQueryValueW(record.data(), key.c_str(),
                                          reinterpret_cast<void **>(&text), &valueSize) &&
                           text;
        CHECK_EQUAL_AT(std::string(string.name), std::wstring(found ? text : L"(missing)"),
                       std::wstring(string.value));
    }
}

void checkIconGroup()
{
    DWORD size = 0;
    const unsigned char *bytes =
        resourceData(FindResourceExW(nullptr, RT_GROUP_ICON, L"IDI_ICON1", UsEnglish), &size);
    if (!CHECK(bytes && size >= GroupHeaderSize))
        return;
    WORD header[3];
    std::memcpy(header, bytes, sizeof header);
    CHECK_EQUAL(header[1], WORD(1)); // icons, not cursors
    const size_t count = header[2];
    CHECK_EQUAL(count, std::size(ExpectedIcons));
    if (!CHECK(size >= GroupHeaderSize + count * sizeof(GroupIconEntry)))
        return;

    for (size_t i = 0; i < count && i < std::size(ExpectedIcons); ++i) {
        GroupIconEntry entry;
        std::memcpy(&entry, bytes + GroupHeaderSize + i * sizeof entry, sizeof entry);
        const ExpectedIcon &expected = ExpectedIcons[i];
        const std::string label = "icon entry " + std::to_string(i + 1);
        CHECK_EQUAL_AT(label, entry.width ? entry.width : 256, expected.size);
        CHECK_EQUAL_AT(label, entry.height ? entry.height : 256, expected.size);
        CHECK_EQUAL_AT(label, int(entry.bitCount), expected.bitsPerPixel);
        CHECK_EQUAL_AT(label, int(entry.colorCount), expected.bitsPerPixel == 4 ? 16 : 0);
        CHECK_EQUAL_AT(label, int(entry.id), int(i + 1));
        checkIconImage(entry, expected, label);
    }

    CHECK_EQUAL(loadedIconWidth(32), 32);
    CHECK_EQUAL(loadedIconWidth(256), 256);
}
