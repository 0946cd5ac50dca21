#pragma once

// Plays a short WAV file. Playing goes through the system's "aplay" where it is installed;
// without it, or without a valid file, the player stays silent.

#include <string>

class SoundPlayer {
public:
    // Opens a WAV file; false (and silence) when it is missing or not a RIFF WAVE file.
    bool Open(const std::string& path);

    bool IsOpen() const { return !path_.empty(); }

    // Starts playing the open file; nothing when none is open.
    void Play();

    // How many times Play started the sound.
    int PlayCount() const { return plays_; }

private:
    std::string path_;
    int plays_ = 0;
};
