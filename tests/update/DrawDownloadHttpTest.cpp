// Downloads against a real HTTP server on the loopback interface: every
// failure leaves the previous draw file and the database as they were.
#include "common/FileIO.h"
#include "common/Strings.h"
#include "fakes/DrawDatabaseFixture.h"
#include "fakes/RawDatabase.h"
#include "fakes/UpdateFakes.h"
#include "query/StatementRunner.h"
#include "update/DrawUpdate.h"
#include "update/LoopbackDrawServer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <netinet/in.h>
#include <openssl/evp.h>
#include <openssl/x509.h>
#include <sys/socket.h>
#include <unistd.h>

namespace veltrix {
namespace {

using namespace std::chrono_literals;

// dlt draws, issues first, first + 1, ...
std::string DrawLines(int first, int count) {
    std::string text;
    for (int issue = first; issue < first + count; ++issue)
        text += StrFormat("%d 2024-01-%02d 1 2 3 4 5 6 %d\r\n", issue, issue % 28 + 1, issue % 10);
    return text;
}

using Handler = test::LoopbackDrawServer::Handler;

// Sends `body` in chunks of `bytes`, `pause` apart.
Handler Chunked(std::string body, size_t bytes, std::chrono::milliseconds pause) {
    return [=](const httplib::Request&, httplib::Response& response) {
        response.set_chunked_content_provider(
            "text/plain", [=](size_t offset, httplib::DataSink& sink) {
                if (offset >= body.size()) {
                    sink.done();
                    return true;
                }
                std::this_thread::sleep_for(pause);
                return sink.write(body.data() + offset, std::min(bytes, body.size() - offset));
            });
    };
}

// Sends `body` without stating its length: only the closed connection
// marks its end.
Handler CloseDelimited(std::string body) {
    return [body](const httplib::Request&, httplib::Response& response) {
        response.set_content_provider("text/plain", [body](size_t offset, httplib::DataSink& sink) {
            if (offset < body.size())
                sink.write(body.data() + offset, body.size() - offset);
            else
                sink.done();
            return true;
        });
    };
}

// Answers only after `wait`: a server that took the connection and hangs.
Handler Stalled(std::chrono::milliseconds wait) {
    return [wait](const httplib::Request&, httplib::Response& response) {
        std::this_thread::sleep_for(wait);
        response.set_content(DrawLines(900, 5), "text/plain");
    };
}

Handler Answer(int status, std::string body) {
    return [status, body](const httplib::Request&, httplib::Response& response) {
        response.status = status;
        response.set_content(body, "text/plain");
    };
}

Handler Redirect(std::string to) {
    return
        [to](const httplib::Request&, httplib::Response& response) { response.set_redirect(to); };
}

// Sends the first half of a body of draws, then drops the connection.
Handler HalfBody(bool chunked) {
    return [chunked](const httplib::Request&, httplib::Response& response) {
        const std::string body = DrawLines(900, 50);
        auto half = [body](size_t offset, httplib::DataSink& sink) {
            if (offset > 0)
                return false;
            sink.write(body.data(), body.size() / 2);
            return true;
        };
        if (chunked)
            response.set_chunked_content_provider("text/plain", half);
        else
            response.set_content_provider(body.size(), "text/plain",
                                          [half](size_t offset, size_t, httplib::DataSink& sink) {
                                              return half(offset, sink);
                                          });
    };
}

class DrawDownloadHttpTest : public test::DrawDatabaseFixture {
protected:
    void SetUp() override {
        DrawDatabaseFixture::SetUp();
        std::filesystem::create_directories(Folder());
    }

    std::string Folder() const { return dir.File("draws"); }
    std::string LocalPath(const char* name) const { return Folder() + "/" + name; }

    std::string FileBytes(const std::string& path) {
        return ReadFileBytes(path).value_or("<no file>");
    }

