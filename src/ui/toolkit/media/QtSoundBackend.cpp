#include "toolkit/media/QtSoundBackend.h"

#include "foundation/diagnostics.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace {

// ":/ui/sounds/Alert.wav" is "qrc:/ui/sounds/Alert.wav" to Qt Multimedia.
QUrl urlOfResource(const QString& resource)
{
    if (resource.startsWith(QLatin1String(":/")))
        return QUrl(QStringLiteral("qrc") + resource);
    return QUrl::fromLocalFile(resource);
}

} // namespace

QtSoundBackend::QtSoundBackend(QObject* parent)
    : QObject(parent)
{
}

QtSoundBackend::~QtSoundBackend()
{
    // The effects are children; their end callbacks must not run while they are torn down.
    for (Sound& sound : m_sounds)
        sound.finished = nullptr;
}

int QtSoundBackend::prepare(const QString& resource)
{
    if (const auto it = m_ids.constFind(resource); it != m_ids.constEnd())
        return *it;
    if (!QFile::exists(resource) || QMediaDevices::defaultAudioOutput().isNull())
        return -1;
    const int id = int(m_sounds.size());
    auto* effect = new QSoundEffect(this);
    effect->setSource(urlOfResource(resource));
    connect(effect, &QSoundEffect::playingChanged, this, [this, id] { playingChanged(id); });
    m_sounds.push_back(Sound {effect, {}});
    m_ids.insert(resource, id);
    return id;
}

bool QtSoundBackend::play(int id, double volume, std::function<void()> finished)
{
    if (id < 0 || id >= int(m_sounds.size()))
        return false;
    Sound& sound = m_sounds[size_t(id)];
    if (sound.effect->status() == QSoundEffect::Error)
        return false;
    sound.finished = nullptr; // a stop must not pass for the natural end of the new play
    sound.effect->stop();
    sound.effect->setVolume(float(volume));
    sound.finished = std::move(finished);
    sound.effect->play();
    return true;
}

void QtSoundBackend::stop(int id)
{
    if (id < 0 || id >= int(m_sounds.size()))
        return;
    Sound& sound = m_sounds[size_t(id)];
    sound.finished = nullptr;
    sound.effect->stop();
}

bool QtSoundBackend::isPlaying(int id) const
{
    return id >= 0 && id < int(m_sounds.size()) && m_sounds[size_t(id)].effect->isPlaying();
}

void QtSoundBackend::playingChanged(int id)
{
    Sound& sound = m_sounds[size_t(id)];
    if (sound.effect->isPlaying() || !sound.finished)
        return;
    auto finished = std::move(sound.finished);
    sound.finished = nullptr;
    finished();
}
