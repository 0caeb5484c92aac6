// Where a caption panel keeps its place between runs, and its sizing setting.
#pragma once

#include <string>
#include "toolkit/Properties.h"

namespace zelvora {

class TPanelPosition : public TPersistent {
public:
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    bool Save() const { return save_; }
    void SetSave(bool save) { save_ = save; }
    TPositionLocation Location() const { return location_; }
    void SetLocation(TPositionLocation location) { location_ = location; }
    const std::string& Key() const { return key_; }
    void SetKey(const std::string& key) { key_ = key; }
    const std::string& Section() const { return section_; }
    void SetSection(const std::string& section) { section_ = section; }

private:
    bool save_ = false;
    TPositionLocation location_ = TPositionLocation::clRegistry;
    std::string key_, section_;
};

// Sizing a panel to its text; kept as a setting, the program never switches it on.
class TAutoSize : public TPersistent {
public:
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { enabled_ = value; }
    bool Height() const { return height_; }
    void SetHeight(bool value) { height_ = value; }
    bool Width() const { return width_; }
    void SetWidth(bool value) { width_ = value; }

private:
    bool enabled_ = false, height_ = true, width_ = true;
};

}  // namespace zelvora
