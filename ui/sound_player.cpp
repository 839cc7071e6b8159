// Sound through Qt Multimedia.
#include "sound_player.h"

#include "sound_path.h"

#include <QUrl>

namespace brindora {

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

void SoundPlayer::suona(const std::string& path) {
    stop();
    const auto found = findIgnoringCase(path);
    if (!found)
        return; // a missing recording is silence
    m_effect = std::make_unique<QSoundEffect>();
    m_effect->setSource(QUrl::fromLocalFile(QString::fromStdString(*found)));
    m_effect->play();
}

void SoundPlayer::stop() {
    if (m_effect)
        m_effect->stop();
    m_effect.reset();
}

} // namespace brindora
