#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QAudioSink;

namespace torvale::ui {

// Plays an SPC music file (a snapshot of the sound processor: its program, memory and
// registers) through the system's default audio output, and reads the game name and song
// title from the file's tag. It never shows a message: a file it cannot read is refused by
// Load's result, and without an audio device the playback calls do nothing.
class SpcPlayer : public QObject {
  Q_OBJECT

 public:
  explicit SpcPlayer(QObject* parent = nullptr);
  ~SpcPlayer() override;

  // Opens an SPC file in place of the one loaded; false, with the file loaded
  // before still loaded, when it is not one the player can read.
  bool Load(const QString& path);
  // The loaded file's game name and song title from its tag; empty when none is loaded.
  QString GetGame() const { return m_game; }
  QString GetTitle() const { return m_title; }

  // Playback through the system's default audio output. Without an audio device, or with
  // nothing loaded, these do nothing visible and report no error.
  void Play();
  void Stop();     // pauses; Play goes on from the same point
  void Restart();  // back to the start of the song, playing on if it was playing
  bool IsPlaying() const;

 private:
  class SampleStream;

  void Unload();
  bool OpenSink();

  // Declared before the sink, which reads from it, so that it is destroyed after it.
  std::unique_ptr<SampleStream> m_stream;  // the loaded song; null when none is loaded
  std::unique_ptr<QAudioSink> m_sink;      // made by the first Play that finds a device
  QString m_game;
  QString m_title;
};

}  // namespace torvale::ui
