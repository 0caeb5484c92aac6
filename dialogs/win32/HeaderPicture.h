// The secondary windows show the main window's header picture.
#pragma once

#include "toolkit/win32/Form.h"

namespace zelvora {

void CopyHeaderPicture(TForm& window);
// Esc closes the window (its OnKeyPress handler).
void CloseOnEscape(TForm& window, TEventArgs& key);

}  // namespace zelvora