    test::LoopbackDrawServer server;
    // Short limits keep the stalling cases quick: connect 2 s, below 1 KB/s
    // for 2 s, 8 s in all, 64 KB, 3 redirects.
    CurlDrawDownloader downloader{CurlDownloadLimits{2s, 1024, 2s, 8s, 64 * 1024, 3}};
    test::QuietQueryHost host;
    ConnectionSqlRunner runner{db, host};
    test::RecordingTitle title{"Zox"};
    ServerDrawSource source{downloader, ChooseDrawServer(server.Base())};
    DrawUpdateContext context{source, runner, Folder()};
};

TEST_F(DrawDownloadHttpTest, CompleteTransferAfterARedirectReplacesTheFile) {
    server.Serve("dlt.TXT", "new bytes\r\n");
    server.Handle("old.TXT", Redirect("/getData/dlt.TXT"));
    std::ofstream(LocalPath("dlt.txt")) << "old bytes\r\n";
    DownloadResult result =
        downloader.Download(server.Base() + "/getData/old.TXT", LocalPath("dlt.txt"));
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.httpStatus, 200);
    EXPECT_EQ(FileBytes(LocalPath("dlt.txt")), "new bytes\r\n");
}

TEST_F(DrawDownloadHttpTest, TransferSlowButAboveTheLowSpeedLimitArrives) {
    // 2 KB/s for 3 s: a whole-transfer cap of the old kind would have to be
    // generous for every file size; the low-speed limit is not fooled.
    const std::string body = DrawLines(900, 150).substr(0, 6000);
    server.Handle("dlt.TXT", Chunked(body.substr(0, body.rfind('\n') + 1), 200, 100ms));
    GameUpdateReport report = UpdateGameDraws(LotteryKind::Dlt, context, title);
    EXPECT_TRUE(report.download.ok) << report.download.error;
    EXPECT_GT(report.import.inserted, 100);
}

TEST_F(DrawDownloadHttpTest, CloseDelimitedBodyCutShortIsRefused) {
    // A body without a stated length that ends inside its last line, even
    // right after its carriage return, was cut.
    const std::string whole = DrawLines(900, 3);
    for (const std::string& body : {whole, whole.substr(0, whole.size() - 1)}) {
        const bool ok = body == whole;
        SCOPED_TRACE(ok ? "whole" : "cut");
        server.Handle("dlt.TXT", CloseDelimited(body));
        std::ofstream(LocalPath("dlt.txt"), std::ios::binary) << "old\r\n";
        DownloadResult result =
            FetchDrawFile(source, Lottery(LotteryKind::Dlt), LocalPath("dlt.txt"), nullptr);
        EXPECT_EQ(result.ok, ok) << result.error;
        EXPECT_EQ(FileBytes(LocalPath("dlt.txt")), ok ? whole : "old\r\n");
        EXPECT_EQ(result.error.find("cut") != std::string::npos, !ok) << result.error;
        EXPECT_FALSE(FileExists(LocalPath("dlt.txt.part")));
    }
}

// One misbehaving server per case; the game's previous file has already
// been imported, so a run that keeps it changes nothing.
struct FailureCase {
    const char* name;
    const char* why; // part of the error text
    Handler handler;
};

class DownloadFailureTest : public DrawDownloadHttpTest,
                            public ::testing::WithParamInterface<FailureCase> {};

TEST_P(DownloadFailureTest, KeepsTheOldFileAndTheDatabase) {
    const std::string old = DrawLines(500, 3);
    std::ofstream(LocalPath("dlt.txt"), std::ios::binary) << old;
    ASSERT_EQ(UpdateGameDraws(LotteryKind::Dlt, context, title).import.inserted, 3)
        << "nothing is served yet: the old file is imported";
    server.Handle("dlt.TXT", GetParam().handler);

    auto started = std::chrono::steady_clock::now();
    GameUpdateReport report = UpdateGameDraws(LotteryKind::Dlt, context, title);
    auto took = std::chrono::steady_clock::now() - started;

    EXPECT_FALSE(report.download.ok);
    EXPECT_NE(report.download.error.find(GetParam().why), std::string::npos)
        << report.download.error;
    EXPECT_FALSE(report.Succeeded());
    EXPECT_EQ(FileBytes(LocalPath("dlt.txt")), old);
    EXPECT_FALSE(FileExists(LocalPath("dlt.txt.part")));
    EXPECT_EQ(test::RawDatabase(DbPath(), SQLITE_OPEN_READONLY).Count("dlt"), 3);
    EXPECT_EQ(report.import.inserted, 0);
    EXPECT_EQ(title.title, "Zox");
    EXPECT_LT(took, 10s) << "time-outs are seconds";
}

INSTANTIATE_TEST_SUITE_P(
    DrawDownload, DownloadFailureTest,
    ::testing::Values(FailureCase{"NotFound", "status 404", Answer(404, DrawLines(900, 5))},
                      FailureCase{"EmptyBody", "not a draw file", Answer(200, "")},
                      FailureCase{"TrickleBelowTheLowSpeedLimit", "too slow",
                                  Chunked(DrawLines(900, 500), 50, 100ms)},
                      FailureCase{"StallsBeforeAnswering", "too slow", Stalled(3s)},
                      FailureCase{"BodyCutShort", "transfer closed", HalfBody(false)},
                      FailureCase{"ChunkedBodyCutShort", "transfer closed", HalfBody(true)},
                      FailureCase{"LargerThanTheCap", "larger than 65536 bytes",
                                  Answer(200, DrawLines(900, 5000))},
                      FailureCase{"ChunkedLargerThanTheCap", "larger than 65536 bytes",
                                  Chunked(DrawLines(900, 5000), 4096, 0ms)},
                      FailureCase{"RedirectLoop", "redirects", Redirect("/getData/dlt.TXT")},
                      FailureCase{"RedirectToAnotherScheme", "\"file\" not supported",
                                  Redirect("file:///etc/passwd")}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(DrawDownloadHttpTest, ConnectionRefused) {
    // A bound socket that never listens: connecting to it is refused.
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
    socklen_t length = sizeof address;
    auto* bound = reinterpret_cast<sockaddr*>(&address);
    ASSERT_TRUE(fd >= 0 && ::bind(fd, bound, length) == 0 &&
                ::getsockname(fd, bound, &length) == 0);
    std::string base = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port));

    std::ofstream(LocalPath("ssq.txt"), std::ios::binary) << "old\r\n";
    ServerDrawSource refusing(downloader, ChooseDrawServer(base));
    DrawUpdateContext context{refusing, runner, Folder()};
    GameUpdateReport report = UpdateGameDraws(LotteryKind::Ssq, context, title);
    ::close(fd);
    EXPECT_EQ(report.download.httpStatus, 0);
    // The error names the server and the setting that chose it.
    EXPECT_TRUE(report.download.error.starts_with("cannot reach the draw-data server " + base +
                                                  " (chosen by [OPTION] DrawServer in "
                                                  "./Veltrix.ini)"))
        << report.download.error;
    EXPECT_EQ(FileBytes(LocalPath("ssq.txt")), "old\r\n");
    EXPECT_FALSE(FileExists(LocalPath("ssq.txt.part")));
}

// A certificate for 127.0.0.1 signed by itself: nobody vouches for it.
struct SelfSignedCertificate {
    SelfSignedCertificate() {
        key = EVP_RSA_gen(2048);
        cert = X509_new();
        ASN1_INTEGER_set(X509_get_serialNumber(cert), 1);
        X509_gmtime_adj(X509_getm_notBefore(cert), 0);
        X509_gmtime_adj(X509_getm_notAfter(cert), 3600);
        X509_set_pubkey(cert, key);
        X509_NAME* name = X509_get_subject_name(cert);
        X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                                   reinterpret_cast<const unsigned char*>("127.0.0.1"), -1, -1, 0);
        X509_set_issuer_name(cert, name);
        X509_sign(cert, key, EVP_sha256());
    }
    ~SelfSignedCertificate() {
        X509_free(cert);
        EVP_PKEY_free(key);
    }
    EVP_PKEY* key = nullptr;
    X509* cert = nullptr;
};

TEST_F(DrawDownloadHttpTest, UntrustedCertificateIsRefused) {
    SelfSignedCertificate certificate;
    httplib::SSLServer tls(certificate.cert, certificate.key);
    ASSERT_TRUE(tls.is_valid());
    tls.Get("/getData/dlt.TXT", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("1 2024-01-01 1 2 3 4 5 6 7\r\n", "text/plain");
    });
    int port = tls.bind_to_any_port("127.0.0.1");
    std::thread serving([&] { tls.listen_after_bind(); });

    std::ofstream(LocalPath("dlt.txt"), std::ios::binary) << "old\r\n";
    ServerDrawSource tlsSource(downloader,
                               ChooseDrawServer("https://127.0.0.1:" + std::to_string(port)));
    DownloadResult result =
        FetchDrawFile(tlsSource, Lottery(LotteryKind::Dlt), LocalPath("dlt.txt"), nullptr);
    tls.stop();
    serving.join();

    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("certificate"), std::string::npos) << result.error;
    EXPECT_EQ(FileBytes(LocalPath("dlt.txt")), "old\r\n");
}

} // namespace
} // namespace veltrix
