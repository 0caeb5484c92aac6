// Every class a window description may name.
#pragma once

namespace zelvora {

void RegisterComponentClasses();

}  // namespace zelvora
