#pragma once

// An HTTP server on 127.0.0.1 for the tests, on a port of its own, serving in a thread.

#include <httplib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "tests/support/loopback.h"

class TestServer {
public:
    TestServer() : TestServer(std::make_unique<httplib::Server>()) {}
    ~TestServer() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        released_.notify_all();
        server_->stop();
        if (thread_.joinable()) thread_.join();
    }
    TestServer(const TestServer&) = delete;
    TestServer& operator=(const TestServer&) = delete;

    // A server speaking TLS with the given certificate and key files.
    static std::unique_ptr<TestServer> Secure(const std::string& cert, const std::string& key) {
        return std::unique_ptr<TestServer>(
            new TestServer(std::make_unique<httplib::SSLServer>(cert.c_str(), key.c_str())));
    }

    httplib::Server& Http() { return *server_; }
    int Port() const { return port_; }
    std::string Address(const std::string& path = "/") const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

    // Answers nothing on path until the server is stopped.
    void Stall(const std::string& path) {
        server_->Get(path, [this](const httplib::Request&, httplib::Response& res) {
            std::unique_lock<std::mutex> lock(mutex_);
            released_.wait(lock, [this] { return stopping_; });
            res.status = 500;
        });
    }

    // Answers path with the body after a delay.
    void Delayed(const std::string& path, std::chrono::milliseconds delay, const std::string& body) {
        server_->Get(path, [this, delay, body](const httplib::Request&, httplib::Response& res) {
            std::unique_lock<std::mutex> lock(mutex_);
            released_.wait_for(lock, delay, [this] { return stopping_; });
            res.set_content(body, "text/html");
        });
    }

    void Start() {
        if (started_) return;
        started_ = true;
        thread_ = std::thread([this] { server_->listen_after_bind(); });
        while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

private:
    explicit TestServer(std::unique_ptr<httplib::Server> server) : server_(std::move(server)) {
        // One request per connection: a client that keeps its connection open does not hold
        // up the server's stop.
        server_->set_keep_alive_max_count(1);
        port_ = server_->bind_to_any_port("127.0.0.1");
    }

    std::unique_ptr<httplib::Server> server_;
    int port_ = 0;
    std::thread thread_;
    bool started_ = false;
    std::mutex mutex_;
    std::condition_variable released_;
    bool stopping_ = false;
};

// A server that records the first request exactly as it arrived and answers it with a fixed
// reply; for checks that a parsing server would hide (spaces at the end of a header value).
class RawRequestServer {
public:
    explicit RawRequestServer(std::string reply) : reply_(std::move(reply)) {
        uint16_t port = 0;
        listener_ = ListenOnLoopback(1, port);
        port_ = port;
        thread_ = std::thread([this] { Serve(); });
    }
    ~RawRequestServer() {
        ::shutdown(listener_, SHUT_RDWR);
        ::close(listener_);
        thread_.join();
    }
    RawRequestServer(const RawRequestServer&) = delete;
    RawRequestServer& operator=(const RawRequestServer&) = delete;

    int Port() const { return port_; }

    // The request head as received, once it has arrived.
    std::string Request() {
        std::unique_lock<std::mutex> lock(mutex_);
        received_.wait_for(lock, std::chrono::seconds(10), [this] { return done_; });
        return request_;
    }

private:
    void Serve() {
        const int connection = ::accept(listener_, nullptr, nullptr);
        if (connection < 0) return;
        std::string head;
        char buffer[4096];
        while (head.find("\r\n\r\n") == std::string::npos) {
            const ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
            if (n <= 0) break;
            head.append(buffer, static_cast<size_t>(n));
        }
        ::send(connection, reply_.data(), reply_.size(), MSG_NOSIGNAL);
        ::close(connection);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            request_ = head;
            done_ = true;
        }
        received_.notify_all();
    }

    std::string reply_;
    int listener_ = -1;
    int port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable received_;
    std::string request_;
    bool done_ = false;
};
