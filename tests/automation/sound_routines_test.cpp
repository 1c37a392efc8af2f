// PlayWAVFile and PlayMIDIFile from scripts: the extension checks with their messages, and what
// reaches the sound player; with the headless player the script goes on and nothing hangs.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "automation_fixture.h"
#include "platform/media.h"

namespace ondrix::automation {
namespace {

using testing::AutomationTest;

class RecordingPlayer final : public platform::MediaPlayer {
 public:
  void playWave(const std::string& path, Ended) override { played.push_back("wave " + path); }
  void playMidi(const std::string& path, Ended) override { played.push_back("midi " + path); }
  std::vector<std::string> played;
};

class SoundRoutines : public AutomationTest {
 protected:
  void SetUp() override { Start(); }
};

TEST_F(SoundRoutines, ExtensionDecidesWhatPlays) {
  RecordingPlayer player;
  const platform::ScopedMediaPlayer installed(player);
  const std::string wavError = "PlayWAVFile: Can only play .WAV files";
  const std::string midError = "PlayMIDFile: Can only play .MID files";
  const struct {
    std::string call, played, box;
  } cases[] = {
      {"PlayWAVFile('ding.wav')", "wave ding.wav", ""},
      {"PlayWAVFile('/sounds/Ding.WaV')", "wave /sounds/Ding.WaV", ""},
      {"PlayWAVFile('a.b.WAV')", "wave a.b.WAV", ""},
      {"PlayWAVFile('ding.mid')", "", wavError},
      {"PlayWAVFile('ding.wave')", "", wavError},
      {"PlayWAVFile('ding.wav.bak')", "", wavError},
      {"PlayWAVFile('wav')", "", wavError},
      {"PlayWAVFile('sounds.wav/ding')", "", wavError},
      {"PlayWAVFile('')", "", wavError},
      {"PlayMIDIFile('tune.MID')", "midi tune.MID", ""},
      {"PlayMIDIFile('tune.mid')", "midi tune.mid", ""},
      {"PlayMIDIFile('tune.midi')", "", midError},
      {"PlayMIDIFile('tune.wav')", "", midError},
  };
  for (const auto& c : cases) {
    player.played.clear();
    dialogs.boxes.clear();
    dialogs.styles.clear();
    Run(c.call + "; TestLog('after')");
    EXPECT_EQ(player.played, c.played.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.played})
        << c.call;
    EXPECT_EQ(LastBox(), c.box) << c.call;
    if (!c.box.empty()) {
      EXPECT_EQ(dialogs.styles.back(), platform::MessageStyle::Error) << c.call;
    }
  }
  EXPECT_EQ(Logged(), std::vector<std::string>(std::size(cases), "after"));
}

TEST_F(SoundRoutines, HeadlessPlayerLetsTheScriptGoOn) {
  Run("PlayWAVFile('" + data + "missing.wav'); PlayMIDIFile('" + data + "missing.mid'); TestLog('done')");
  Drain();
  EXPECT_EQ(Logged(), std::vector<std::string>{"done"});
  EXPECT_TRUE(dialogs.boxes.empty());
}

}  // namespace
}  // namespace ondrix::automation
