#pragma once
// Text conversions between UTF-8 (the layer's 8-bit code page, CP_ACP and
// CP_UTF8 alike) and UTF-16 (char16_t units). Any thread.

#include "platform/win32/Win32Types.h"

inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_UTF8 = 65001;
inline constexpr DWORD MB_ERR_INVALID_CHARS = 0x00000008;
inline constexpr DWORD WC_ERR_INVALID_CHARS = 0x00000080;

// Converts count bytes (-1: up to and including the NUL) to UTF-16.
// Invalid UTF-8 (stray or missing continuation bytes, overlong forms,
// surrogates, beyond U+10FFFF) fails with MB_ERR_INVALID_CHARS, else each
// bad byte becomes U+FFFD. With wideSize 0 answers the units needed;
// otherwise the units written, 0 when they do not fit (or on any failure:
// unknown code page or flags, null text, count 0 or below -1).
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int count, LPWSTR wide, int wideSize);
// Converts count units (-1: up to and including the NUL) to UTF-8. A lone
// surrogate fails with WC_ERR_INVALID_CHARS, else becomes U+FFFD. With
// size 0 answers the bytes needed; otherwise the bytes written, 0 when they
// do not fit or on failure (as above; defaultChar and usedDefault must be
// null).
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int count, LPSTR text, int size,
                        LPCSTR defaultChar, BOOL* usedDefault);
