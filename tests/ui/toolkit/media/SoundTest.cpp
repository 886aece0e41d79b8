#include "toolkit/media/BGAudioPlayer.h"
#include "toolkit/media/QtSoundBackend.h"
#include "toolkit/media/SVSoundManager.h"
#include "toolkit/media/SoundManager.h"

#include "support/TestEnvironment.h"
#include "uisupport/UiTestFixture.h"

#include "document/APPLIPARAM.h"

#include <QFile>

namespace {

class QuickProvider : public SoundManagerProtocol {
public:
    bool preferenceSilent() const override { return false; }
    bool preferenceQuick() const override { return true; }
};

// A player of its own with the program's four sounds, on the test host's backend and clock.
class SoundTest : public UiTestFixture {
protected:
    SoundTest()
        : sounds(manager)
    {
        manager.setPreferenceProvider(&sounds);
    }

    SoundManager manager;
    SVSoundManager sounds;
    int ended = 0;
    std::function<void()> countEnd = [this] { ++ended; };
};

TEST_F(SoundTest, TheFourSoundsAreRegisteredInOrderWithTheirVolumesAndTimes)
{
    EXPECT_EQ(sounds.soundOpenWindow(), 0);
    EXPECT_EQ(sounds.soundCloseWindow(), 1);
    EXPECT_EQ(sounds.soundAlert(), 2);
    EXPECT_EQ(sounds.soundTransact(), 3);
    const auto& players = manager.registeredSounds();
    ASSERT_EQ(players.size(), 4u);
    EXPECT_FLOAT_EQ(players[0].bgvolume(), 0.02f);
    EXPECT_FLOAT_EQ(players[1].bgvolume(), 0.03f);
    EXPECT_DOUBLE_EQ(players[2].bgduration(), 0.406);
    EXPECT_DOUBLE_EQ(players[3].bgduration(), 0.8);
    for (const BGAudioPlayer& player : players) {
        EXPECT_TRUE(player.canQuick());
        QFile file(player.url());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << player.url().toStdString();
        EXPECT_LT(file.size(), 30 * 1024);
    }
}

TEST_F(SoundTest, EachSoundRunsItsEndActionOnceWhenItsTimeIsOver)
{
    sounds.playSoundCloseWindow(countEnd);
    EXPECT_EQ(ui().sounds().playedNames(), QStringList {"CloseWindow"});
    EXPECT_DOUBLE_EQ(ui().sounds().plays.back().volume, double(0.03f));
    ui().advance(405);
    EXPECT_EQ(ended, 0);
    ui().advance(1);
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(ui().sounds().isPlaying(ui().sounds().prepare(SoundManager::resourceForSound("CloseWindow"))));

    sounds.playSoundTransact(countEnd);
    ui().advance(799);
    EXPECT_EQ(ended, 1);
    ui().advance(1);
    EXPECT_EQ(ended, 2);

    // A sound that ends by itself before its time ends the play; the timer then does nothing.
    sounds.playSoundAlerte(countEnd);
    ui().sounds().finishByItself(SoundManager::resourceForSound("Alert"));
    EXPECT_EQ(ended, 3);
    ui().advance(1000);
    EXPECT_EQ(ended, 3);

    QuickProvider quick;
    manager.setPreferenceProvider(&quick);
    sounds.playSoundOpenWindow(countEnd);
    ui().advance(203);
    EXPECT_EQ(ended, 4);
}

TEST_F(SoundTest, PlayingASoundAgainEndsThePreviousPlayAtOnceAndRestartsTheTime)
{
    int first = 0;
    sounds.playSoundCloseWindow([&first] { ++first; });
    ui().advance(300);
    sounds.playSoundCloseWindow(countEnd);
    EXPECT_EQ(first, 1);
    ui().advance(105); // the first play's time: its timer must not end the second play
    EXPECT_EQ(ended, 0);
    ui().advance(301);
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(ui().sounds().plays.size(), 2u);
}

TEST_F(SoundTest, NothingToPlayRunsTheEndActionAtOnce)
{
    APPLIPARAM::loadAppliParam().doSounds = false;
    sounds.playSoundOpenWindow(countEnd);
    sounds.playSoundTransact(countEnd);
    EXPECT_EQ(ended, 2);
    EXPECT_TRUE(ui().sounds().plays.empty());
    APPLIPARAM::loadAppliParam().doSounds = true;

    EXPECT_EQ(manager.registerSound("NoSuchSound", 0.5f, 1, false), -1);
    manager.playSoundID(-1, countEnd);
    manager.playSoundID(99, countEnd);
    EXPECT_EQ(ended, 4);

    ui().sounds().unpreparable.insert(SoundManager::resourceForSound("Alert"));
    sounds.playSoundAlerte(countEnd);
    EXPECT_EQ(ended, 5);
    ui().sounds().canPlay = false;
    sounds.playSoundCloseWindow(countEnd);
    EXPECT_EQ(ended, 6);
    ui().advance(1000);
    EXPECT_EQ(ended, 6);
    sounds.playSoundOpenWindow(); // no end action at all
}

TEST_F(SoundTest, APlayLeftPendingByAnEarlierHostIsDroppedNotRun)
{
    auto oldHost = std::make_unique<TestUiHost>();
    UiHost::install(oldHost.get());
    int stale = 0;
    sounds.playSoundAlerte([&stale] { ++stale; });
    UiHost::install(&ui());
    oldHost.reset();
    sounds.playSoundAlerte(countEnd);
    ui().advance(406);
    EXPECT_EQ(stale, 0);
    EXPECT_EQ(ended, 1);
}

TEST_F(SoundTest, APlayerIsMadeOnlyOnAReadableWaveFile)
{
    const QString dir = testenv::freshDir("sounds");
    QFile notWave(dir + "/Bad.wav");
    ASSERT_TRUE(notWave.open(QIODevice::WriteOnly));
    notWave.write("not a sound file at all");
    notWave.close();
    BGAudioPlayer player;
    EXPECT_FALSE(player.initWithContentsOfURL(notWave.fileName(), 0.5f, 1, false));
    EXPECT_FALSE(player.initWithContentsOfURL(dir + "/Missing.wav", 0.5f, 1, false));
    EXPECT_TRUE(player.initWithContentsOfURL(SoundManager::resourceForSound("Transact"), 0.5f, 2, true));
    EXPECT_DOUBLE_EQ(player.bgduration(), 2);
}

// The real backend on this machine: with or without an audio device, the end action runs once.
TEST_F(SoundTest, TheQtBackendFailsSoftlyAndTheEndActionStillRunsOnce)
{
    QtSoundBackend backend;
    EXPECT_EQ(backend.prepare(":/ui/sounds/NoSuchSound.wav"), -1);
    EXPECT_FALSE(backend.play(-1, 1, nullptr));
    manager.setBackend(&backend);
    sounds.playSoundCloseWindow(countEnd);
    ui().advance(406);
    EXPECT_EQ(ended, 1);
    ui().advance(1000);
    EXPECT_EQ(ended, 1);
}

} // namespace
