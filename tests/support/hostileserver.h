#pragma once

// A server on 127.0.0.1 that answers whatever it is told, byte for byte: a head, then body
// blocks as fast as the client takes them or with a pause between them, until its own bounds
// (bytes and time) or the client's going away end the answer. For the tests of what the
// programs do with servers that misbehave.

#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "tests/support/loopback.h"

class HostileServer {
public:
    // The body's next block, given what was sent so far; an empty block ends the answer.
    using Body = std::function<std::string(uint64_t sent)>;

    HostileServer(std::string head, Body body, std::chrono::milliseconds pause = std::chrono::milliseconds(0),
                  uint64_t maxBytes = uint64_t{3} << 30,
                  std::chrono::seconds maxTime = std::chrono::seconds(30))
        : head_(std::move(head)),
          body_(std::move(body)),
          pause_(pause),
          maxBytes_(maxBytes),
          maxTime_(maxTime) {
        uint16_t port = 0;
        listener_ = ListenOnLoopback(4, port);
        port_ = port;
        thread_ = std::thread([this] { Serve(); });
    }
    ~HostileServer() {
        stopping_ = true;
        ::shutdown(listener_, SHUT_RDWR);
        ::close(listener_);
        thread_.join();
    }
    HostileServer(const HostileServer&) = delete;
    HostileServer& operator=(const HostileServer&) = delete;

    std::string Address(const std::string& path = "/") const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }
    // Body bytes sent by the last answer.
    uint64_t Sent() const { return sent_; }

    // A body of the same block over and over.
    static Body Repeat(std::string block) {
        return [block = std::move(block)](uint64_t) { return block; };
    }

private:
    void Serve() {
        while (!stopping_) {
            const int connection = ::accept(listener_, nullptr, nullptr);
            if (connection < 0) return;
            Answer(connection);
            ::close(connection);
        }
    }

    void Answer(int connection) {
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos) {
            const ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
            if (n <= 0) return;
            request.append(buffer, static_cast<size_t>(n));
        }
        if (!SendAll(connection, head_)) return;
        const auto start = std::chrono::steady_clock::now();
        sent_ = 0;
        while (!stopping_ && sent_ < maxBytes_ && std::chrono::steady_clock::now() - start < maxTime_) {
            const std::string block = body_(sent_);
            if (block.empty() || !SendAll(connection, block)) return;
            sent_ += block.size();
            if (pause_.count() > 0) std::this_thread::sleep_for(pause_);
        }
    }

    static bool SendAll(int connection, const std::string& bytes) {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::send(connection, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
            if (n <= 0) return false;
            done += static_cast<size_t>(n);
        }
        return true;
    }

    std::string head_;
    Body body_;
    std::chrono::milliseconds pause_;
    uint64_t maxBytes_;
    std::chrono::seconds maxTime_;
    int listener_ = -1;
    int port_ = 0;
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    std::atomic<uint64_t> sent_{0};
};
