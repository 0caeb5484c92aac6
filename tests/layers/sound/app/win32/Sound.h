// The application using the toolkit below it, Win32 code in a win32/ folder.
#pragma once

#include <windows.h>

#include "toolkit/Colors.h"
#include "toolkit/win32/Handles.h"
