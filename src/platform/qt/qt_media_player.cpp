#include "platform/qt/qt_media_player.h"

#include <stdlib.h>
#include <unistd.h>

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <cstdio>
#include <utility>

#include "platform/midi/midi_render.h"
#include "platform/paths.h"

namespace ondrix::platform::qt {
namespace {

// One sound playing on a sound effect of its own. It ends itself when playback ends or the file
// cannot be decoded, reports the end, and deletes the temporary file it played.
class Sound final : public QObject {
 public:
  Sound(QObject* parent, const std::string& path, std::string temporary, MediaPlayer::Ended ended)
      : QObject(parent), path_(path), temporary_(std::move(temporary)), ended_(std::move(ended)) {
    connect(&effect_, &QSoundEffect::statusChanged, this, [this] {
      if (effect_.status() != QSoundEffect::Error) return;
      traceSound(path_ + " not played: not a wave file that can be played");
      finish();
    });
    connect(&effect_, &QSoundEffect::playingChanged, this, [this] {
      if (effect_.isPlaying())
        started_ = true;
      else if (started_)
        finish();
    });
    effect_.setSource(QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(path))));
    effect_.play();  // starts once the file has loaded
  }
  ~Sound() override {
    if (!temporary_.empty()) std::remove(temporary_.c_str());
  }

 private:
  void finish() {
    if (finished_) return;
    finished_ = true;
    deleteLater();
    if (ended_) ended_();
  }

  std::string path_, temporary_;
  MediaPlayer::Ended ended_;
  QSoundEffect effect_{this};
  bool started_ = false, finished_ = false;
};

// A new empty temporary file for a rendered sound; empty when none can be made.
std::string newTemporaryWave() {
  std::string name = tempFolder() + "oxmXXXXXX.wav";
  const int fd = ::mkstemps(name.data(), 4);
  if (fd < 0) return {};
  ::close(fd);
  return name;
}

// Why a sound cannot start: the file cannot be read, or there is no audio output; null when it can.
const char* whyNotPlayable(const std::string& path) {
  if (::access(path.c_str(), R_OK) != 0) return "cannot read the file";
  if (QMediaDevices::defaultAudioOutput().isNull()) return "no audio output";
  return nullptr;
}

void notPlayed(const std::string& path, const std::string& why, MediaPlayer::Ended ended) {
  traceSound(path + " not played: " + why);
  reportEndLater(std::move(ended));
}

}  // namespace

void QtMediaPlayer::playWave(const std::string& path, Ended ended) {
  if (const char* why = whyNotPlayable(path)) return notPlayed(path, why, std::move(ended));
  new Sound(&sounds_, path, {}, std::move(ended));
}

void QtMediaPlayer::playMidi(const std::string& path, Ended ended) {
  if (const char* why = whyNotPlayable(path)) return notPlayed(path, why, std::move(ended));
  const std::string wave = newTemporaryWave();
  if (wave.empty()) return notPlayed(path, "no temporary file", std::move(ended));
  const std::string failure = renderMidiToWave(path, wave);
  if (!failure.empty()) {
    std::remove(wave.c_str());
    return notPlayed(path, failure, std::move(ended));
  }
  new Sound(&sounds_, wave, wave, std::move(ended));
}

}  // namespace ondrix::platform::qt
