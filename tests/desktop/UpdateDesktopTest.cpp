// The online update check in the running program, asked from its menu as a person does, against
// a local server named by the "UpdateServer" setting.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "../support/ScriptedServer.h"
#include "SharedDesktopSuite.h"
#include "driver/Wait.h"
#include "driver/ZelvoraSession.h"

namespace zelvora::desktop {
namespace {

using namespace std::chrono_literals;
using zelvora::testing::CloseNow;
using zelvora::testing::ReadRequest;
using zelvora::testing::Send;
using zelvora::testing::TScriptedServer;

constexpr char kQuestion[] =
    "Best\xE4tigung\tThis function check for new Zelvora versions. Do you want to check for a new update?\n";

inline constexpr char kUpdateFolder[] = "update";

class UpdateCheck : public SharedDesktopSuite<kUpdateFolder> {
protected:
    void SetUp() override { desktop_->ClearSettings(); }

    // Rests the pointer on the main window, where its cursor shows.
    ScreenRect PointAtMainWindow()
    {
        const auto window = desktop_->WindowRect("TfrmZelvora");
        EXPECT_TRUE(window);
        if (!window) return {};
        desktop_->Screen().MovePointer(window->CentreX(), window->CentreY());
        std::this_thread::sleep_for(300ms);
        return *window;
    }
    void PointServerAt(int port)
    {
        desktop_->SetTextSetting("UpdateServer", "127.0.0.1:" + std::to_string(port));
    }

