// A hidden window the whole process shares: created by its first user, freed with its last, and
// handing each message back to the user it names by a counted id. Ids are counted, not
// addresses: an address does not fit the 32 bits an id may travel in.
#pragma once

#include <windows.h>

#include <unordered_map>

#include "toolkit/win32/Handles.h"

namespace zelvora {

// `Derived` names the window class (kClassName), gives the window procedure (WindowProc) and
// whether the window only takes messages (kMessageOnly), and is the one instance per process.
template <typename Derived, typename User, typename Id>
class TSharedHandlerWindow {
public:
    static Derived& Acquire()
    {
        if (!instance_) instance_ = new Derived;
        ++references_;
        return *instance_;
    }
    static void Release()
    {
        if (references_ > 0 && --references_ == 0) {
            delete instance_;
            instance_ = nullptr;
        }
    }
    static Derived* Instance() { return instance_; }

    HWND Window() const { return window_.get(); }
    Id Add(User* user)
    {
        const Id id = nextId_++;
        users_[id] = user;
        return id;
    }
    void Remove(Id id) { users_.erase(id); }
    User* Find(Id id) const
    {
        const auto found = users_.find(id);
        return found == users_.end() ? nullptr : found->second;
    }

protected:
    TSharedHandlerWindow()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Derived::WindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = Derived::kClassName;
        RegisterClassW(&wc);  // already registered is fine
        window_.reset(CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0,
                                      Derived::kMessageOnly ? HWND_MESSAGE : nullptr, nullptr, wc.hInstance,
                                      nullptr));
    }

private:
    UniqueWindow window_;
    std::unordered_map<Id, User*> users_;
    Id nextId_ = 1;
    static inline Derived* instance_ = nullptr;
    static inline long references_ = 0;
};

}  // namespace zelvora
