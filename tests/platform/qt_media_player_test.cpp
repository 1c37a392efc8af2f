// The Qt sound player, offscreen: a generated wave and MIDI file each report their end, a missing
// file is traced and ends, and no temporary file is left behind. The sounds play on a sound server
// with a null output that the tests start when the server program is installed; without an audio
// device they end at once, with a trace line.

#include "platform/qt/qt_media_player.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QThread>
#include <filesystem>
#include <string>

#include "platform/qt/qt_event_loop.h"
#include "platform/services.h"
#include "sound_files.h"
#include "text_trace.h"

namespace ondrix::platform::qt {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSoundServer = "/usr/bin/pulseaudio";

// A sound server of the tests' own with one null output, in a private folder; stopped at the end.
class NullAudioServer {
 public:
  NullAudioServer() {
    if (::access(kSoundServer, X_OK) != 0) return;
    std::string pattern = (fs::temp_directory_path() / "ondrix-audio-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) return;
    folder_ = pattern;
    const std::string socket = folder_ + "/native";
    pid_ = ::fork();
    if (pid_ == 0) {
      ::setenv("HOME", folder_.c_str(), 1);
      ::setenv("XDG_RUNTIME_DIR", folder_.c_str(), 1);
      const std::string protocol = "module-native-protocol-unix auth-anonymous=1 socket=" + socket;
      ::execl(kSoundServer, kSoundServer, "--daemonize=no", "--exit-idle-time=-1", "-n", "--log-target=stderr",
              "--log-level=0", "--load=module-null-sink", ("--load=" + protocol).c_str(), nullptr);
      ::_exit(127);
    }
    for (int round = 0; round < 500 && pid_ > 0 && !fs::exists(socket); ++round) ::usleep(10000);
    qputenv("PULSE_SERVER", QByteArray::fromStdString("unix:" + socket));
  }
  ~NullAudioServer() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
    if (!folder_.empty()) fs::remove_all(folder_);
  }
  NullAudioServer(const NullAudioServer&) = delete;
  NullAudioServer& operator=(const NullAudioServer&) = delete;

 private:
  pid_t pid_ = -1;
  std::string folder_;
};

class QtMediaPlayerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static NullAudioServer server;  // before Qt looks for audio devices
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "qt_media_player_test";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
  }
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "ondrix-sound-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir = pattern + "/";
    // Rendered MIDI files go to the temporary folder: this test's own.
    hadTmp = qEnvironmentVariableIsSet("TMPDIR");
    previousTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QByteArray::fromStdString(dir + "tmp"));
    fs::create_directory(dir + "tmp");
  }
  void TearDown() override {
    if (hadTmp)
      qputenv("TMPDIR", previousTmp);
    else
      qunsetenv("TMPDIR");
    fs::remove_all(dir);
  }
  // Runs Qt's loop until `count` sounds have ended; gives up after half a minute of sound.
  void WaitForEnds(int count) {
    for (int round = 0; round < 3000 && ended < count; ++round) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
      if (ended < count) QThread::msleep(10);
    }
  }

  static bool HasAudio() { return !QMediaDevices::defaultAudioOutput().isNull(); }
  void ExpectNoRenderedFileLeft() {
    for (const auto& entry : fs::directory_iterator(dir + "tmp"))  // rendered MIDI files are "oxm*.wav"
      EXPECT_NE(entry.path().filename().string().substr(0, 3), "oxm") << entry.path();
  }

  QtEventLoop loop;
  testing::TextTrace trace;
  const ScopedServices services{{&loop, &trace, nullptr, nullptr, nullptr}};
  std::string dir;
  bool hadTmp = false;
  QByteArray previousTmp;
  int ended = 0;
};

TEST_F(QtMediaPlayerTest, WaveAndMidiFilesPlayAndReportTheirEnd) {
  testing::writeFile(dir + "tone.wav", testing::toneWave(200));
  testing::writeFile(dir + "note.mid", testing::oneNoteMidi());
  {
    QtMediaPlayer player;
    player.playWave(dir + "tone.wav", [&] { ++ended; });
    player.playMidi(dir + "note.mid", [&] { ++ended; });
    player.playWave(dir + "tone.wav", [&] { ++ended; });  // overlapping the first
    EXPECT_EQ(ended, 0);  // the calls do not wait for the sounds
    WaitForEnds(3);
    EXPECT_EQ(ended, 3);
  }
  ExpectNoRenderedFileLeft();
  if (HasAudio())
    EXPECT_EQ(trace.text_, "");
  else
    EXPECT_EQ(trace.text_, "Sound: " + dir + "tone.wav not played: no audio output\n" + "Sound: " + dir +
                               "note.mid not played: no audio output\n" + "Sound: " + dir +
                               "tone.wav not played: no audio output\n");
}

TEST_F(QtMediaPlayerTest, SoundsStillPlayingStopWithThePlayer) {
  testing::writeFile(dir + "note.mid", testing::oneNoteMidi());
  {
    QtMediaPlayer player;
    player.playMidi(dir + "note.mid", [&] { ++ended; });
  }
  ExpectNoRenderedFileLeft();
}

TEST_F(QtMediaPlayerTest, FileThatIsNoWaveIsTracedAndEnds) {
  if (!HasAudio()) GTEST_SKIP() << "no audio device: nothing is decoded";
  testing::writeFile(dir + "text.wav", "just some text, not a sound");
  QtMediaPlayer player;
  player.playWave(dir + "text.wav", [&] { ++ended; });
  WaitForEnds(1);
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(trace.text_, "Sound: " + dir + "text.wav not played: not a wave file that can be played\n");
}

TEST_F(QtMediaPlayerTest, MissingFilesAreTracedAndEnd) {
  QtMediaPlayer player;
  player.playWave(dir + "missing.wav", [&] { ++ended; });
  player.playMidi(dir + "missing.mid", [&] { ++ended; });
  EXPECT_EQ(ended, 0);
  WaitForEnds(2);
  EXPECT_EQ(ended, 2);
  EXPECT_EQ(trace.text_, "Sound: " + dir + "missing.wav not played: cannot read the file\n" +
                             "Sound: " + dir + "missing.mid not played: cannot read the file\n");
}

}  // namespace
}  // namespace ondrix::platform::qt
