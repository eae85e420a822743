// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef CHECK_H
#define CHECK_H

// A tiny check harness for the Windows test program: no test framework is
// available for the cross compiler, and the program must report every failed
// check, not just the first one.

#include <cstdio>
#include <string>
#include <type_traits>

struct CheckCounts
{
    int passed = 0;
    int failed = 0;
};

inline CheckCounts &checkCounts()
{
    static CheckCounts counts;
    return counts;
}

inline bool recordCheck(bool ok, const char *what, const char *file, int line,
                        const std::string &detail = {})
{
    if (ok) {
        ++checkCounts().passed;
        return true;
    }
    ++checkCounts().failed;
    std::printf("FAIL %s:%d: %s%s\n", file, line, what, detail.c_str());
    std::fflush(stdout);
    return false;
}

inline std::string describe(const std::string &text)
{
    return '"' + text + '"';
}

// The texts compared here are plain ASCII; anything else shows as '?'.
inline std::string describe(const std::wstring &text)
{
    std::string narrow;
    for (wchar_t c : text)
        narrow += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    return describe(narrow);
}

inline std::string describe(const wchar_t *text)
{
    return text ? describe(std::wstring(text)) : std::string("null");
}

template <typename T, typename = std::enable_if_t<std::is_integral_v<T>>>
std::string describe(T value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%lld (0x%llx)", static_cast<long long>(value),
                  static_cast<unsigned long long>(value));
    return text;
}

template <typename A, typename B>
bool recordEqual(const A &actual, const B &expected, const char *what, const char *file, int line)
{
    const bool ok = actual == expected;
    return recordCheck(ok, what, file, line,
                       ok ? std::string()
                          : ": got " + describe(actual) + ", expected " + describe(expected));
}

#define CHECK(condition) recordCheck(static_cast<bool>(condition), #condition, __FILE__, __LINE__)
#define CHECK_EQUAL(actual, expected)                                                              \
    recordEqual((actual), (expected), #actual " == " #expected, __FILE__, __LINE__)
// The same for checks in a loop: the label (a std::string) tells the rounds apart.
#define CHECK_EQUAL_AT(label, actual, expected)                                                    \
    recordEqual((actual), (expected), ((label) + ": " #actual " == " #expected).c_str(), __FILE__, \
                __LINE__)

#endif // CHECK_H
