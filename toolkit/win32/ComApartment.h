// COM for the thread that holds one: the imaging component's encoders and the shell's extensions
// are COM objects, and Windows (unlike Wine) wants COM initialised on the thread that uses them.
// ole32 is bound on first use: start-up does not load it.
#pragma once

namespace zelvora {

class TComApartment {
public:
    // A single-threaded apartment, as the shell asks for; balanced when this ends.
    TComApartment();
    ~TComApartment();
    TComApartment(const TComApartment&) = delete;
    TComApartment& operator=(const TComApartment&) = delete;

    // False where COM could not be initialised (the calls that need it then fail for themselves).
    bool Initialised() const { return initialised_; }

private:
    bool initialised_ = false;
};

}  // namespace zelvora
