#include "platform/midi/midi_render.h"

#include <fluidsynth.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/services.h"

namespace ondrix::platform {
namespace {

constexpr int kSampleRate = 44100;
constexpr int kChannels = 2;
constexpr int kFramesPerBlock = 4096;
constexpr long kMaxFrames = 10L * 60 * kSampleRate;
constexpr long kFadeFrames = 2L * kSampleRate;
constexpr int kSilence = 16;  // a block whose samples all stay below this is silent
constexpr std::array kSoundFonts{"/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2"};

// FluidSynth's warnings and errors go to the trace instead of standard error; its information
// and debugging messages nowhere.
void traceFluidMessage(int, const char* message, void*) {
  TraceSink& trace = *services().trace;
  if (trace.enabled()) trace.write(std::string("FluidSynth: ") + message + "\n");
}

void routeFluidMessagesOnce() {
  static const bool routed = [] {
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
      fluid_set_log_function(level, level <= FLUID_WARN ? traceFluidMessage : nullptr, nullptr);
    return true;
  }();
  (void)routed;
}

struct SettingsDeleter {
  void operator()(fluid_settings_t* p) const { delete_fluid_settings(p); }
};
struct SynthDeleter {
  void operator()(fluid_synth_t* p) const { delete_fluid_synth(p); }
};
struct PlayerDeleter {
  void operator()(fluid_player_t* p) const { delete_fluid_player(p); }
};
struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

void putLittleEndian(std::uint8_t* at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// The 44-byte header of a PCM wave file holding `frames` frames.
std::array<std::uint8_t, 44> waveHeader(std::uint32_t frames) {
  constexpr std::uint32_t kBlockAlign = kChannels * 2;
  const std::uint32_t dataBytes = frames * kBlockAlign;
  std::array<std::uint8_t, 44> h{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                                 16,  0,   0,   0,   1, 0, kChannels, 0};
  putLittleEndian(&h[4], 36 + dataBytes, 4);
  putLittleEndian(&h[24], kSampleRate, 4);
  putLittleEndian(&h[28], kSampleRate * kBlockAlign, 4);
  putLittleEndian(&h[32], kBlockAlign, 2);
  putLittleEndian(&h[34], 16, 2);
  h[36] = 'd', h[37] = 'a', h[38] = 't', h[39] = 'a';
  putLittleEndian(&h[40], dataBytes, 4);
  return h;
}

// Runs the player over the synthesizer and writes its frames to `out` after a header, until the
// player is done and the notes have faded; trailing silence is cut off. The number of frames kept,
// or -1 when writing failed.
long writeFrames(fluid_synth_t* synth, fluid_player_t* player, std::FILE* out) {
  std::vector<std::int16_t> block(static_cast<std::size_t>(kFramesPerBlock) * kChannels);
  const auto header = waveHeader(0);
  if (std::fwrite(header.data(), 1, header.size(), out) != header.size()) return -1;
  long frames = 0, audibleFrames = 0, fadeLeft = kFadeFrames;
  bool silent = false;
  while (frames < kMaxFrames && fadeLeft > 0 && !silent) {
    const bool playing = fluid_player_get_status(player) == FLUID_PLAYER_PLAYING;
    fluid_synth_write_s16(synth, kFramesPerBlock, block.data(), 0, kChannels, block.data(), 1, kChannels);
    if (std::fwrite(block.data(), sizeof block[0], block.size(), out) != block.size()) return -1;
    frames += kFramesPerBlock;
    silent = std::all_of(block.begin(), block.end(), [](std::int16_t s) { return std::abs(s) < kSilence; });
    if (!silent) audibleFrames = frames;
    if (playing) silent = false;
    else fadeLeft -= kFramesPerBlock;
  }
  const auto final = waveHeader(static_cast<std::uint32_t>(audibleFrames));
  if (std::fflush(out) != 0 || ::ftruncate(::fileno(out), static_cast<off_t>(final.size() + audibleFrames * kChannels * 2)) != 0 ||
      std::fseek(out, 0, SEEK_SET) != 0 || std::fwrite(final.data(), 1, final.size(), out) != final.size())
    return -1;
  return audibleFrames;
}

}  // namespace

std::string generalMidiSoundFont() {
  for (const char* font : kSoundFonts)
    if (::access(font, R_OK) == 0) return font;
  return {};
}

std::string renderMidiToWave(const std::string& midiPath, const std::string& wavePath) {
  if (::access(midiPath.c_str(), R_OK) != 0) return "cannot read " + midiPath;
  if (!fluid_is_midifile(midiPath.c_str())) return midiPath + " is not a MIDI file";
  const std::string font = generalMidiSoundFont();
  if (font.empty()) return "no General MIDI sound font installed";

  routeFluidMessagesOnce();
  std::unique_ptr<fluid_settings_t, SettingsDeleter> settings(new_fluid_settings());
  if (!settings) return "cannot set up the synthesizer";
  fluid_settings_setnum(settings.get(), "synth.sample-rate", kSampleRate);
  // The player advances with the rendered samples instead of a clock thread.
  fluid_settings_setstr(settings.get(), "player.timing-source", "sample");
  fluid_settings_setint(settings.get(), "synth.lock-memory", 0);
  std::unique_ptr<fluid_synth_t, SynthDeleter> synth(new_fluid_synth(settings.get()));
  if (!synth) return "cannot set up the synthesizer";
  if (fluid_synth_sfload(synth.get(), font.c_str(), 1) == FLUID_FAILED) return "cannot load the sound font " + font;
  std::unique_ptr<fluid_player_t, PlayerDeleter> player(new_fluid_player(synth.get()));
  if (!player || fluid_player_add(player.get(), midiPath.c_str()) != FLUID_OK ||
      fluid_player_play(player.get()) != FLUID_OK)
    return "cannot play " + midiPath;

  std::unique_ptr<std::FILE, FileCloser> out(std::fopen(wavePath.c_str(), "wb"));
  if (!out) return "cannot create " + wavePath;
  const long frames = writeFrames(synth.get(), player.get(), out.get());
  fluid_player_stop(player.get());
  if (frames < 0 || std::fclose(out.release()) != 0) {
    std::remove(wavePath.c_str());
    return "cannot write " + wavePath;
  }
  return {};
}

}  // namespace ondrix::platform
