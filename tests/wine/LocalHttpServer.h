#pragma once
// A small HTTP server of the test's own on 127.0.0.1, answering every
// request from a thread with the behaviour the test chose. Header only: the
// window tests use it too.

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <string>

namespace velmora::testing {

class LocalHttpServer {
public:
    enum class Mode {
        Whole,     // 200 with the body and its length
        Slow,      // the body in pieces of a tenth, `pause` ms apart
        Cut,       // the full length announced, `cutPercent` of the body sent, then closed
        NoLength,  // no length header, the body, then closed
        NotFound,  // 404 with a small web page
        LyingLong, // a length twice the body's, the body, then closed
    };

    explicit LocalHttpServer(std::string body) : body_(std::move(body)) {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        int length = sizeof address;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        listen(listener_, 8);
        thread_ = CreateThread(nullptr, 0, Serve, this, 0, nullptr);
    }
    ~LocalHttpServer() {
        stopping_ = true;
        closesocket(listener_);
        WaitForSingleObject(thread_, 10000);
        CloseHandle(thread_);
        WSACleanup();
    }
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    std::string address() const { return "http://127.0.0.1:" + std::to_string(port_); }
    std::atomic<Mode> mode{Mode::Whole};
    std::atomic<int> pause{100};
    std::atomic<int> cutPercent{50};
    std::atomic<int> requests{0};

private:
    static DWORD WINAPI Serve(LPVOID self) {
        static_cast<LocalHttpServer*>(self)->serve();
        return 0;
    }
    void serve() {
        while (!stopping_) {
            SOCKET client = accept(listener_, nullptr, nullptr);
            if (client == INVALID_SOCKET)
                return;
            answer(client);
            shutdown(client, SD_BOTH);
            closesocket(client);
        }
    }
    static void sendAll(SOCKET client, const std::string& bytes) {
        std::size_t sent = 0;
        while (sent < bytes.size()) {
            const int n =
                send(client, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
            if (n <= 0)
                return;
            sent += static_cast<std::size_t>(n);
        }
    }
    void answer(SOCKET client) {
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos) {
            const int n = recv(client, buffer, sizeof buffer, 0);
            if (n <= 0)
                return;
            request.append(buffer, static_cast<std::size_t>(n));
        }
        ++requests;
        const std::string page = "<html><body>No such page</body></html>";
        auto head = [](const char* status, std::size_t length, bool withLength) {
            return std::string("HTTP/1.1 ") + status +
                   "\r\nContent-Type: application/octet-stream\r\nConnection: close\r\n" +
                   (withLength ? "Content-Length: " + std::to_string(length) + "\r\n" : "") +
                   "\r\n";
        };
        switch (mode.load()) {
        case Mode::Whole:
            sendAll(client, head("200 OK", body_.size(), true) + body_);
            break;
        case Mode::Slow: {
            sendAll(client, head("200 OK", body_.size(), true));
            const std::size_t piece = body_.size() / 10 + 1;
            for (std::size_t at = 0; at < body_.size() && !stopping_; at += piece) {
                sendAll(client, body_.substr(at, piece));
                Sleep(static_cast<DWORD>(pause.load()));
            }
            break;
        }
        case Mode::Cut:
            sendAll(client,
                    head("200 OK", body_.size(), true) +
                        body_.substr(0, body_.size() * static_cast<std::size_t>(cutPercent) / 100));
            break;
        case Mode::NoLength:
            sendAll(client, head("200 OK", 0, false) + body_);
            break;
        case Mode::NotFound:
            sendAll(client, head("404 Not Found", page.size(), true) + page);
            break;
        case Mode::LyingLong:
            sendAll(client, head("200 OK", body_.size() * 2, true) + body_);
            break;
        }
    }

    std::string body_;
    SOCKET listener_ = INVALID_SOCKET;
    unsigned short port_ = 0;
    HANDLE thread_ = nullptr;
    std::atomic<bool> stopping_{false};
};

} // namespace velmora::testing
