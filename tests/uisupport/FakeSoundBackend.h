#pragma once
// A sound backend that plays nothing: it records what was asked, lets a test end a sound by
// itself, and can be told that a resource can't be prepared or that nothing can play.
#include "toolkit/media/SoundBackend.h"

#include <QSet>
#include <QStringList>

#include <vector>

class FakeSoundBackend : public ISoundBackend {
public:
    struct Play {
        QString resource;
        double volume = 0;
    };

    int prepare(const QString& resource) override
    {
        ++prepareCount;
        if (unpreparable.contains(resource))
            return -1;
        const int known = int(resources.indexOf(resource));
        if (known >= 0)
            return known;
        resources.append(resource);
        sounds.push_back({});
        return int(resources.size()) - 1;
    }

    bool play(int id, double volume, std::function<void()> finished) override
    {
        if (!canPlay || id < 0 || id >= int(sounds.size()))
            return false;
        plays.push_back(Play {resources[id], volume});
        sounds[size_t(id)] = Sound {true, std::move(finished)};
        return true;
    }

    void stop(int id) override
    {
        if (id >= 0 && id < int(sounds.size())) {
            sounds[size_t(id)] = Sound {};
            ++stopCount;
        }
    }

    bool isPlaying(int id) const override { return id >= 0 && id < int(sounds.size()) && sounds[size_t(id)].playing; }

    // Ends the sound by itself, as a sound shorter than its given time does.
    void finishByItself(const QString& resource)
    {
        const int id = int(resources.indexOf(resource));
        if (id < 0 || !sounds[size_t(id)].playing)
            return;
        auto finished = std::move(sounds[size_t(id)].finished);
        sounds[size_t(id)] = Sound {};
        if (finished)
            finished();
    }

    // The names of the played sounds ("OpenWindow"), in order.
    QStringList playedNames() const
    {
        QStringList names;
        for (const Play& p : plays)
            names.append(p.resource.section(QLatin1Char('/'), -1).section(QLatin1Char('.'), 0, 0));
        return names;
    }

    bool canPlay = true;
    QSet<QString> unpreparable;
    std::vector<Play> plays;
    int prepareCount = 0;
    int stopCount = 0;

private:
    struct Sound {
        bool playing = false;
        std::function<void()> finished;
    };
    QStringList resources;
    std::vector<Sound> sounds;
};
