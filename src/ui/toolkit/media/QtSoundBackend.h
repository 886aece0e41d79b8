#pragma once
// Plays the program's WAV resources through Qt Multimedia. Where the machine has no audio output
// (a server, a CI runner) every sound is "can't play": prepare answers -1 and callers go on at
// once instead of waiting for a sound that will never end.
#include "toolkit/media/SoundBackend.h"

#include <QHash>
#include <QObject>

#include <vector>

class QSoundEffect;

class QtSoundBackend : public QObject, public ISoundBackend {
    Q_OBJECT
public:
    explicit QtSoundBackend(QObject* parent = nullptr);
    ~QtSoundBackend() override;

    int prepare(const QString& resource) override;
    bool play(int id, double volume, std::function<void()> finished) override;
    void stop(int id) override;
    bool isPlaying(int id) const override;

private:
    struct Sound {
        QSoundEffect* effect = nullptr;
        std::function<void()> finished; // empty once run, stopped or replaced
    };
    void playingChanged(int id);

    QHash<QString, int> m_ids;
    std::vector<Sound> m_sounds;
};
