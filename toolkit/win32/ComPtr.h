// Owns one reference to a COM interface.
#pragma once

#include <utility>

namespace zelvora {

template <typename Interface>
class TComPtr {
public:
    TComPtr() = default;
    ~TComPtr()
    {
        if (pointer_) pointer_->Release();
    }
    TComPtr(TComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;

    Interface* operator->() const { return pointer_; }
    Interface* get() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // For the out parameter of a creating call; the object must be empty.
    Interface** put() { return &pointer_; }

private:
    Interface* pointer_ = nullptr;
};

}  // namespace zelvora
