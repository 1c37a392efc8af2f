#pragma once
// MIDI files rendered to sound with FluidSynth and a General MIDI sound font, so that a MIDI file
// plays through the same audio output as a wave file.

#include <memory>
#include <string>

namespace ondrix::platform {

// The General MIDI sound font used: FluidR3_GM when installed, else TimGM6mb; empty when neither is.
std::string generalMidiSoundFont();

// Renders the MIDI file `midiPath` into the wave file `wavePath`: 16-bit stereo PCM at 44,100 Hz,
// until the notes have faded after the last event (at most ten minutes), trailing silence cut.
// The work is done in steps, so that a caller on the event loop can let other events run between
// them. A render that failed or was abandoned before it was complete leaves no partial wave file.
class MidiRender {
 public:
  MidiRender(const std::string& midiPath, const std::string& wavePath);
  ~MidiRender();
  MidiRender(const MidiRender&) = delete;
  MidiRender& operator=(const MidiRender&) = delete;

  // Renders about `seconds` more of the sound. True while there is more to render; false once the
  // wave file is complete or the render has failed.
  bool step(double seconds);
  // Why the render failed; empty while it goes well and once it has succeeded.
  const std::string& failure() const { return failure_; }

 private:
  struct Engine;
  void fail(std::string why);

  std::string wavePath_;
  std::unique_ptr<Engine> engine_;
  std::string failure_;
};

// Renders the whole file at once; returns an empty text on success, otherwise why it failed.
std::string renderMidiToWave(const std::string& midiPath, const std::string& wavePath);

}  // namespace ondrix::platform
