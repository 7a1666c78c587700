#pragma once
// Whether the process runs under Wine, where native text drawing is not
// trusted: the registry key "Software\Wine" under HKEY_LOCAL_MACHINE exists.
// Asked once, on the first call; later calls answer the same. UI thread.

bool RunningUnderWine();
