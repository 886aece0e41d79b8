#pragma once
// What the sound player asks of the program before it plays.
class SoundManagerProtocol {
public:
    virtual ~SoundManagerProtocol() = default;
    // Play nothing at all.
    virtual bool preferenceSilent() const = 0;
    // Halve the time given to the sounds that allow it.
    virtual bool preferenceQuick() const = 0;
};
