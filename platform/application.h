#pragma once

// The application object of both programs, with the application-wide error event: an error
// that no handler caught is reported through OnException instead of ending the program.

#include <QApplication>
#include <exception>
#include <functional>
#include <string>

class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    // The running application object, or nullptr.
    static Application* Instance();

    // Names the application, which titles its error boxes. No display name is set: under a
    // window manager Qt would add it to the caption of every window titled otherwise.
    static void SetName(const QString& name);

    // What becomes of an unhandled error; ShowExceptionBox at first.
    std::function<void(const std::string& message)> OnException;

    // A plain message box titled with the application's display name.
    static void ShowExceptionBox(const std::string& message);

    void ReportException(const std::string& message);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Reports an error that escaped a handler to the running application (standard error when
// there is none).
void ReportUnhandled(const std::string& message);

// Runs a handler body; whatever it throws goes to the application-wide error event.
template <typename Body>
void RunGuarded(Body&& body) {
    try {
        body();
    } catch (const std::exception& e) {
        ReportUnhandled(e.what());
    } catch (...) {
        ReportUnhandled("unknown error");
    }
}

// A slot that runs its body guarded, for connect().
template <typename Body>
auto Guarded(Body body) {
    return [body = std::move(body)](auto&&... args) { RunGuarded([&] { body(args...); }); };
}
