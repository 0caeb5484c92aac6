// Puts a value back when the scope ends, also when an exception leaves it: guards and temporary
// settings that must not stay set.
#pragma once

namespace zelvora {

template <typename T>
struct TRestore {
    T& Field;
    T Saved;
    ~TRestore() { Field = Saved; }
};

}  // namespace zelvora
