#include "dialogs/win32/HeaderPicture.h"

#include "toolkit/win32/Application.h"
#include "toolkit/win32/Image.h"

namespace zelvora {

void CopyHeaderPicture(TForm& window)
{
    auto* target = dynamic_cast<TImage*>(window.FindComponent("ImageHeader"));
    auto* main = Application ? Application->MainForm() : nullptr;
    auto* source = main ? dynamic_cast<TImage*>(main->FindComponent("ImageHeader")) : nullptr;
    if (target && source) target->AssignPicture(*source);
}

void CloseOnEscape(TForm& window, TEventArgs& key)
{
    if (key.Key != VK_ESCAPE) return;
    key.Key = 0;
    window.Close();
}

}  // namespace zelvora
