#pragma once
// The program's four sounds and its answer to the sound player's questions: silent when the
// application parameter doSounds is off, never quick. Callers test the per-kind switches
// (doSoundsOpen, doSoundsClose, doSoundsAlert, doSoundsTransact) before they ask for a sound.
#include "toolkit/media/SoundManagerProtocol.h"

#include <functional>

class SoundManager;

class SVSoundManager : public SoundManagerProtocol {
public:
    using Block = std::function<void()>;

    // The shared instance, which registers its sounds with the shared SoundManager.
    static SVSoundManager& sharedSVInstance();
    // Registers the four sounds with that player.
    explicit SVSoundManager(SoundManager& manager);

    bool preferenceSilent() const override;
    bool preferenceQuick() const override { return false; }

    // Each plays its sound, then runs the block (when given) once the sound has had its time.
    void playSoundOpenWindow(Block block = {});
    void playSoundCloseWindow(Block block = {});
    void playSoundAlerte(Block block = {});
    void playSoundTransact(Block block = {});

    void registerSounds();

    long soundOpenWindow() const { return m_soundOpenWindow; }
    void setSoundOpenWindow(long n) { m_soundOpenWindow = n; }
    long soundCloseWindow() const { return m_soundCloseWindow; }
    void setSoundCloseWindow(long n) { m_soundCloseWindow = n; }
    long soundAlert() const { return m_soundAlert; }
    void setSoundAlert(long n) { m_soundAlert = n; }
    long soundTransact() const { return m_soundTransact; }
    void setSoundTransact(long n) { m_soundTransact = n; }

private:
    SoundManager& m_manager;
    long m_soundOpenWindow = -1;
    long m_soundCloseWindow = -1;
    long m_soundAlert = -1;
    long m_soundTransact = -1;
};
