#include "platform/media.h"

#include <utility>

#include "platform/services.h"

namespace ondrix::platform {
namespace {

MediaPlayer*& installed() {
  static MediaPlayer defaults;
  static MediaPlayer* current = &defaults;
  return current;
}

void notPlayed(const char* kind, const std::string& path, MediaPlayer::Ended ended) {
  traceSound(std::string(kind) + " " + path + " not played: no audio output");
  reportEndLater(std::move(ended));
}

}  // namespace

void MediaPlayer::playWave(const std::string& path, Ended ended) { notPlayed("Wave file", path, std::move(ended)); }
void MediaPlayer::playMidi(const std::string& path, Ended ended) { notPlayed("MIDI file", path, std::move(ended)); }

MediaPlayer& mediaPlayer() { return *installed(); }

ScopedMediaPlayer::ScopedMediaPlayer(MediaPlayer& player) : previous_(installed()) { installed() = &player; }
ScopedMediaPlayer::~ScopedMediaPlayer() { installed() = previous_; }

void traceSound(const std::string& text) {
  TraceSink& trace = *services().trace;
  if (trace.enabled()) trace.write("Sound: " + text + "\n");
}

void reportEndLater(MediaPlayer::Ended ended) {
  if (ended) services().loop->post(std::move(ended));
}

}  // namespace ondrix::platform
