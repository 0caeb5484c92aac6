// The HTTP client against web servers nobody here wrote: Python's http.server (HTTP/1.0, closes
// after each reply) and nginx (HTTP/1.1, keep-alive, chunked replies through a body filter).
#include <signal.h>
#include <unistd.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "../support/Loopback.h"
#include "update/Exceptions.h"
#include "update/HttpClient.h"

namespace zelvora {
namespace {

namespace fs = std::filesystem;

// A server process serving `root` on a port of its own, stopped with the object.
class TServerProcess {
public:
    TServerProcess(std::vector<std::string> argv, int port) : port_(port)
    {
        pid_ = fork();
        if (pid_ == 0) {
            std::vector<char*> args;
            for (std::string& a : argv) args.push_back(a.data());
            args.push_back(nullptr);
            execvp(args[0], args.data());
            _exit(127);
        }
        for (int i = 0; i < 200 && !testing::LoopbackAccepts(port_); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    ~TServerProcess()
    {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    bool Running() const { return testing::LoopbackAccepts(port_); }
    std::string Url(const std::string& path) const
    {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

private:
    pid_t pid_ = -1;
    int port_;
};

class RealServers : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = fs::path(ZELVORA_SERVER_WORK_DIR) /
                ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(root_);
        fs::create_directories(root_ / "www" / "zelvora");
        fs::create_directories(root_ / "www" / "chunked");
        Write("www/zelvora/version.txt", "1.0.0");
        Write("www/chunked/version.txt", "1.0.0\n");
        std::string big;
        for (int i = 0; big.size() < 200000; ++i) big += std::to_string(i) + ",";
        Write("www/zelvora/big.txt", big);
        big_ = big;
    }
    void Write(const std::string& name, const std::string& bytes)
    {
        std::ofstream(root_ / name, std::ios::binary) << bytes;
    }

    TServerProcess StartNginx()
    {
        const int port = testing::FreeLoopbackPort();
        fs::create_directories(root_ / "tmp");
        const std::string r = root_.string();
        Write("nginx.conf",
              "daemon off;\nmaster_process off;\nworker_processes 1;\npid " + r +
                  "/nginx.pid;\n"
                  "error_log " +
                  r +
                  "/error.log;\nevents { worker_connections 64; }\nhttp {\n"
                  "  access_log off;\n  client_body_temp_path " +
                  r + "/tmp;\n  proxy_temp_path " + r +
                  "/tmp;\n"
                  "  fastcgi_temp_path " +
                  r + "/tmp;\n  uwsgi_temp_path " + r + "/tmp;\n  scgi_temp_path " + r +
                  "/tmp;\n"
                  "  default_type text/plain;\n  keepalive_timeout 30;\n"
                  "  server {\n    listen 127.0.0.1:" +
                  std::to_string(port) + ";\n    root " + r +
                  "/www;\n"
                  // A body filter drops the length: the reply goes out chunked.
                  "    location /chunked/ { sub_filter_types *; sub_filter '1.0.0' '1.0.0'; }\n  }\n}\n");
        return TServerProcess({"nginx", "-p", r, "-c", r + "/nginx.conf"}, port);
    }
    TServerProcess StartPython()
    {
        const int port = testing::FreeLoopbackPort();
        return TServerProcess({"python3", "-m", "http.server", std::to_string(port), "--bind", "127.0.0.1",
                               "--directory", (root_ / "www").string()},
                              port);
    }

    fs::path root_;
    std::string big_;
};

TEST_F(RealServers, PythonHttpServerAnswersInHttp10AndCloses)
{
    TServerProcess python = StartPython();
    ASSERT_TRUE(python.Running()) << "python3 -m http.server did not start";
    TIdHTTP http;
    EXPECT_EQ(http.GetAsString(python.Url("/zelvora/version.txt")), "1.0.0");
    EXPECT_EQ(http.Response().ResponseVersion, TIdHTTPProtocolVersion::pv1_0);
    EXPECT_EQ(http.GetAsString(python.Url("/zelvora/big.txt")), big_);
    try {
        http.GetAsString(python.Url("/zelvora/missing.txt"));
        ADD_FAILURE() << "no error for a missing file";
    } catch (const EIdHTTPProtocolException& e) {
        EXPECT_EQ(e.ReplyErrorCode(), 404);
        EXPECT_NE(e.ErrorMessage().find("404"), std::string::npos);
    }
}

TEST_F(RealServers, NginxKeepsTheConnectionAndSendsChunkedReplies)
{
    TServerProcess nginx = StartNginx();
    ASSERT_TRUE(nginx.Running()) << "nginx did not start; see " << (root_ / "error.log");
    TIdHTTP http;
    EXPECT_EQ(http.GetAsString(nginx.Url("/zelvora/version.txt")), "1.0.0");
    EXPECT_TRUE(http.Response().KeepAlive);
    EXPECT_TRUE(http.IsConnected());
    EXPECT_EQ(http.GetAsString(nginx.Url("/zelvora/big.txt")), big_);  // the same connection again
    EXPECT_EQ(http.GetAsString(nginx.Url("/chunked/version.txt")), "1.0.0\n");
    EXPECT_NE(LowerCase(http.Response().RawHeaders.Values("Transfer-Encoding")).find("chunked"),
              std::string::npos);
    try {
        http.GetAsString(nginx.Url("/zelvora/missing.txt"));
        ADD_FAILURE() << "no error for a missing file";
    } catch (const EIdHTTPProtocolException& e) {
        EXPECT_EQ(e.ReplyErrorCode(), 404);
        EXPECT_EQ(e.what(), std::string("HTTP/1.1 404 Not Found"));
        EXPECT_NE(e.ErrorMessage().find("<title>404 Not Found</title>"), std::string::npos);
    }
    EXPECT_EQ(http.GetAsString(nginx.Url("/zelvora/version.txt")), "1.0.0");  // still usable after the error
}

}  // namespace
}  // namespace zelvora
