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

}  // namespace

// The synthesizer, its MIDI player and the wave file being written, with the render's progress.
struct MidiRender::Engine {
  std::unique_ptr<fluid_settings_t, SettingsDeleter> settings;
  std::unique_ptr<fluid_synth_t, SynthDeleter> synth;
  std::unique_ptr<fluid_player_t, PlayerDeleter> player;
  std::unique_ptr<std::FILE, FileCloser> out;
  std::vector<std::int16_t> block = std::vector<std::int16_t>(static_cast<std::size_t>(kFramesPerBlock) * kChannels);
  long frames = 0, audibleFrames = 0, fadeLeft = kFadeFrames;
  bool silent = false;

  bool finished() const { return frames >= kMaxFrames || fadeLeft <= 0 || silent; }

  // Renders one block and appends it; false when writing failed.
  bool writeBlock() {
    const bool playing = fluid_player_get_status(player.get()) == FLUID_PLAYER_PLAYING;
    fluid_synth_write_s16(synth.get(), kFramesPerBlock, block.data(), 0, kChannels, block.data(), 1, kChannels);
    if (std::fwrite(block.data(), sizeof block[0], block.size(), out.get()) != block.size()) return false;
    frames += kFramesPerBlock;
    silent = std::all_of(block.begin(), block.end(), [](std::int16_t v) { return std::abs(v) < kSilence; });
    if (!silent) audibleFrames = frames;
    if (playing)
      silent = false;  // a rest inside the music
    else
      fadeLeft -= kFramesPerBlock;
    return true;
  }

  // Cuts the trailing silence off and writes the final header; false when that failed.
  bool complete() {
    const auto header = waveHeader(static_cast<std::uint32_t>(audibleFrames));
    const auto size = static_cast<off_t>(header.size() + audibleFrames * kChannels * 2);
    std::FILE* file = out.release();
    const bool written = std::fflush(file) == 0 && ::ftruncate(::fileno(file), size) == 0 &&
                         std::fseek(file, 0, SEEK_SET) == 0 &&
                         std::fwrite(header.data(), 1, header.size(), file) == header.size();
    return std::fclose(file) == 0 && written;
  }
};

MidiRender::MidiRender(const std::string& midiPath, const std::string& wavePath) : wavePath_(wavePath) {
  if (::access(midiPath.c_str(), R_OK) != 0) {
    failure_ = "cannot read " + midiPath;
    return;
  }
  if (!fluid_is_midifile(midiPath.c_str())) {
    failure_ = midiPath + " is not a MIDI file";
    return;
  }
  const std::string font = generalMidiSoundFont();
  if (font.empty()) {
    failure_ = "no General MIDI sound font installed";
    return;
  }
  routeFluidMessagesOnce();
  auto engine = std::make_unique<Engine>();
  engine->settings.reset(new_fluid_settings());
  if (!engine->settings) {
    failure_ = "cannot set up the synthesizer";
    return;
  }
  fluid_settings_setnum(engine->settings.get(), "synth.sample-rate", kSampleRate);
  // The player advances with the rendered samples instead of a clock thread.
  fluid_settings_setstr(engine->settings.get(), "player.timing-source", "sample");
  fluid_settings_setint(engine->settings.get(), "synth.lock-memory", 0);
  engine->synth.reset(new_fluid_synth(engine->settings.get()));
  if (!engine->synth) {
    failure_ = "cannot set up the synthesizer";
    return;
  }
  if (fluid_synth_sfload(engine->synth.get(), font.c_str(), 1) == FLUID_FAILED) {
    failure_ = "cannot load the sound font " + font;
    return;
  }
  engine->player.reset(new_fluid_player(engine->synth.get()));
  if (!engine->player || fluid_player_add(engine->player.get(), midiPath.c_str()) != FLUID_OK ||
      fluid_player_play(engine->player.get()) != FLUID_OK) {
    failure_ = "cannot play " + midiPath;
    return;
  }
  engine->out.reset(std::fopen(wavePath.c_str(), "wb"));
  if (!engine->out) {
    failure_ = "cannot create " + wavePath;
    return;
  }
  engine_ = std::move(engine);
  const auto header = waveHeader(0);
  if (std::fwrite(header.data(), 1, header.size(), engine_->out.get()) != header.size()) fail("cannot write " + wavePath);
}

MidiRender::~MidiRender() {
  if (engine_) {  // abandoned before it was complete
    engine_.reset();
    std::remove(wavePath_.c_str());
  }
}

bool MidiRender::step(double seconds) {
  if (!engine_) return false;
  for (long left = static_cast<long>(seconds * kSampleRate); left > 0 && !engine_->finished(); left -= kFramesPerBlock)
    if (!engine_->writeBlock()) {
      fail("cannot write " + wavePath_);
      return false;
    }
  if (!engine_->finished()) return true;
  const bool completed = engine_->complete();
  engine_.reset();
  if (!completed) fail("cannot write " + wavePath_);
  return false;
}

void MidiRender::fail(std::string why) {
  failure_ = std::move(why);
  engine_.reset();
  std::remove(wavePath_.c_str());
}

std::string generalMidiSoundFont() {
  for (const char* font : kSoundFonts)
    if (::access(font, R_OK) == 0) return font;
  return {};
}

std::string renderMidiToWave(const std::string& midiPath, const std::string& wavePath) {
  MidiRender render(midiPath, wavePath);
  while (render.step(60)) {
  }
  return render.failure();
}

}  // namespace ondrix::platform
