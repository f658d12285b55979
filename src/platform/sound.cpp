// Sounds through Qt Multimedia: one loaded effect per file, reused for every beat.
#include "sound.h"

#include <QApplication>
#include <QSoundEffect>
#include <QUrl>

#include "resources.h"

namespace quarn {

Sound::Sound() = default;
Sound::~Sound() = default;

float Sound::outputLevel() const {
    return static_cast<float>((double(left) + double(right)) / 2.0 / 65535.0);
}

QSoundEffect* Sound::effectFor(const std::string& path) {
    auto& slot = effects[path];
    if (!slot) {
        // Loading is asynchronous: play() on an effect still loading starts it once
        // loaded, and one that fails to load (no device, bad file) stays silent.
        slot = std::make_unique<QSoundEffect>();
        slot->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
        slot->setVolume(outputLevel());
    }
    return slot.get();
}

void Sound::play(const std::string& fileName) {
    if (playing) playing->stop();
    playing = nullptr;
    current = findResource(fileName);
    if (current.empty() || !QCoreApplication::instance()) return;
    playing = effectFor(current);
    playing->play();
}

void Sound::setVolume(std::uint16_t l, std::uint16_t r) {
    left = l;
    right = r;
    for (auto& [path, effect] : effects) effect->setVolume(outputLevel());
}

bool Sound::loading() const {
    for (const auto& [path, effect] : effects)
        if (effect->status() == QSoundEffect::Loading) return true;
    return false;
}

void Sound::beep() {
    // The platform's beep needs a GUI application; without one there is nothing to ring.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) QApplication::beep();
}

}  // namespace quarn