    WineDesktop* desktop_ = &Shared();
};

std::vector<std::vector<zelvora::testing::TServerStep>> Version(const std::string& text, int pauseMs = 0)
{
    return {{ReadRequest(), zelvora::testing::Pause(pauseMs),
             Send("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(text.size()) + "\r\n\r\n" + text),
             CloseNow()}};
}

TEST_F(UpdateCheck, SameVersionIsReportedAndADifferentOneOffersTheDownload)
{
    TScriptedServer same(Version("1.0.0", 4000));  // a slow server: the hourglass shows meanwhile
    PointServerAt(same.Port());
    ZelvoraSession zelvora(*desktop_);
    const ScreenRect window = PointAtMainWindow();
    const std::string normalCursor = desktop_->Screen().PointerCursor();
    ChooseOnlineUpdate(*desktop_);
    EXPECT_EQ(WaitForMessageBox(*desktop_), kQuestion);
    AnswerMessageBox(*desktop_, "yes");
    desktop_->Screen().MovePointer(window.CentreX() + 2, window.CentreY());
    EXPECT_TRUE(WaitUntil([&] { return desktop_->Screen().PointerCursor() != normalCursor; }, 3s, 100ms))
        << "no hourglass while the request waits";
    EXPECT_EQ(WaitForMessageBox(*desktop_), "Informationen\tNo new update for Zelvora available.\n");
    desktop_->Probe({"dismiss-msgboxes"});
    ASSERT_EQ(same.Requests().size(), 1u);
    EXPECT_EQ(same.Requests()[0].rfind("GET /zelvora/version.txt HTTP/1.1\r\n", 0), 0u) << same.Requests()[0];
    EXPECT_NE(same.Requests()[0].find("\r\nHost: 127.0.0.1:" + std::to_string(same.Port()) + "\r\n"),
              std::string::npos);

    TScriptedServer newer(Version("1.0.0\r\n"));  // a line break makes it another version
    PointServerAt(newer.Port());                  // read again at each check
    WaitUntil([&] { return desktop_->Probe({"msgboxes"}).Output.empty(); }, 10s, 100ms);
    ChooseOnlineUpdate(*desktop_);
    EXPECT_EQ(WaitForMessageBox(*desktop_), kQuestion);
    AnswerMessageBox(*desktop_, "yes");
    EXPECT_EQ(WaitForMessageBox(*desktop_),
              "Best\xE4tigung\tA new version of Zelvora is available - do you want to download the new "
              "version with the browser?\n");
    AnswerMessageBox(*desktop_, "no");
    EXPECT_EQ(newer.Requests().size(), 1u);
}

TEST_F(UpdateCheck, NoSendsNothingAndAStoppedServerCannotBeReached)
{
    TScriptedServer server(Version("1.0.0"));
    PointServerAt(server.Port());
    ZelvoraSession zelvora(*desktop_);
    const ScreenRect window = PointAtMainWindow();
    const std::string normalCursor = desktop_->Screen().PointerCursor();
    ChooseOnlineUpdate(*desktop_);
    EXPECT_EQ(WaitForMessageBox(*desktop_), kQuestion);
    AnswerMessageBox(*desktop_, "no");
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(server.Connections(), 0);

    server.Stop();
    ChooseOnlineUpdate(*desktop_);
    EXPECT_EQ(WaitForMessageBox(*desktop_), kQuestion);
    AnswerMessageBox(*desktop_, "yes");
    EXPECT_EQ(WaitForMessageBox(*desktop_), "Zelvora\tCan't connect to the server.\n");
    desktop_->Probe({"dismiss-msgboxes"});
    desktop_->Screen().MovePointer(window.CentreX() + 1, window.CentreY() + 1);
    EXPECT_TRUE(WaitUntil([&] { return desktop_->Screen().PointerCursor() == normalCursor; }, 5s, 100ms))
        << desktop_->Screen().PointerCursor() << " is not the normal " << normalCursor;
}

TEST_F(UpdateCheck, HostileServersEndInTheFailureWhileTheWindowKeepsAnswering)
{
    const std::vector<zelvora::testing::TServerStep> trickle =
        zelvora::testing::Trickle("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n1.2.3", 10000);
    const struct {
        const char* Name;
        std::vector<zelvora::testing::TServerStep> Script;
    } servers[] = {
        {"endless folded header lines",
         {ReadRequest(),
          Send("HTTP/1.1 200 OK\r\nX: a\r\n" + zelvora::testing::Repeated(" folded\r\n", 200000)),
          zelvora::testing::HoldOpen()}},
        {"endless one-byte chunks",
         {ReadRequest(),
          Send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" +
               zelvora::testing::Repeated("1\r\nx\r\n", 200000)),
          zelvora::testing::HoldOpen()}},
        {"a byte every 10 s", trickle},
        {"a chunk of 2^63 - 1 bytes after one byte",
         {ReadRequest(),
          Send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1\r\nx\r\n7fffffffffffffff\r\n" +
               zelvora::testing::Repeated("x", 100000)),
          zelvora::testing::HoldOpen()}},
    };
    ZelvoraSession zelvora(*desktop_);
    for (const auto& hostile : servers) {
        SCOPED_TRACE(hostile.Name);
        TScriptedServer server({hostile.Script});
        PointServerAt(server.Port());
        ChooseOnlineUpdate(*desktop_);
        ASSERT_EQ(WaitForMessageBox(*desktop_), kQuestion);
        AnswerMessageBox(*desktop_, "yes");
        // Within the check's 60 s (and some for the box), the window answers every second.
        bool failed = false;
        const auto until = std::chrono::steady_clock::now() + 75s;
        while (!failed && std::chrono::steady_clock::now() < until) {
            // A probe that did not get to run says nothing; a hung window makes it say "no".
            std::string answer = desktop_->Probe({"answers", "TfrmZelvora"}).Output;
            if (answer.empty()) answer = desktop_->Probe({"answers", "TfrmZelvora"}).Output;
            EXPECT_EQ(answer, "yes\n") << "the window did not answer";
            failed = desktop_->Probe({"msgboxes"}).Output == "Zelvora\tCan't connect to the server.\n";
            if (!failed) std::this_thread::sleep_for(1s);
        }
        EXPECT_TRUE(failed) << "no failure within the deadline";
        desktop_->Probe({"dismiss-msgboxes"});
        std::this_thread::sleep_for(300ms);
    }
}

TEST_F(UpdateCheck, WhileARequestWaitsTheCommandIsOffAndClosingEndsIt)
{
    TScriptedServer slow(Version("1.0.0", 25000));  // within the 30 s read limit
    PointServerAt(slow.Port());
    ZelvoraSession zelvora(*desktop_);
    ChooseOnlineUpdate(*desktop_);
    EXPECT_EQ(WaitForMessageBox(*desktop_), kQuestion);
    AnswerMessageBox(*desktop_, "yes");
    ASSERT_TRUE(WaitUntil([&] { return slow.Connections() == 1; }, 5s, 50ms));
    ChooseOnlineUpdate(*desktop_);  // the command is off: no second question
    std::this_thread::sleep_for(1s);
    EXPECT_EQ(desktop_->Probe({"msgboxes"}).Output, "");
    desktop_->Screen().Tap("Escape");
    desktop_->Screen().Tap("Escape");

    // The marking timer runs on while the request waits: the pen still draws over Notepad and
    // follows the pointer to the end of the stroke.
    X11Screen& screen = desktop_->Screen();
    const ScreenRect edit = desktop_->NotepadEdit();
    const Image before = screen.Grab(edit.Left, edit.Top, edit.Width(), edit.Height());
    const Point start{edit.Left + 60, edit.Top + 200};
    const Point end{edit.Left + 300, edit.Top + 200};
    const Image beforeEnd = screen.Grab(end.X - 6, end.Y - 6, 13, 13);
    screen.MovePointer(start.X, start.Y);
    std::this_thread::sleep_for(80ms);
    {
        HeldKeys chord(screen, {"Alt_L", "1"});
        EXPECT_TRUE(MovePointerAlong(screen, {{start.X + 3, start.Y}}, true)) << "the chord drew nothing";
        MovePointerAlong(screen, StraightPath(start, end, 8), false);
        EXPECT_TRUE(WaitUntil(
            [&] { return CountDifferences(beforeEnd, screen.Grab(end.X - 6, end.Y - 6, 13, 13)) > 0; }, 3s,
            20ms))
            << "the line did not reach the pointer";
    }
    EXPECT_GT(CountDifferences(before, screen.Grab(edit.Left, edit.Top, edit.Width(), edit.Height())), 1000);
    EXPECT_EQ(desktop_->Probe({"msgboxes"}).Output, "");  // no answer yet: the request still waits
    // Closing ends the waiting request, silently, and the program with it: long before the reply.
    desktop_->Probe({"close", "TfrmZelvora"});
    EXPECT_TRUE(WaitUntil([&] { return zelvora.Exited(); }, 8s, 100ms))
        << "closing waited for the slow reply";
    EXPECT_EQ(slow.Connections(), 1);
}

// A resolver of the test's, preloaded into the program's process: names ending in ".hang.test"
// hang until the test lets them go.
class HangingResolver {
public:
    explicit HangingResolver(const std::string& workDir)
        : marker_(workDir + "/lookup-started"), release_(workDir + "/lookup-release")
    {
        std::filesystem::remove(marker_);
        std::filesystem::remove(release_);
        setenv("ZELVORA_HANG_MARKER", marker_.c_str(), 1);
        setenv("ZELVORA_HANG_RELEASE", release_.c_str(), 1);
        setenv("LD_PRELOAD", ZELVORA_HANGING_RESOLVER, 1);
    }
    ~HangingResolver()
    {
        StopPreloading();
        Release();
    }
    // Programs started from now on resolve as usual.
    void StopPreloading() { unsetenv("LD_PRELOAD"); }
    bool WaitForLookup()
    {
        return WaitUntil([&] { return std::filesystem::exists(marker_); }, 30s, 100ms);
    }
    void Release() { std::ofstream(release_) << "go\n"; }

private:
    std::string marker_, release_;
};

TEST_F(UpdateCheck, ClosingWhileTheServersNameIsLookedUpEndsTheProgramOrderly)
{
    desktop_->SetTextSetting("UpdateServer", "update.hang.test");
    HangingResolver resolver(desktop_->WorkDir());
    ZelvoraSession zelvora(*desktop_);
    resolver.StopPreloading();
    ChooseOnlineUpdate(*desktop_);
    EXPECT_EQ(WaitForMessageBox(*desktop_), kQuestion);
    AnswerMessageBox(*desktop_, "yes");
    ASSERT_TRUE(resolver.WaitForLookup()) << "the server's name was not looked up";
    EXPECT_EQ(desktop_->Probe({"answers", "TfrmZelvora"}).Output, "yes\n") << "the lookup froze the window";
    // Closed while the lookup hangs: the program ends now, not when the lookup returns, and
    // writes what a person changed.
    desktop_->Probe({"close", "TfrmZelvora"});
    EXPECT_TRUE(WaitUntil([&] { return zelvora.Exited(); }, 15s, 100ms)) << "the close waited for the lookup";
    resolver.Release();  // the old code crashed here, in the lookup's return
    RegistryValues stored = desktop_->Settings();
    stored.erase("UpdateServer");
    EXPECT_EQ(stored.size(), 20u) << "the values were not written";
    EXPECT_EQ(stored.count("Mode"), 1u);
    EXPECT_EQ(desktop_->Probe({"msgboxes"}).Output, "") << "no report on the way out";
}

}  // namespace
}  // namespace zelvora::desktop
