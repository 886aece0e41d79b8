#include "toolkit/media/SVSoundManager.h"

#include "toolkit/media/SoundManager.h"

#include "document/APPLIPARAM.h"

SVSoundManager& SVSoundManager::sharedSVInstance()
{
    static SVSoundManager instance(SoundManager::sharedInstance());
    return instance;
}

SVSoundManager::SVSoundManager(SoundManager& manager)
    : m_manager(manager)
{
    registerSounds();
}

bool SVSoundManager::preferenceSilent() const
{
    return !APPLIPARAM::loadAppliParam().doSounds;
}

void SVSoundManager::registerSounds()
{
    m_soundOpenWindow = m_manager.registerSound(QStringLiteral("OpenWindow"), 0.02f, 0.406, true);
    m_soundCloseWindow = m_manager.registerSound(QStringLiteral("CloseWindow"), 0.03f, 0.406, true);
    m_soundAlert = m_manager.registerSound(QStringLiteral("Alert"), 0.03f, 0.406, true);
    m_soundTransact = m_manager.registerSound(QStringLiteral("Transact"), 0.03f, 0.8, true);
}

void SVSoundManager::playSoundOpenWindow(Block block)
{
    m_manager.playSoundID(m_soundOpenWindow, std::move(block));
}

void SVSoundManager::playSoundCloseWindow(Block block)
{
    m_manager.playSoundID(m_soundCloseWindow, std::move(block));
}

void SVSoundManager::playSoundAlerte(Block block)
{
    m_manager.playSoundID(m_soundAlert, std::move(block));
}

void SVSoundManager::playSoundTransact(Block block)
{
    m_manager.playSoundID(m_soundTransact, std::move(block));
}
