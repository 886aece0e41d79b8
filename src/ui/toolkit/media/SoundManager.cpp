#include "toolkit/media/SoundManager.h"

#include "toolkit/host/UiHost.h"

#include <QFile>

#include <cmath>

SoundManager& SoundManager::sharedInstance()
{
    static SoundManager instance;
    return instance;
}

SoundManager::~SoundManager()
{
    // Nothing may call back into a manager that is gone.
    for (BGAudioPlayer& player : m_registeredSounds) {
        if (!player.currentPlay.expired()) {
            scheduler().cancel(player.timer);
            stopSound(player);
        }
    }
}

QString SoundManager::resourceForSound(const QString& name)
{
    return QStringLiteral(":/ui/sounds/%1.wav").arg(name);
}

long SoundManager::registerSound(const QString& name, float volume, double duration, bool canQuick)
{
    const QString resource = resourceForSound(name);
    if (!QFile::exists(resource))
        return -1;
    BGAudioPlayer player;
    // A sound that can't be read counts as missing: keeping a dead player would only hide it.
    if (!player.initWithContentsOfURL(resource, volume, duration, canQuick))
        return -1;
    m_registeredSounds.push_back(std::move(player));
    return long(m_registeredSounds.size()) - 1;
}

void SoundManager::setRegisteredSounds(std::vector<BGAudioPlayer> sounds)
{
    for (BGAudioPlayer& player : m_registeredSounds)
        endCurrentPlay(player);
    m_registeredSounds = std::move(sounds);
}

ISoundBackend& SoundManager::backend() const
{
    return m_backend ? *m_backend : UiHost::instance().sound();
}

IScheduler& SoundManager::scheduler() const
{
    return m_scheduler ? *m_scheduler : UiHost::instance().scheduler();
}

bool SoundManager::isSilent() const
{
    return m_preferenceProvider && m_preferenceProvider->preferenceSilent();
}

double SoundManager::durationOf(const BGAudioPlayer& player) const
{
    const bool quick = m_preferenceProvider && m_preferenceProvider->preferenceQuick();
    return quick && player.canQuick() ? player.bgduration() / 2 : player.bgduration();
}

void SoundManager::playSoundID(long n, std::function<void()> didPlayAction)
{
    auto registered = [this, n] { return n >= 0 && n < long(m_registeredSounds.size()); };
    // A play cut short by this one is over: its end action runs now. That action may play the
    // sound again itself, hence the loop.
    while (!isSilent() && registered() && !m_registeredSounds[size_t(n)].currentPlay.expired())
        endCurrentPlay(m_registeredSounds[size_t(n)]);
    if (isSilent() || !registered()) {
        if (didPlayAction)
            didPlayAction();
        return;
    }
    BGAudioPlayer& player = m_registeredSounds[size_t(n)];
    const auto play = std::make_shared<SoundPlay>();
    const int id = backend().prepare(player.url());
    const std::weak_ptr<SoundPlay> weakPlay = play;
    const bool playing = id >= 0 && backend().play(id, player.bgvolume(), [this, n, weakPlay] {
        if (const auto current = weakPlay.lock())
            audioPlayerDidFinishPlaying(size_t(n), current.get());
    });
    // Without sound the caller must not wait for one: its end action runs now.
    if (!playing) {
        if (didPlayAction)
            didPlayAction();
        return;
    }
    player.setEndPlayAction(std::move(didPlayAction));
    player.currentPlay = play;
    const int ms = int(std::lround(durationOf(player) * 1000));
    player.timer = scheduler().after(ms, IScheduler::Mode::Default, [this, n, play] { _timer(size_t(n), play.get()); });
}

void SoundManager::stopSound(BGAudioPlayer& player)
{
    const int id = backend().prepare(player.url());
    if (id >= 0 && backend().isPlaying(id))
        backend().stop(id);
}

// Stops the player's current play and runs its end action. A play whose timer is gone without
// having fired (its host was replaced) has nothing left to stop and its action is dropped.
void SoundManager::endCurrentPlay(BGAudioPlayer& player)
{
    if (player.currentPlay.expired()) {
        player.setEndPlayAction(nullptr);
        return;
    }
    scheduler().cancel(player.timer);
    stopSound(player);
    finishPlay(player);
}

bool SoundManager::isCurrentPlay(size_t n, const SoundPlay* play) const
{
    return n < m_registeredSounds.size() && m_registeredSounds[n].currentPlay.lock().get() == play;
}

void SoundManager::_timer(size_t n, const SoundPlay* play)
{
    if (!isCurrentPlay(n, play))
        return;
    stopSound(m_registeredSounds[n]);
    finishPlay(m_registeredSounds[n]);
}

void SoundManager::audioPlayerDidFinishPlaying(size_t n, const SoundPlay* play)
{
    if (!isCurrentPlay(n, play))
        return;
    scheduler().cancel(m_registeredSounds[n].timer);
    finishPlay(m_registeredSounds[n]);
}

void SoundManager::finishPlay(BGAudioPlayer& player)
{
    player.currentPlay.reset();
    player.timer = 0;
    // Taken out first: the action may play this sound again and set a new one.
    auto action = player.endPlayAction();
    player.setEndPlayAction(nullptr);
    if (action)
        action();
}
