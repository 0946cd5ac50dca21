// quenby-server: a stand-in of the maker's server, for trying and testing the two programs on
// one machine.
//
//     quenby-server [--listen HOST:PORT] [--data FOLDER] [--config FILE]
//     quenby-server messages [--data FOLDER]
//     quenby-server keygen --out PREFIX
//     quenby-server publish --data FOLDER --package ZIP --version V [--updater] [--major]
//                           [--offer FILE] [--key SECRET_KEY_FILE]

#include <fcntl.h>
#include <httplib.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/packagesignature.h"
#include "server/makerserver.h"
#include "server/messagestore.h"
#include "server/publishing.h"
#include "server/serverconfig.h"

namespace {

constexpr int kBadInput = 2;

constexpr const char* kUsage =
    "usage: quenby-server [--listen HOST:PORT] [--data FOLDER] [--config FILE]\n"
    "       quenby-server messages [--data FOLDER]\n"
    "       quenby-server keygen --out PREFIX\n"
    "       quenby-server publish --data FOLDER --package ZIP --version V [--updater] [--major]\n"
    "                             [--offer FILE] [--key SECRET_KEY_FILE]";

enum class Command { Serve, Messages, Keygen, Publish };

struct Options {
    Command command = Command::Serve;
    std::string host = "127.0.0.1";
    int port = 8041;
    std::string data = "server-data";
    std::string config;
    std::string out;
    Publication publication;
    std::string keyFile;
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
    if (!args.empty() && args[0].rfind("--", 0) != 0) {
        const std::string& name = args[0];
        if (name == "messages") {
            options.command = Command::Messages;
        } else if (name == "keygen") {
            options.command = Command::Keygen;
        } else if (name == "publish") {
            options.command = Command::Publish;
        } else {
            error = "unknown command " + name;
            return std::nullopt;
        }
        i = 1;
    }
    const Command c = options.command;
    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--data" && hasValue && c != Command::Keygen) {
            options.data = args[++i];
        } else if (arg == "--listen" && hasValue && c == Command::Serve) {
            if (!ParseListen(args[++i], options)) {
                error = "--listen wants HOST:PORT, not " + args[i];
                return std::nullopt;
            }
        } else if (arg == "--config" && hasValue && c == Command::Serve) {
            options.config = args[++i];
        } else if (arg == "--out" && hasValue && c == Command::Keygen) {
            options.out = args[++i];
        } else if (arg == "--package" && hasValue && c == Command::Publish) {
            options.publication.package = args[++i];
        } else if (arg == "--version" && hasValue && c == Command::Publish) {
            options.publication.version = args[++i];
        } else if (arg == "--offer" && hasValue && c == Command::Publish) {
            options.publication.offer = args[++i];
        } else if (arg == "--key" && hasValue && c == Command::Publish) {
            options.keyFile = args[++i];
        } else if (arg == "--updater" && c == Command::Publish) {
            options.publication.updater = true;
        } else if (arg == "--major" && c == Command::Publish) {
            options.publication.major = true;
        } else {
            error = "unexpected argument " + arg;
            return std::nullopt;
        }
    }
    if (c == Command::Keygen && options.out.empty()) error = "keygen wants --out PREFIX";
    if (c == Command::Publish && (options.publication.package.empty() || options.publication.version.empty()))
        error = "publish wants --package ZIP and --version V";
    if (!error.empty()) return std::nullopt;
    return options;
}

// Writes a new key pair as PREFIX.key (its owner's only) and PREFIX.pub.
int Keygen(const std::string& prefix) {
    const SigningKeys keys = MakeSigningKeys();
    const std::string secret = prefix + ".key";
    const int fd = ::open(secret.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return Fail(secret + ": cannot be created (" + std::strerror(errno) + ")");
    const std::string line = keys.secretKey + "\n";
    const bool written = ::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    ::close(fd);
    std::ofstream pub(prefix + ".pub");
    pub << keys.publicKey << "\n";
    pub.close();
    if (!written || !pub) return Fail(prefix + ": the keys cannot be written");
    std::printf(
        "secret key: %s (keep it off the server)\npublic key: %s\n"
        "build the programs with -DQUENBY_UPDATE_PUBLIC_KEY=%s\n",
        secret.c_str(), keys.publicKey.c_str(), keys.publicKey.c_str());
    return 0;
}

std::optional<std::string> ReadKey(const std::string& file) {
    std::ifstream in(file);
    std::string key;
    if (!(in >> key)) return std::nullopt;
    return key;
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
        if (options->command == Command::Keygen) return Keygen(options->out);
        if (options->command == Command::Publish) {
            Publication publication = options->publication;
            if (!options->keyFile.empty()) {
                publication.secretKey = ReadKey(options->keyFile);
                if (!publication.secretKey) return Fail(options->keyFile + ": no key in it");
            }
            Publish(data, publication);
            std::printf("published %s %s in %s\n", publication.updater ? "updater" : "product",
                        publication.version.c_str(), data.string().c_str());
            return 0;
        }
        if (options->command == Command::Messages) {
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
    } catch (const SignatureError& e) {
        return Fail(e.what());
    } catch (const std::filesystem::filesystem_error& e) {
        return Fail(e.what());
    }
}
