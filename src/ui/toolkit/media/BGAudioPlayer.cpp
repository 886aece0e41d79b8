#include "toolkit/media/BGAudioPlayer.h"

#include "foundation/diagnostics.h"

#include <QFile>

namespace {

// What a file that opens but is no WAV answers as its error code.
constexpr long kNotWaveError = -1;

} // namespace

bool BGAudioPlayer::initWithContentsOfURL(const QString& resource, float volume, double duration, bool canQuick)
{
    QFile file(resource);
    long error = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        error = long(file.error());
    } else {
        const QByteArray header = file.read(12);
        if (header.size() < 12 || !header.startsWith("RIFF") || header.mid(8, 4) != "WAVE")
            error = kNotWaveError;
    }
    if (error != 0) {
        svLog(QStringLiteral("BGAudioPlayer init error (%1) !").arg(error));
        return false;
    }
    m_url = resource;
    m_bgvolume = volume;
    m_bgduration = duration;
    m_canQuick = canQuick;
    m_endPlayAction = nullptr;
    return true;
}
