#pragma once
// The windowing and drawing layer in one include: what the editor's code
// calls. See each header for its contracts.

#include "platform/win32/Win32Gdi.h"
#include "platform/win32/Win32Menus.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32Types.h"
#include "platform/win32/Win32Windows.h"
