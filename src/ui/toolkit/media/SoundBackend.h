#pragma once
// The desktop's audio output as the sound players see it. The production backend plays WAV
// resources with QSoundEffect; tests hand in a fake that records what was played and lets the
// test end a sound by itself. A backend fails softly: no audio device means "can't play",
// never a hang and never an exception.
#include <QString>

#include <functional>

class ISoundBackend {
public:
    virtual ~ISoundBackend() = default;

    // Loads the sound at a resource path (":/ui/sounds/OpenWindow.wav") and answers its id, >= 0;
    // -1 when it can't be loaded or played on this machine. Preparing the same resource again
    // answers the same id.
    virtual int prepare(const QString& resource) = 0;
    // Starts the sound from its beginning at a volume in 0..1, stopping it first when it is
    // playing. `finished` runs when the sound ends by itself (not when it is stopped); it may run
    // later from the event loop, never inside play. Answers false when it can't play (no device,
    // unknown id); `finished` is then dropped.
    virtual bool play(int id, double volume, std::function<void()> finished) = 0;
    // Stops the sound when it plays; its `finished` is dropped.
    virtual void stop(int id) = 0;
    virtual bool isPlaying(int id) const = 0;
};
