#include "ui/DurableStep.h"

#include "rom/RomError.h"
#include "rom/Version.h"
#include "text/TextCodec.h"
#include "ui/Platform.h"
#include "ui/RomSession.h"

namespace torvale::ui {
namespace {

QString NotWritten(const RomError& error) {
  return QStringLiteral("The change could not be written to the ROM: %1.\r\n\r\n")
      .arg(QString::fromLocal8Bit(error.what()));
}

const QString kRomClosed = QStringLiteral("The ROM has been closed; open it again to check it.");

}  // namespace

bool WriteDurableStep(RomSession& session, Platform& platform, QWidget* parent, const QString& name,
                      const std::function<void()>& write, StepMerge merge) {
  const auto tell = [&](const QString& text) {
    platform.ShowMessage(parent, MessageIcon::kCritical, QString::fromLatin1(kProgramName), text);
  };
  const auto closeRom = [&](const RomError& error) {
    // Nothing more is written to a file that cannot be trusted.
    session.Close(RomSession::CloseReason::kUntrusted);
    tell(NotWritten(error) + kRomClosed);
  };
  try {
    session.Steps().Record(name, write, merge);
  } catch (const DataFileMissingError&) {
    return false;  // the program is ending
  } catch (const RomChangedError& error) {
    closeRom(error);
    return false;
  } catch (const RomError& error) {
    tell(NotWritten(error) +
         QStringLiteral("Check the file; fields written before this error are in it."));
    return false;
  }
  try {
    session.Rom().Sync();
  } catch (const RomError& error) {
    // After a failed sync nothing tells what the disk holds.
    closeRom(error);
    return false;
  }
  return true;
}

}  // namespace torvale::ui
