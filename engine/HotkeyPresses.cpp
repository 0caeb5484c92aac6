#include "engine/HotkeyPresses.h"

#include <algorithm>

namespace zelvora {

bool THotkeyPresses::Press(int id)
{
    if (std::find(held_.begin(), held_.end(), id) != held_.end()) return false;
    held_.push_back(id);
    return true;
}

void THotkeyPresses::Watch(const std::function<bool(int id)>& keyDown)
{
    std::erase_if(held_, [&](int id) { return !keyDown(id); });
}

}  // namespace zelvora
