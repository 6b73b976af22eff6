// The update check's pieces without a window: where the version file lives, fetching it with a
// short time-out, reading the version it names, and comparing versions.
#pragma once

#include <string>

#include "framework/afxwin.h"

// "Global"/"UpdateURL" overrides the built-in address of the version file.
constexpr wchar_t kKeyUpdateURL[] = L"UpdateURL";
// Start-up waits at most this long for each step of the request.
constexpr DWORD kUpdateCheckTimeoutMs = 3000;
// Only the start of the version file counts.
constexpr UINT kVersionFileMaxBytes = 512;

// The address of the version file: the ini value when set, else the given built-in one.
CString UpdateFileUrl(const CString& builtIn);

// Fetches the first kVersionFileMaxBytes of the answer. False, with nothing in *bytes, when there
// is no connection, the request times out or the server answers with an error status.
bool FetchVersionFile(const CString& url, DWORD timeoutMs, std::string* bytes);

// The version of a version file's "Version=a,b,c,d" line (the last one wins); -1 in every field
// when there is none. The text ends at its first zero byte.
void ParseVersionFile(const std::string& bytes, int version[4]);

// Four numbers separated by points or commas; missing or empty ones are 0.
void ParseVersionText(const CString& text, int version[4]);

// The program file's own version (0.0.0.0 without version information).
void ReadOwnVersion(int version[4]);

// Negative, zero or positive as a is older than, equal to or newer than b; the first field that
// differs decides.
int CompareVersions(const int a[4], const int b[4]);

// "a.b.c.d" without leading zeros.
CString FormatVersion(int a, int b, int c, int d);
