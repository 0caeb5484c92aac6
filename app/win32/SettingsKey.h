// The settings key, opened (created when missing) once and kept open for the whole run.
#pragma once

#include "app/Settings.h"
#include "toolkit/win32/Registry.h"

namespace zelvora {

class TSettingsKey : public ISettingsValues {
public:
    TSettingsKey() : registry_(HKEY_CURRENT_USER, kSettingsKeyPath) {}

    bool ValueExists(const std::string& name) const override { return registry_.ValueExists(name); }
    int ReadInteger(const std::string& name) const override { return registry_.ReadInteger(name); }
    void WriteInteger(const std::string& name, int value) override { registry_.WriteInteger(name, value); }

private:
    TRegistry registry_;
};

}  // namespace zelvora
