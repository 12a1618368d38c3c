#include <QAudioDevice>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QtTest>

#include "SyntheticSpc.h"
#include "ui/SpcPlayer.h"

using torvale::testing::BuildSyntheticSpc;
using torvale::ui::SpcPlayer;

namespace {

QByteArray SpcBytes(const char* game = "Game", const char* title = "Song") {
  const std::vector<std::uint8_t> file = BuildSyntheticSpc(game, title);
  return {reinterpret_cast<const char*>(file.data()), static_cast<qsizetype>(file.size())};
}

QString WriteFile(const QTemporaryDir& folder, const QString& name, const QByteArray& bytes) {
  const QString path = folder.filePath(name);
  torvale::testing::WriteBytes(path.toStdString(), {bytes.begin(), bytes.end()});
  return path;
}

}  // namespace

class SpcPlayerTest : public QObject {
  Q_OBJECT

 private slots:
  void readsGameAndTitleFromTheTag_data() {
    QTest::addColumn<QString>("game");
    QTest::addColumn<QString>("title");
    QTest::newRow("short fields") << "Torvale Test Tunes"
                                  << "Overture of Bells";
    QTest::newRow("title fills its field") << "Q"
                                           << "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
    QTest::newRow("game fills its field") << "Synthetic Sound Processor Album!"
                                          << "Loop";
  }
  void readsGameAndTitleFromTheTag() {
    QFETCH(QString, game);
    QFETCH(QString, title);
    QTemporaryDir folder;
    SpcPlayer player;
    QVERIFY(
        player.Load(WriteFile(folder, "song.spc", SpcBytes(qPrintable(game), qPrintable(title)))));
    QCOMPARE(player.GetGame(), game);
    QCOMPARE(player.GetTitle(), title);
  }

  void refusesWhatItCannotPlay_data() {
    QTest::addColumn<QByteArray>("content");  // null: no file at all
    QTest::newRow("missing file") << QByteArray();
    QTest::newRow("text") << QByteArray("Not music at all.\n");
    QTest::newRow("cut short") << SpcBytes().left(0x1000);
  }
  void refusesWhatItCannotPlay() {
    QFETCH(QByteArray, content);
    QTemporaryDir folder;
    if (!content.isNull()) WriteFile(folder, "other.spc", content);
    SpcPlayer player;
    QVERIFY(player.Load(WriteFile(folder, "good.spc", SpcBytes())));
    QVERIFY(!player.Load(folder.filePath("other.spc")));
    QCOMPARE(player.GetGame(), QString());
    QCOMPARE(player.GetTitle(), QString());
    player.Play();
    QVERIFY(!player.IsPlaying());
  }

  void playbackFollowsTheButtons() {
    QTemporaryDir folder;
    SpcPlayer player;
    const QString path = WriteFile(folder, "song.spc", SpcBytes());
    QVERIFY(player.Load(path));
    // Without an audio device nothing plays and nothing complains.
    const bool device = !QMediaDevices::audioOutputs().isEmpty();
    player.Play();
    QCOMPARE(player.IsPlaying(), device);
    QTest::qWait(300);  // the output pulls samples; an emulation fault would end the song
    QCOMPARE(player.IsPlaying(), device);
    player.Stop();
    QVERIFY(!player.IsPlaying());
    player.Restart();
    QVERIFY(!player.IsPlaying());
    player.Play();
    player.Restart();
    QCOMPARE(player.IsPlaying(), device);
    QVERIFY(player.Load(path));
    QVERIFY(!player.IsPlaying());
  }
};

QTEST_MAIN(SpcPlayerTest)
#include "SpcPlayerTest.moc"
