// Whether the window manager composes the desktop (always on Windows 8 and later): marks drawn
// on the screen then go at the next frame of whatever lies beneath them.
#pragma once

namespace zelvora {

// False where the window manager's library or its answer is missing (Wine says not composed).
bool DesktopComposed();

}  // namespace zelvora
