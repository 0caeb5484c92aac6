// A portable toolkit header.
#pragma once

#include <string>

#include "base/Geometry.h"
