// The names saved screens get: the local time to the second, and a number for a second picture
// in the same second, so that no picture ever takes another's place.
#pragma once

#include <string>

namespace zelvora {

struct TLocalTime {
    int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};

// "Zelvora 2026-12-08 14.03.22.png"; the second picture of that second "Zelvora 2026-12-08 14.03.22 (2).png".
std::string SnapshotFileName(const TLocalTime& at, int copy = 1);

}  // namespace zelvora
