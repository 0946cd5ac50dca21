// quenby-server: a stand-in of the maker's server, for trying and testing the two programs on
// one machine.
//
//     quenby-server [--listen HOST:PORT] [--data FOLDER] [--config FILE]
//     quenby-server messages [--data FOLDER]

#include <httplib.h>
#include <signal.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "server/makerserver.h"
#include "server/messagestore.h"
#include "server/serverconfig.h"

namespace {

constexpr int kBadInput = 2;

constexpr const char* kUsage =
    "usage: quenby-server [--listen HOST:PORT] [--data FOLDER] [--config FILE]\n"
    "       quenby-server messages [--data FOLDER]";

struct Options {
    bool messages = false;
    std::string host = "127.0.0.1";
    int port = 8041;
    std::string data = "server-data";
    std::string config;
};

int Fail(const std::string& message) {
    std::fprintf(stderr, "quenby-server: %s\n", message.c_str());
    return kBadInput;
}

bool ParseListen(const std::string& value, Options& options) {
    const size_t colon = value.rfind(':');
    if (colon == std::string::npos || colon == 0) return false;
    const std::string port = value.substr(colon + 1);
    if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos)
        return false;
    options.port = std::stoi(port);
    options.host = value.substr(0, colon);
    return options.port <= 65535;
}

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
    Options options;
    size_t i = 0;
    if (!args.empty() && args[0] == "messages") {
        options.messages = true;
        i = 1;
    }
    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--data" && hasValue) {
            options.data = args[++i];
        } else if (arg == "--listen" && hasValue && !options.messages) {
            if (!ParseListen(args[++i], options)) {
                error = "--listen wants HOST:PORT, not " + args[i];
                return std::nullopt;
            }
        } else if (arg == "--config" && hasValue && !options.messages) {
            options.config = args[++i];
        } else {
            error = "unexpected argument " + arg;
            return std::nullopt;
        }
    }
    return options;
}

// The message text as a block under its header, its line breaks as this system writes them.
void PrintMessages(const MessageStore& store) {
    for (const StoredMessage& message : store.All()) {
        std::printf("%s UTC  from %s  user %s\n", message.received.c_str(), message.sender.c_str(),
                    message.user.c_str());
        std::string text = message.text;
        for (size_t at = text.find('\r'); at != std::string::npos; at = text.find('\r', at))
            text.erase(at, 1);
        if (!text.empty() && text.front() == '\n') text.erase(0, 1);
        std::printf("%s\n\n", text.c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::printf("%s\n", kUsage);
        return 0;
    }
    std::string error;
    const std::optional<Options> options = ParseOptions(args, error);
    if (!options) return Fail(error + "\n" + kUsage);
    const std::filesystem::path data(options->data);

    try {
        if (options->messages) {
            if (!std::filesystem::is_regular_file(data / "messages.sqlite"))
                return Fail((data / "messages.sqlite").string() + ": no messages stored yet");
            PrintMessages(MessageStore(data / "messages.sqlite"));
            return 0;
        }
        const ServerConfig config = LoadServerConfig(data, options->config);
        MessageStore messages(data / "messages.sqlite");

        // SIGINT and SIGTERM are taken by a thread of their own, which stops the server.
        sigset_t stopSignals;
        sigemptyset(&stopSignals);
        sigaddset(&stopSignals, SIGINT);
        sigaddset(&stopSignals, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

        httplib::Server server;
        MakerServer maker(config, data, messages);
        maker.Install(server);
        // Port 0 takes any free port; the line below tells which.
        const int port =
            options->port == 0
                ? server.bind_to_any_port(options->host.c_str())
                : (server.bind_to_port(options->host.c_str(), options->port) ? options->port : -1);
        if (port <= 0) return Fail("cannot listen on " + options->host + ":" + std::to_string(options->port));
        std::thread stopper([&] {
            int signal = 0;
            sigwait(&stopSignals, &signal);
            server.stop();
        });
        std::fprintf(stderr, "quenby-server: listening on http://%s:%d/ with the data of %s\n",
                     options->host.c_str(), port, data.string().c_str());
        server.listen_after_bind();
        // The server also ends when listening fails; the stopper is then released by hand.
        pthread_kill(stopper.native_handle(), SIGTERM);
        stopper.join();
        std::fprintf(stderr, "quenby-server: stopped\n");
        return 0;
    } catch (const ConfigError& e) {
        return Fail(e.what());
    } catch (const StoreError& e) {
        return Fail(e.what());
    }
}
