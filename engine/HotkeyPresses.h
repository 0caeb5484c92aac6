// One action per press of a hotkey. The system repeats a held combination at the keyboard's rate
// where MOD_NOREPEAT is not honoured (Wine ignores it): a hotkey that comes again before its key
// was seen up is such a repeat. Bookkeeping only; the main window watches the keys.
#pragma once

#include <functional>
#include <vector>

namespace zelvora {

class THotkeyPresses {
public:
    // True for a new press; false for a repeat of one whose key has not been seen up since.
    bool Press(int id);
    // `keyDown(id)` tells whether that hotkey's key is down now; a key seen up ends its press.
    void Watch(const std::function<bool(int id)>& keyDown);
    // Some press waits for its key to go up: the keys need watching.
    bool Waiting() const { return !held_.empty(); }

private:
    std::vector<int> held_;
};

}  // namespace zelvora
