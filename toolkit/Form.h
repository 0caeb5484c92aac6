// A top-level window bound to its C++ object; derived windows handle their messages in WndProc.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/Handles.h"

namespace zelvora {

class TApplication;

enum class TFormBorderStyle { bsSingle, bsDialog };
enum class TWindowState { wsNormal, wsMinimized };

struct TFormParams {
    std::string ClassName;  // window class, one per form class
    std::string Caption;
    int ClientWidth = 0;
    int ClientHeight = 0;
    TFormBorderStyle BorderStyle = TFormBorderStyle::bsSingle;
    int BackgroundSysColor = COLOR_WINDOW;
};

class TForm {
public:
    TForm(TApplication& application, const TFormParams& params);
    virtual ~TForm();
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    HWND Handle() const { return window_.get(); }
    TApplication& Application() const { return application_; }

    void SetCaption(const std::string& caption);
    std::string Caption() const;
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState state) { windowState_ = state; }
    void Show();

protected:
    // Messages not handled return DefWindowProc's answer; exceptions never leave the window
    // procedure, they go to the application's error display.
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    TApplication& application_;
    UniqueWindow window_;
    TWindowState windowState_ = TWindowState::wsNormal;
};

}  // namespace zelvora
