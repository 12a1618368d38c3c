#include "ui/SpcPlayer.h"

#include <gme/gme.h>

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QMediaDevices>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

namespace torvale::ui {

namespace {

constexpr int kSampleRate = 32000;  // the sound processor's own rate: no resampling
constexpr int kChannels = 2;
constexpr int kBytesPerFrame = kChannels * static_cast<int>(sizeof(short));
constexpr qint64 kFramesPerRead = kSampleRate / 20;  // at most 50 ms emulated per read
constexpr int kSinkBufferBytes = kSampleRate * kBytesPerFrame / 4;  // 250 ms of sound

struct EmuDeleter {
  void operator()(Music_Emu* emu) const { gme_delete(emu); }
};
using EmuPointer = std::unique_ptr<Music_Emu, EmuDeleter>;

// Tag fields are single-byte text: each byte is one character.
QString TagText(const char* text) {
  return QString::fromLatin1(text);
}

}  // namespace

// The song as an endless read-only stream of 16-bit stereo samples, emulated as the audio
// output asks for them. The output pulls from the thread the player lives on, so the
// emulator is never used from two threads; only the end flag is read from the audio
// system's own thread.
class SpcPlayer::SampleStream final : public QIODevice {
 public:
  SampleStream(EmuPointer emu, int playLength) : m_emu(std::move(emu)), m_playLength(playLength) {
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
  }

  // Starts the song over; false when the emulator cannot start it.
  bool Rewind() {
    m_ended = gme_start_track(m_emu.get(), 0) != nullptr;
    // The library's own fade for a tagged length is 50 ms long, too short for a whole fade
    // step at this rate (it would divide by zero when reached); fade out from the same point
    // with the library's standard length instead.
    if (!m_ended) gme_set_fade(m_emu.get(), m_playLength);
    return !m_ended;
  }

  bool isSequential() const override { return true; }
  bool atEnd() const override { return m_ended; }

 protected:
  qint64 readData(char* data, qint64 maxSize) override {
    if (m_ended) return 0;
    const int count =
        static_cast<int>(std::min(maxSize / kBytesPerFrame, kFramesPerRead)) * kChannels;
    m_samples.resize(static_cast<std::size_t>(count));
    if (gme_play(m_emu.get(), count, m_samples.data()) != nullptr) {
      m_ended = true;  // an emulation fault ends the song quietly
      return 0;
    }
    m_ended = gme_track_ended(m_emu.get()) != 0;
    const qint64 bytes = qint64{count} * static_cast<qint64>(sizeof(short));
    std::memcpy(data, m_samples.data(), static_cast<std::size_t>(bytes));
    return bytes;
  }

  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  EmuPointer m_emu;
  int m_playLength;  // milliseconds before the fade: the tag's length, or the library's default
  std::atomic<bool> m_ended{false};
  std::vector<short> m_samples;
};

SpcPlayer::SpcPlayer(QObject* parent) : QObject(parent) {}

SpcPlayer::~SpcPlayer() = default;

bool SpcPlayer::Load(const QString& path) {
  // Only a regular file: a pipe or a device could block the window while it is read.
  if (!QFileInfo(path).isFile()) return false;
  Music_Emu* opened = nullptr;
  if (gme_open_file(QFile::encodeName(path).constData(), &opened, kSampleRate) != nullptr) {
    return false;
  }
  EmuPointer emu(opened);
  if (gme_type(emu.get()) != gme_spc_type) return false;  // another system's music file

  gme_info_t* info = nullptr;
  if (gme_track_info(emu.get(), &info, 0) != nullptr) return false;
  const QString game = TagText(info->game);
  const QString title = TagText(info->song);
  const int playLength = info->play_length;
  gme_free_info(info);

  // The fade is set by the stream itself (see Rewind).
  gme_set_autoload_playback_limit(emu.get(), 0);
  auto stream = std::make_unique<SampleStream>(std::move(emu), playLength);
  if (!stream->Rewind()) return false;
  Unload();
  m_stream = std::move(stream);
  m_game = game;
  m_title = title;
  return true;
}

void SpcPlayer::Unload() {
  if (m_sink) m_sink->stop();
  m_stream.reset();
  m_game.clear();
  m_title.clear();
}

bool SpcPlayer::OpenSink() {
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (device.isNull()) return false;
  QAudioFormat format;
  format.setSampleRate(kSampleRate);
  format.setChannelCount(kChannels);
  format.setSampleFormat(QAudioFormat::Int16);
  m_sink = std::make_unique<QAudioSink>(device, format);
  m_sink->setBufferSize(kSinkBufferBytes);
  return true;
}

void SpcPlayer::Play() {
  if (!m_stream || IsPlaying()) return;
  if (!m_sink && !OpenSink()) return;
  if (m_sink->state() == QAudio::SuspendedState) {
    m_sink->resume();
    return;
  }
  if (m_stream->atEnd()) m_stream->Rewind();  // a song that has ended starts over
  m_sink->start(m_stream.get());
}

void SpcPlayer::Stop() {
  if (IsPlaying()) m_sink->suspend();
}

void SpcPlayer::Restart() {
  if (!m_stream) return;
  const bool wasPlaying = IsPlaying();
  // Stopping drops the sound already emulated beyond what was heard.
  if (m_sink) m_sink->stop();
  m_stream->Rewind();
  if (wasPlaying) Play();
}

bool SpcPlayer::IsPlaying() const {
  return m_sink && m_sink->state() == QAudio::ActiveState;
}

}  // namespace torvale::ui
