// The default sound player of headless runs: nothing plays, a trace line says so, and the end is
// reported through the event loop, never from inside the call.

#include "platform/media.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/posix/poll_event_loop.h"
#include "platform/services.h"
#include "text_trace.h"

namespace ondrix::platform {
namespace {

TEST(DefaultMediaPlayer, TracesAndReportsTheEndThroughTheLoop) {
  PollEventLoop loop;
  testing::TextTrace trace;
  const ScopedServices services({&loop, &trace, nullptr, nullptr, nullptr});
  int ended = 0;
  mediaPlayer().playWave("/no/such/ding.wav", [&] { ++ended; });
  mediaPlayer().playMidi("tune.mid", [&] { ++ended; });
  mediaPlayer().playWave("quiet.wav", {});  // no notification asked for
  EXPECT_EQ(ended, 0);
  for (int round = 0; round < 10 && ended < 2; ++round) loop.processPendingEvents();
  EXPECT_EQ(ended, 2);
  EXPECT_EQ(trace.text_,
            "Sound: Wave file /no/such/ding.wav not played: no audio output\n"
            "Sound: MIDI file tune.mid not played: no audio output\n"
            "Sound: Wave file quiet.wav not played: no audio output\n");
}

TEST(DefaultMediaPlayer, ScopedPlayerIsUsedAndThenRestored) {
  struct Counting final : MediaPlayer {
    void playWave(const std::string&, Ended) override { ++waves; }
    int waves = 0;
  } counting;
  MediaPlayer* before = &mediaPlayer();
  {
    const ScopedMediaPlayer installed(counting);
    mediaPlayer().playWave("a.wav", {});
    EXPECT_EQ(&mediaPlayer(), &counting);
  }
  EXPECT_EQ(counting.waves, 1);
  EXPECT_EQ(&mediaPlayer(), before);
}

}  // namespace
}  // namespace ondrix::platform
