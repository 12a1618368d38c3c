// The main window's commands of the ROM's history and of its release: Undo,
// Redo and the history window, the checksum, the changes since the clean ROM
// and the patch that publishes them, patches and change sets taken in.
#include <QFileInfo>
#include <QSettings>
#include <QStatusBar>

#include "frontend/DumpDescription.h"
#include "patch/ImageIdentity.h"
#include "rom/Checksum.h"
#include "rom/RomError.h"
#include "rom/Version.h"
#include "ui/ApplyPatchWindow.h"
#include "ui/ChangesWindow.h"
#include "ui/CleanRomChoice.h"
#include "ui/HistoryKeys.h"
#include "ui/HistoryWindow.h"
#include "ui/MainWindow.h"
#include "ui/PatchDialog.h"
#include "ui/Platform.h"
#include "ui_MainWindow.h"

namespace torvale::ui {
namespace {

const QString kFixChecksumOnSaveKey = QStringLiteral("FixChecksumOnSave");
const QString kChangeSources = QStringLiteral("Patches and Change Sets (*.bps, *.ips, *.yaml)");
const QString kChangeSourceFilter =
    kChangeSources + QStringLiteral("|*.bps;*.ips;*.yaml;*.yml|All Files (*.*)|*.*");

// "&Undo Item Editor: Dunnox"; a step's own "&" shows as it is.
QString StepCaption(const QString& verb, QString step) {
  return step.isEmpty() ? verb : verb + u' ' + step.replace(u'&', QStringLiteral("&&"));
}

}  // namespace

void MainWindow::ConnectHistoryCommands() {
  QUndoGroup& steps = m_history.Steps();
  QAction* undo = m_ui->mnuUndo;
  QAction* redo = m_ui->mnuRedo;
  undo->setShortcuts(UndoKeys());
  redo->setShortcuts(RedoKeys());
  connect(&steps, &QUndoGroup::undoTextChanged, undo, [undo](const QString& step) {
    undo->setText(StepCaption(QStringLiteral("&Undo"), step));
  });
  connect(&steps, &QUndoGroup::redoTextChanged, redo, [redo](const QString& step) {
    redo->setText(StepCaption(QStringLiteral("&Redo"), step));
  });
  connect(&steps, &QUndoGroup::canUndoChanged, undo, &QAction::setEnabled);
  connect(&steps, &QUndoGroup::canRedoChanged, redo, &QAction::setEnabled);
  connect(undo, &QAction::triggered, &m_history, &History::Undo);
  connect(redo, &QAction::triggered, &m_history, &History::Redo);
  connect(m_ui->mnuHistory, &QAction::triggered, this, [this] {
    HistoryWindow window(m_history, this);
    ShowModalWindow(window);
  });
  connect(&m_history, &History::Moved, this, &MainWindow::ShowRomInformation);

  m_ui->FixChecksumCHK->setChecked(m_platform.Settings().value(kFixChecksumOnSaveKey).toBool());
  connect(m_ui->FixChecksumCHK, &QCheckBox::toggled, this,
          [this](bool on) { m_platform.Settings().setValue(kFixChecksumOnSaveKey, on); });
  connect(m_ui->mnuFixChecksum, &QAction::triggered, this, &MainWindow::FixChecksum);
  connect(m_ui->mnuCompare, &QAction::triggered, this, &MainWindow::CompareWithCleanRom);
  connect(m_ui->mnuCreatePatch, &QAction::triggered, this, &MainWindow::CreatePatchFromMenu);
  connect(m_ui->mnuApplyPatch, &QAction::triggered, this, &MainWindow::ApplyPatchFromMenu);
  connect(m_ui->mnuExportChanges, &QAction::triggered, this, &MainWindow::ExportChangesFromMenu);
}

// After a step back or forward the header fields show what the file holds.
void MainWindow::ShowRomInformation() {
  try {
    LoadChecksum();
    LoadROMIName();
    LoadEditedUnEdited();
    LoadROMHeader();
    LoadROMVersion();
    LoadCountryCode();
    LoadROMTag();
  } catch (const RomError&) {
    // The fields keep what they showed; the next write reports the file.
  }
}

void MainWindow::ShowChecksum() {
  try {
    if (m_rom.IsOpen()) LoadChecksum();
  } catch (const RomError&) {
    // The label keeps what it showed; the next write reports the file.
  }
}

void MainWindow::LoadChecksum() {
  m_ui->CRC32LBL->setText(frontend::DumpDescription(ReadImageCrc32(m_rom)));
  const ChecksumStatus status = ReadChecksumStatus(m_rom);
  m_ui->mnuFixChecksum->setEnabled(status.state == ChecksumState::kWrong);
  m_ui->ChecksumLBL->setText(frontend::ChecksumText(status));
}

// The checksum the image now sums to, and its complement; nothing for an
// image whose checksum cannot be computed.
void MainWindow::WriteComputedChecksum() {
  const ChecksumStatus status = ReadChecksumStatus(m_rom);
  if (status.state != ChecksumState::kUnknown) WriteChecksum(m_rom, status.computed);
}

void MainWindow::FixChecksum() {
  if (!m_rom.IsOpen()) return;
  if (WriteStep(QStringLiteral("Fix Checksum"), [this] { WriteComputedChecksum(); })) {
    ShowChecksum();
  }
}

void MainWindow::CompareWithCleanRom() {
  if (!m_rom.IsOpen()) return;
  CleanRomChoice choice(m_platform, this, m_rom);
  std::optional<CleanRom> clean = choice.Read(false);
  if (!clean) return;
  ChangesWindow window(ContextForEditors(), std::move(*clean), choice.Path(), this);
  ShowModalWindow(window);
  ShowChecksum();
}

void MainWindow::WithCleanRom(
    const std::function<QString(const CleanRom& clean, const QString& cleanPath)>& use) {
  if (!m_rom.IsOpen()) return;
  CleanRomChoice choice(m_platform, this, m_rom);
  const std::optional<CleanRom> clean = choice.Read(false);
  if (!clean) return;
  const QString status = use(*clean, choice.Path());
  if (!status.isEmpty()) statusBar()->showMessage(status);
}

void MainWindow::CreatePatchFromMenu() {
  WithCleanRom([this](const CleanRom& clean, const QString& cleanPath) {
    return CreatePatchWithDialog(m_platform, this, m_rom, clean, cleanPath);
  });
}

// The patch is chosen first, then read against the clean ROM it was made for.
void MainWindow::ApplyPatchFromMenu() {
  if (!m_rom.IsOpen()) return;
  const QString path = m_platform.AskOpenFileName(this, kChangeSourceFilter, kChangeSources);
  if (path.isEmpty()) return;
  CleanRomChoice choice(m_platform, this, m_rom);
  std::optional<CleanRom> clean = choice.Read(false);
  if (!clean) return;
  frontend::ChangeSource source;
  try {
    source = frontend::ReadChangeSource(path, clean->Image(), m_session.Text());
  } catch (const RomError& error) {
    m_platform.ShowMessage(this, MessageIcon::kCritical, QString::fromLatin1(kProgramName),
                           QString::fromLocal8Bit(error.what()) +
                               QStringLiteral("\r\n\r\nNothing was written."));
    return;
  }
  ApplyPatchWindow window(ContextForEditors(), std::move(*clean), std::move(source),
                          QFileInfo(path).fileName(), this);
  ShowModalWindow(window);
  ShowChecksum();
}

void MainWindow::ExportChangesFromMenu() {
  WithCleanRom([this](const CleanRom& clean, const QString& cleanPath) {
    return ExportChangesWithDialog(m_platform, this, m_rom, m_session.Text(), clean, cleanPath);
  });
}

}  // namespace torvale::ui
