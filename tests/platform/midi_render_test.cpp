// MIDI files rendered with FluidSynth: the wave file's format, that the note sounds, and the
// files that cannot be rendered.

#include "platform/midi/midi_render.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "sound_files.h"

namespace ondrix::platform {
namespace {

namespace fs = std::filesystem;
using testing::oneNoteMidi;
using testing::writeFile;

std::uint32_t littleEndian(const std::string& bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
  return value;
}

class MidiRendering : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "ondrix-midi-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir = pattern + "/";
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string dir;
};

TEST_F(MidiRendering, OneNoteBecomesAudibleStereoWave) {
  ASSERT_FALSE(generalMidiSoundFont().empty());
  writeFile(dir + "note.mid", oneNoteMidi());
  ASSERT_EQ(renderMidiToWave(dir + "note.mid", dir + "note.wav"), "");

  std::ifstream in(dir + "note.wav", std::ios::binary);
  const std::string wave{std::istreambuf_iterator<char>(in), {}};
  ASSERT_GE(wave.size(), 44u);
  EXPECT_EQ(wave.substr(0, 4), "RIFF");
  EXPECT_EQ(wave.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(littleEndian(wave, 4, 4), wave.size() - 8);
  EXPECT_EQ(littleEndian(wave, 20, 2), 1u);      // PCM
  EXPECT_EQ(littleEndian(wave, 22, 2), 2u);      // stereo
  EXPECT_EQ(littleEndian(wave, 24, 4), 44100u);  // frames per second
  EXPECT_EQ(littleEndian(wave, 34, 2), 16u);     // bits per sample
  EXPECT_EQ(wave.substr(36, 4), "data");
  const std::uint32_t dataBytes = littleEndian(wave, 40, 4);
  EXPECT_EQ(dataBytes, wave.size() - 44);
  // The half-second note and its fading, without the silence after it.
  const double seconds = dataBytes / 4.0 / 44100;
  EXPECT_GE(seconds, 0.5);
  EXPECT_LE(seconds, 2.0);

  // Loud while the note is held, quiet once it has faded.
  auto peak = [&](double from, double to) {
    int loudest = 0;
    for (std::size_t at = 44 + static_cast<std::size_t>(from * 44100) * 4;
         at + 1 < 44 + static_cast<std::size_t>(to * 44100) * 4; at += 2)
      loudest = std::max(loudest, std::abs(static_cast<std::int16_t>(littleEndian(wave, at, 2))));
    return loudest;
  };
  EXPECT_GT(peak(0.0, 0.5), 1000);
  EXPECT_LT(peak(seconds - 0.2, seconds), peak(0.0, 0.5) / 10);
}

TEST_F(MidiRendering, RenderInSmallStepsGivesTheSameFileAndAnAbandonedOneLeavesNone) {
  writeFile(dir + "note.mid", oneNoteMidi());
  ASSERT_EQ(renderMidiToWave(dir + "note.mid", dir + "whole.wav"), "");
  int steps = 0;
  {
    MidiRender render(dir + "note.mid", dir + "steps.wav");
    while (render.step(0.1)) ++steps;
    EXPECT_EQ(render.failure(), "");
  }
  EXPECT_GT(steps, 5);
  auto bytes = [](const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string{std::istreambuf_iterator<char>(in), {}};
  };
  EXPECT_EQ(bytes(dir + "steps.wav"), bytes(dir + "whole.wav"));
  {
    MidiRender render(dir + "note.mid", dir + "abandoned.wav");
    EXPECT_TRUE(render.step(0.1));
    EXPECT_TRUE(fs::exists(dir + "abandoned.wav"));
  }
  EXPECT_FALSE(fs::exists(dir + "abandoned.wav"));
}

TEST_F(MidiRendering, FilesThatCannotBeRenderedSayWhyAndLeaveNoWave) {
  writeFile(dir + "text.mid", "not a MIDI file at all");
  writeFile(dir + "note.mid", oneNoteMidi());
  const struct {
    std::string midi, wave, why;
  } cases[] = {
      {dir + "missing.mid", dir + "a.wav", "cannot read " + dir + "missing.mid"},
      {dir + "text.mid", dir + "b.wav", dir + "text.mid is not a MIDI file"},
      {dir + "note.mid", dir + "no/such/folder.wav", "cannot create " + dir + "no/such/folder.wav"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(renderMidiToWave(c.midi, c.wave), c.why);
    EXPECT_FALSE(fs::exists(c.wave)) << c.wave;
  }
}

}  // namespace
}  // namespace ondrix::platform
