#pragma once
// One registered sound: where it comes from, how loud it plays, how long it is given before its
// end action runs, and the state of its current play. The audio itself belongs to the sound
// backend; a player only names its resource, so it outlives a change of backend.
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

// The mark of one play of a sound. Only the play's pending timer owns it, so it lives exactly as
// long as the play can still end; a timer dropped with its scheduler ends the play with it.
struct SoundPlay { };

class BGAudioPlayer {
public:
    // Checks that the resource can be read as a WAV file; on failure logs
    // "BGAudioPlayer init error (<code>) !" and answers false. On success takes the volume,
    // duration and flag and clears the end action.
    bool initWithContentsOfURL(const QString& resource, float volume, double duration, bool canQuick);

    const QString& url() const { return m_url; }
    float bgvolume() const { return m_bgvolume; }
    void setBgvolume(float volume) { m_bgvolume = volume; }
    double bgduration() const { return m_bgduration; }
    void setBgduration(double seconds) { m_bgduration = seconds; }
    bool canQuick() const { return m_canQuick; }
    void setCanQuick(bool canQuick) { m_canQuick = canQuick; }
    const std::function<void()>& endPlayAction() const { return m_endPlayAction; }
    void setEndPlayAction(std::function<void()> action) { m_endPlayAction = std::move(action); }

    // The current play (expired when there is none) and its pending timer.
    std::weak_ptr<SoundPlay> currentPlay;
    std::uint64_t timer = 0;

private:
    QString m_url;
    float m_bgvolume = 1;
    double m_bgduration = 0;
    bool m_canQuick = false;
    std::function<void()> m_endPlayAction;
};
