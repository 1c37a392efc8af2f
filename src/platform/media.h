#pragma once
// Playing sounds: a wave file or a MIDI file, asynchronously, with a notification when playback
// has ended. The GUI installs the Qt player (platform/qt/qt_media_player.h). The default, used by
// headless runs and tests, has no audio output: it writes a trace line and reports the end at once
// through the event loop. A file that cannot be played is traced and ends at once as well; playing
// never raises an error and never waits for the sound.

#include <functional>
#include <string>

namespace ondrix::platform {

class MediaPlayer {
 public:
  // Called on the event loop's thread once playback has ended or could not start. May be empty.
  using Ended = std::function<void()>;

  virtual ~MediaPlayer() = default;

  // Starts playing the file on a player of its own, which is freed when playback ends; several
  // sounds may play at once. Returns before the sound has played.
  virtual void playWave(const std::string& path, Ended ended);
  virtual void playMidi(const std::string& path, Ended ended);
};

// The installed player (the default until something is installed).
MediaPlayer& mediaPlayer();

// Installs `player` for the lifetime of this object, then restores what was there before.
class ScopedMediaPlayer {
 public:
  explicit ScopedMediaPlayer(MediaPlayer& player);
  ~ScopedMediaPlayer();
  ScopedMediaPlayer(const ScopedMediaPlayer&) = delete;
  ScopedMediaPlayer& operator=(const ScopedMediaPlayer&) = delete;

 private:
  MediaPlayer* previous_;
};

// Helpers for players: a trace line about a sound, and the end reported at the next event loop
// round (never from inside the call that started the sound).
void traceSound(const std::string& text);
void reportEndLater(MediaPlayer::Ended ended);

}  // namespace ondrix::platform
