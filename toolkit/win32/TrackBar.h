// A track bar: a position between a minimum and a maximum, moved with the mouse or keys.
#pragma once

#include "toolkit/win32/Control.h"

namespace zelvora {

class TTrackBar : public TControl {
public:
    explicit TTrackBar(TComponent* owner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int Min() const { return min_; }
    void SetMin(int min);
    int Max() const { return max_; }
    void SetMax(int max);
    int Position() const { return position_; }
    // Clamps to Min..Max; a changed position runs OnChange, whoever set it.
    void SetPosition(int position);
    int Frequency() const { return frequency_; }
    void SetFrequency(int frequency);
    TEventRef OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    int min_ = 0, max_ = 10, position_ = 0, frequency_ = 1;
};

}  // namespace zelvora
