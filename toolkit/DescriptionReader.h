// Builds a window from its stored description: creates the components, sets their properties in
// stream order while they load, resolves references, then calls Loaded() on each.
#pragma once

#include <functional>
#include <string_view>

#include "toolkit/Component.h"
#include "toolkit/Description.h"

namespace zelvora {

// Finds another window by name, for references such as "frmZelvora.siLangDispatcher".
using TWindowLookup = std::function<TComponent*(std::string_view name)>;

// `root` is the window object itself; its class must be the description's root class. Errors
// (EDescriptionError) name the window, the object and the property.
void ReadDescription(TComponent& root, const TObjectDesc& description, const TWindowLookup& windows = {});
void ReadDescription(TComponent& root, std::string_view text, const TWindowLookup& windows = {});

}  // namespace zelvora
