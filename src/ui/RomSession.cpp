#include "ui/RomSession.h"

#include "rom/CopierHeader.h"
#include "rom/RomError.h"
#include "rom/RomIdentity.h"
#include "rom/Version.h"
#include "ui/DataFiles.h"
#include "ui/EditorContext.h"
#include "ui/Platform.h"

namespace torvale::ui {
namespace {

QString FromRom(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace

EditorContext::EditorContext(RomSession& session, Platform& platform)
    : session(session),
      platform(platform),
      rom(session.Rom()),
      text(session.Text()),
      history(session.Steps()) {}

RomSession::RomSession(Platform& platform, RomIo& io)
    : m_platform(platform), m_rom(io), m_text(MakeTextCodec(platform)) {
  connect(&m_history, &History::Written, this, &RomSession::Changed);
  connect(&m_history, &History::Untrusted, this, [this] { Close(CloseReason::kUntrusted); });
}

bool RomSession::Open(const QString& path, QWidget* parent) {
  Close(CloseReason::kByUser);
  try {
    m_rom.Open(path.toStdString());
  } catch (const RomError&) {
    return false;  // cancelled, unreadable, or held by another program: nothing to say
  }
  bool checked = false;
  try {
    checked = CheckOpened(parent);
  } catch (const RomError&) {
    // a check that cannot read the file leaves it closed
  }
  if (!checked) {
    Close(CloseReason::kByUser);
    return false;
  }
  m_history.Resume();
  emit Opened();
  return true;
}

// The length, the identity (another game ends the program), the copier header.
bool RomSession::CheckOpened(QWidget* parent) {
  const QString title = QString::fromLatin1(kProgramName);
  if (const auto refusal = CheckRomLength(m_rom)) {
    m_platform.ShowMessage(parent, MessageIcon::kCritical, title, QString::fromStdString(*refusal));
    return false;
  }
  const IdentityCheck identity = CheckROMIdentity(m_rom);
  if (identity.verdict != IdentityVerdict::kAccepted) {
    const bool refused = identity.verdict == IdentityVerdict::kRefused;
    m_platform.ShowMessage(parent, refused ? MessageIcon::kCritical : MessageIcon::kExclamation,
                           title, FromRom(identity.message));
    if (refused) {
      Close(CloseReason::kByUser);
      m_platform.EndProgram();
      return false;
    }
  }
  if (const auto refusal = CheckHeader(m_rom)) {
    m_platform.ShowMessage(parent, MessageIcon::kCritical, title, FromRom(*refusal));
    return false;
  }
  return true;
}

void RomSession::Close(CloseReason reason) {
  if (!m_rom.IsOpen()) {
    m_history.Discard();  // a history the file has left behind
    return;
  }
  if (reason == CloseReason::kByUser) {
    m_history.Keep();
  } else {
    m_history.Discard();
  }
  m_rom.Close();
  emit Closed(reason);
}

}  // namespace torvale::ui
