#include "platform/qt/qt_media_player.h"

#include <stdlib.h>
#include <unistd.h>

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>
#include <cstdio>
#include <memory>
#include <utility>

#include "platform/midi/midi_render.h"
#include "platform/paths.h"

namespace ondrix::platform::qt {
namespace {

// One sound: a wave file played on a sound effect of its own, or a MIDI file rendered to a
// temporary wave file between events first. It ends itself when playback ends or fails, reports
// the end, and deletes its temporary file.
class Sound final : public QObject {
 public:
  Sound(QObject* parent, const std::string& path, MediaPlayer::Ended ended)
      : QObject(parent), path_(path), ended_(std::move(ended)) {
    connect(&effect_, &QSoundEffect::statusChanged, this, [this] {
      if (effect_.status() == QSoundEffect::Error) notPlayed("not a wave file that can be played");
    });
    connect(&effect_, &QSoundEffect::playingChanged, this, [this] {
      if (effect_.isPlaying())
        started_ = true;
      else if (started_)
        finish();
    });
  }
  ~Sound() override {
    render_.reset();
    if (!temporary_.empty()) std::remove(temporary_.c_str());
  }

  void play(const std::string& wave) {
    effect_.setSource(QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(wave))));
    effect_.play();  // starts once the file has loaded
  }

  // Renders the MIDI file into `temporary` a little at each round of the event loop, then plays it.
  void renderAndPlay(const std::string& temporary) {
    temporary_ = temporary;
    render_ = std::make_unique<MidiRender>(path_, temporary_);
    connect(&renderTimer_, &QTimer::timeout, this, [this] {
      if (render_->step(kRenderStepSeconds)) return;
      renderTimer_.stop();
      if (render_->failure().empty())
        play(temporary_);
      else
        notPlayed(render_->failure());
      render_.reset();
    });
    renderTimer_.start(0);
  }

 private:
  static constexpr double kRenderStepSeconds = 0.5;  // of sound, a few milliseconds of work

  void notPlayed(const std::string& why) {
    traceSound(path_ + " not played: " + why);
    finish();
  }
  void finish() {
    if (finished_) return;
    finished_ = true;
    deleteLater();
    if (ended_) ended_();
  }

  std::string path_, temporary_;
  MediaPlayer::Ended ended_;
  QSoundEffect effect_{this};
  QTimer renderTimer_{this};
  std::unique_ptr<MidiRender> render_;
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
  (new Sound(&sounds_, path, std::move(ended)))->play(path);
}

void QtMediaPlayer::playMidi(const std::string& path, Ended ended) {
  if (const char* why = whyNotPlayable(path)) return notPlayed(path, why, std::move(ended));
  const std::string wave = newTemporaryWave();
  if (wave.empty()) return notPlayed(path, "no temporary file", std::move(ended));
  (new Sound(&sounds_, path, std::move(ended)))->renderAndPlay(wave);
}

}  // namespace ondrix::platform::qt
