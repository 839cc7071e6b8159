// suona: plays one WAV file at a time, returns at once, silent on any failure.
#pragma once

#include <QObject>
#include <QSoundEffect>

#include <memory>
#include <string>

namespace brindora {

class SoundPlayer : public QObject {
    Q_OBJECT
public:
    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;

    // Starts the file at this full path (looked up ignoring letter case) and returns while it
    // loads and plays. A new call stops the sound that is playing, whether or not its own
    // file can be played; a missing or unplayable file plays nothing.
    void suona(const std::string& path);
    void stop();

    // Whether the file is a RIFF/WAVE file with a format chunk and all of its data chunk.
    // Qt 6.4 never finishes loading a shorter file, and then hangs in the next QSoundEffect
    // that is destroyed; such a file is not handed to it.
    static bool isCompleteWav(const std::string& path);

private:
    std::unique_ptr<QSoundEffect> m_effect;
};

} // namespace brindora
