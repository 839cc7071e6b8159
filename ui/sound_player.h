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

    // Starts the file at this full path (looked up ignoring letter case); a new
    // sound stops the one playing.
    void suona(const std::string& path);
    void stop();

private:
    std::unique_ptr<QSoundEffect> m_effect;
};

} // namespace brindora
