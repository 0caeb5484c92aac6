#include "toolkit/Application.h"

#include <gtest/gtest.h>

#include "toolkit/Form.h"

namespace zelvora {
namespace {

TEST(ErrorDisplay, AddsAFullStopOnlyAfterCharactersSortingAfterIt)
{
    EXPECT_EQ(ErrorDisplayText("Cannot open"), "Cannot open.");
    EXPECT_EQ(ErrorDisplayText("Done."), "Done.");
    EXPECT_EQ(ErrorDisplayText("Really?"), "Really?.");  // "?" sorts after "."
    EXPECT_EQ(ErrorDisplayText("Stop!"), "Stop!");       // '!' sorts before '.'
    EXPECT_EQ(ErrorDisplayText("Gr\xFC\xDF"), "Gr\xFC\xDF.");
    EXPECT_EQ(ErrorDisplayText(""), "");
}

class SampleForm : public TForm {
public:
    explicit SampleForm(TApplication& app) : TForm(app, Params()) {}
    static TFormParams Params()
    {
        TFormParams p;
        p.ClassName = "TSampleForm";
        p.Caption = "Sample";
        p.ClientWidth = 417;
        p.ClientHeight = 241;
        return p;
    }
};

TEST(Application, FirstFormIsMainFormAndOwnedByTheApplicationWindow)
{
    TApplication app;
    app.SetTitle("Zelvora");
    EXPECT_EQ(Application, &app);
    SampleForm& form = app.CreateForm<SampleForm>();
    app.CreateForm<SampleForm>();
    EXPECT_EQ(app.MainForm(), &form);
    EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), app.Handle());
    RECT client{};
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, 417);
    EXPECT_EQ(client.bottom, 241);
    EXPECT_EQ(form.Caption(), "Sample");
    const LONG style = GetWindowLongA(form.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
}

TEST(Application, ClosingTheMainFormEndsTheLoopAndFreesTheForms)
{
    HWND formWindow = nullptr;
    {
        TApplication app;
        SampleForm& form = app.CreateForm<SampleForm>();
        formWindow = form.Handle();
        PostMessageA(formWindow, WM_CLOSE, 0, 0);
        app.Run();
        EXPECT_TRUE(app.Terminated());
        EXPECT_TRUE(IsWindow(formWindow));
    }
    EXPECT_FALSE(IsWindow(formWindow));
    EXPECT_EQ(Application, nullptr);
}

}  // namespace
}  // namespace zelvora
