#pragma once

// What the programs ask of the operating system: its version numbers, the default beep, the
// plain message box, and starting a program.

#include <string>

class QWidget;

enum class SystemPlatform { Windows9x, WindowsNT, Other };

struct SystemVersion {
    int major = 0;
    int minor = 0;
    SystemPlatform platform = SystemPlatform::Other;
    std::string servicePack;  // "A", "B", ... on the Windows 9x family
};

// The running system's numbers; systems other than Windows give zeros and Other.
SystemVersion CurrentSystemVersion();

void DefaultBeep();

// The plain modal message box with an OK button (Windows-1252 texts).
void PlainMessageBox(const std::string& title, const std::string& text, QWidget* parent = nullptr);

// Starts a program with a parameter text (split at spaces), as the shell's "Open" verb does;
// false when it could not be started.
bool ShellOpen(const std::string& program, const std::string& parameters);
