#include "app/SnapshotNames.h"

#include <cstdio>

namespace zelvora {

std::string SnapshotFileName(const TLocalTime& at, int copy)
{
    char name[96];
    std::snprintf(name, sizeof name, "Zelvora %04d-%02d-%02d %02d.%02d.%02d", at.Year, at.Month, at.Day,
                  at.Hour, at.Minute, at.Second);
    std::string result = name;
    if (copy > 1) result += " (" + std::to_string(copy) + ")";
    return result + ".png";
}

}  // namespace zelvora
