// The application object: title, the hidden window that owns the taskbar button, the forms and
// the message loop.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/Handles.h"

namespace zelvora {

class TForm;

class TApplication {
public:
    TApplication();
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    HWND Handle() const { return window_.get(); }
    HINSTANCE Instance() const { return instance_; }

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);

    // The first form created is the main form; forms are destroyed in reverse order of creation.
    template <typename Form>
    Form& CreateForm()
    {
        auto form = std::make_unique<Form>(*this);
        Form& ref = *form;
        forms_.push_back(std::move(form));
        return ref;
    }
    TForm* MainForm() const { return forms_.empty() ? nullptr : forms_.front().get(); }

    // Shows the main form (or minimises when its state is minimised) and dispatches messages
    // until Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    void ProcessMessages();
    void HandleMessage();
    void Minimize();
    void Restore();

    int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags) const;
    // The default error display: title, error icon, and a closing full stop where one is missing.
    void ShowException(const std::string& message) const;

private:
    bool ProcessMessage(MSG& msg);

    HINSTANCE instance_;
    UniqueWindow window_;
    std::string title_;
    std::vector<std::unique_ptr<TForm>> forms_;
    bool terminated_ = false;
};

// Text the error display shows for a message.
std::string ErrorDisplayText(const std::string& message);

// The one application object of the process; set while a TApplication lives.
extern TApplication* Application;

}  // namespace zelvora
