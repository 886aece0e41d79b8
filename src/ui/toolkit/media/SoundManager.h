#pragma once
// A small general sound player: registered sounds are numbered in registration order; playing
// one gives it its registered time and then runs the caller's end action, so that (for example)
// a window closes once its closing sound has had its time.
//
// The end action of a play runs exactly once: after the sound's time, or when the sound ends by
// itself before that, or at once when nothing can be played (silent, unknown number, no audio
// device, a sound that can't be loaded). Playing a sound again while it plays restarts it: the
// previous play's timer is cancelled and its end action runs at once, as its sound is over.
#include "toolkit/media/BGAudioPlayer.h"
#include "toolkit/media/SoundManagerProtocol.h"

#include <functional>
#include <vector>

class ISoundBackend;
class IScheduler;

class SoundManager {
public:
    static SoundManager& sharedInstance();
    SoundManager() = default;
    ~SoundManager();
    SoundManager(const SoundManager&) = delete;
    SoundManager& operator=(const SoundManager&) = delete;

    // The resource of a sound by name: ":/ui/sounds/<name>.wav".
    static QString resourceForSound(const QString& name);

    // Registers the sound of that name and answers its number; -1 when the resource is missing or
    // can't be read.
    long registerSound(const QString& name, float volume, double duration, bool canQuick);
    void playSoundID(long n, std::function<void()> didPlayAction);

    SoundManagerProtocol* preferenceProvider() const { return m_preferenceProvider; }
    void setPreferenceProvider(SoundManagerProtocol* provider) { m_preferenceProvider = provider; }
    const std::vector<BGAudioPlayer>& registeredSounds() const { return m_registeredSounds; }
    void setRegisteredSounds(std::vector<BGAudioPlayer> sounds);

    // Where the sounds play and their timers run; by default the installed UiHost's.
    void setBackend(ISoundBackend* backend) { m_backend = backend; }
    void setScheduler(IScheduler* scheduler) { m_scheduler = scheduler; }

private:
    ISoundBackend& backend() const;
    IScheduler& scheduler() const;
    bool isSilent() const;
    double durationOf(const BGAudioPlayer& player) const;
    void stopSound(BGAudioPlayer& player);
    void endCurrentPlay(BGAudioPlayer& player);
    bool isCurrentPlay(size_t n, const SoundPlay* play) const;
    // The end of a play's time, and the sound ending by itself; the first finishes the play.
    void _timer(size_t n, const SoundPlay* play);
    void audioPlayerDidFinishPlaying(size_t n, const SoundPlay* play);
    void finishPlay(BGAudioPlayer& player);

    SoundManagerProtocol* m_preferenceProvider = nullptr;
    std::vector<BGAudioPlayer> m_registeredSounds;
    ISoundBackend* m_backend = nullptr;
    IScheduler* m_scheduler = nullptr;
};
