#include "controls/win32/CaptionPanel.h"

#include <optional>

#include "toolkit/win32/Registry.h"

namespace zelvora {

const TClassInfo& TPanelPosition::StaticClassInfo()
{
    static const TClassInfo info(
        "TPanelPosition", nullptr,
        {BooleanProperty<TPanelPosition>("Save", &TPanelPosition::Save, &TPanelPosition::SetSave),
         EnumProperty<TPanelPosition, TPositionLocation>("Location", {"clRegistry", "clInifile"},
                                                         &TPanelPosition::Location,
                                                         &TPanelPosition::SetLocation),
         StringProperty<TPanelPosition>("Key", &TPanelPosition::Key, &TPanelPosition::SetKey),
         StringProperty<TPanelPosition>("Section", &TPanelPosition::Section, &TPanelPosition::SetSection)});
    return info;
}

const TClassInfo& TAutoSize::StaticClassInfo()
{
    static const TClassInfo info(
        "TAutoSize", nullptr,
        {BooleanProperty<TAutoSize>("Enabled", &TAutoSize::Enabled, &TAutoSize::SetEnabled),
         BooleanProperty<TAutoSize>("Height", &TAutoSize::Height, &TAutoSize::SetHeight),
         BooleanProperty<TAutoSize>("Width", &TAutoSize::Width, &TAutoSize::SetWidth)});
    return info;
}

namespace {

// The panel's place is kept under HKCU\<Key>\<Section>, or in the [Section] of the INI file <Key>.
// Reading never creates the key; a value that is missing or of another type gives the fallback,
// and a place that cannot be written is simply not kept.
class PositionStore {
public:
    PositionStore(const TPanelPosition& position, TKeyOpening opening)
        : position_(position),
          registry_(position.Location() == TPositionLocation::clRegistry
                        ? std::make_optional<TRegistry>(HKEY_CURRENT_USER,
                                                        position.Key() + "\\" + position.Section(), opening)
                        : std::nullopt)
    {
    }
    int Read(const char* name, int fallback) const
    {
        if (!registry_)
            return static_cast<int>(
                GetPrivateProfileIntA(position_.Section().c_str(), name, fallback, position_.Key().c_str()));
        try {
            return registry_->ValueExists(name) ? registry_->ReadInteger(name) : fallback;
        } catch (const ERegistryException&) {
            return fallback;
        }
    }
    void Write(const char* name, int value)
    {
        if (!registry_) {
            WritePrivateProfileStringA(position_.Section().c_str(), name, std::to_string(value).c_str(),
                                       position_.Key().c_str());
            return;
        }
        try {
            registry_->WriteInteger(name, value);
        } catch (const ERegistryException&) {
        }
    }

private:
    const TPanelPosition& position_;
    std::optional<TRegistry> registry_;
};

bool Persisted(const TPanelPosition& position)
{
    return position.Save() && !position.Key().empty() && !position.Section().empty();
}

}  // namespace

void TAdvPanel::SavePosition()
{
    if (!Persisted(position_)) return;
    PositionStore store(position_, TKeyOpening::CreateMissing);
    store.Write("Top", Top());
    store.Write("Left", Left());
    store.Write("Height", Height());
    store.Write("FullHeight", fullHeight_);
    store.Write("Width", Width());
    store.Write("Collaps", collaps_ ? 1 : 0);
}

void TAdvPanel::RestorePosition()
{
    if (!Persisted(position_)) return;
    const PositionStore store(position_, TKeyOpening::ExistingOnly);
    const int height = store.Read("Height", Height());
    SetBounds(store.Read("Left", Left()), store.Read("Top", Top()), store.Read("Width", Width()), height);
    fullHeight_ = store.Read("FullHeight", height);
    collaps_ = store.Read("Collaps", 0) == 1;
}

}  // namespace zelvora
