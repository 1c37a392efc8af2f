#pragma once
// The GUI's sound player: wave files through Qt Multimedia's sound effects (its own wave decoder
// on the audio output, no media framework needed), MIDI files rendered to a temporary wave file
// with FluidSynth, a little at each round of the event loop, and played the same way. Each sound has a player of its own that is
// freed when playback ends; sounds still playing when this object goes are stopped and freed.

#include <QObject>

#include "platform/media.h"

namespace ondrix::platform::qt {

class QtMediaPlayer final : public MediaPlayer {
 public:
  void playWave(const std::string& path, Ended ended) override;
  void playMidi(const std::string& path, Ended ended) override;

 private:
  QObject sounds_;  // parent of the sounds playing
};

}  // namespace ondrix::platform::qt
