#pragma once
// MIDI files rendered to sound with FluidSynth and a General MIDI sound font, so that a MIDI file
// plays through the same audio output as a wave file.

#include <string>

namespace ondrix::platform {

// The General MIDI sound font used: FluidR3_GM when installed, else TimGM6mb; empty when neither is.
std::string generalMidiSoundFont();

// Renders the MIDI file `midiPath` into the wave file `wavePath`: 16-bit stereo PCM at 44,100 Hz,
// until the notes have faded after the last event (at most ten minutes), trailing silence cut.
// Returns an empty text on success, otherwise why it failed; a failed write leaves no partial file.
std::string renderMidiToWave(const std::string& midiPath, const std::string& wavePath);

}  // namespace ondrix::platform
