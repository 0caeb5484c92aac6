// Portable engine code that needs Windows.
#pragma once

#include <windows.h>
