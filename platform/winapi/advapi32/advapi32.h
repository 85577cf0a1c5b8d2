// advapi32 stand-ins: reading HKEY_CURRENT_USER. The hive is the REGEDIT4
// file named by WINAPI_REGISTRY, or else
// ${XDG_CONFIG_HOME:-~/.config}/winapi/user.reg. It is read when a key is
// opened and when a value is queried, so edits show at once. A missing or
// malformed file holds no keys (a malformed one is reported on stderr).
// The results are Windows' error codes; these functions leave the last error
// alone, as on Windows.
#pragma once

#include "platform/winapi/api.h"

extern "C" {

WINAPI_API LSTATUS RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired,
                                 PHKEY phkResult);
WINAPI_API LSTATUS RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved,
                                    LPDWORD lpType, BYTE* lpData, LPDWORD lpcbData);
WINAPI_API LSTATUS RegCloseKey(HKEY hKey);

}  // extern "C"
