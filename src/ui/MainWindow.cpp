#include "ui/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDialog>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QRegularExpressionValidator>
#include <QScopedValueRollback>
#include <QStyle>
#include <utility>

#include "rom/CopierHeader.h"
#include "rom/EditTag.h"
#include "rom/InternalHeader.h"
#include "rom/RomError.h"
#include "rom/Version.h"
#include "ui/AboutWindow.h"
#include "ui/DataFiles.h"
#include "ui/EditorRegistry.h"
#include "ui/Emulator.h"
#include "ui/Pause.h"
#include "ui/Platform.h"
#include "ui/RecentFiles.h"
#include "ui/SpecialThanksWindow.h"
#include "ui_MainWindow.h"

namespace torvale::ui {
namespace {

const QString kProgramTitle = QString::fromLatin1(kProgramName);
const QString kNotAvailable = QStringLiteral("N/A");
constexpr double kSaveNoticeSeconds = 3.0;
constexpr int kRecentEntryCharacters = 60;

const QString kRomFileFilter = QStringLiteral(
    "All Files (*.*)|*.*|All SNES ROM Files (*.swc, *.smc, *.fig)|*.smc;*.swc;*.fig|Super MagiCom "
    "ROM File (*.smc)|*.smc|Super Wild Card ROM File (*.swc)|*.swc|Super UFO 8/Pro Fighter X ROM "
    "File (*.fig)|*.fig");
const QString kRomFileSelectedFilter = QStringLiteral("All SNES ROM Files (*.swc, *.smc, *.fig)");

// The name box takes printable characters of the ROM's single-byte code page.
const QRegularExpression kRomNameCharacters(QStringLiteral("[\\x{20}-\\x{7E}\\x{A0}-\\x{FF}]*"));

QString FromRom(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void SetTextColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  widget->setPalette(palette);
}

}  // namespace

MainWindow::MainWindow(Platform& platform, RomIo& io, QWidget* parent)
    : QMainWindow(parent),
      m_platform(platform),
      m_ui(std::make_unique<Ui::MainWindow>()),
      m_session(platform, io) {
  m_ui->setupUi(this);
  m_hint = m_ui->InfoLBL->text();
  m_ui->iROMName->setValidator(new QRegularExpressionValidator(kRomNameCharacters, this));
  m_ui->InfoIMG->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
  // The name box would take a dropped file's path as text: the window takes the file instead.
  setAcceptDrops(true);
  m_ui->iROMName->setAcceptDrops(false);
  ShowCaption({});
  connect(&m_session, &RomSession::Closed, this, &MainWindow::ShowNoRom);
  LoadTreeData();
  ConnectCommands();
  ConnectPresetMenus();
  ConnectHistoryCommands();
  ConnectTableCommands();
  ShowRecentFiles();
}

MainWindow::~MainWindow() = default;

void MainWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  m_platform.EndProgram();
}

QString MainWindow::DroppedRomFile(const QMimeData& data) const {
  if (m_windowOpenOver || QApplication::activeModalWidget() != nullptr) return {};
  const QList<QUrl> urls = data.urls();
  if (urls.size() != 1 || !urls[0].isLocalFile()) return {};
  return urls[0].toLocalFile();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedRomFile(*event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QString fileName = DroppedRomFile(*event->mimeData());
  if (fileName.isEmpty()) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  // Opened once the drop is over, so that the program the file came from
  // does not wait on a message box.
  QMetaObject::invokeMethod(
      this, [this, fileName] { LoadROMFile(fileName); }, Qt::QueuedConnection);
}

void MainWindow::LoadTreeData() {
  QTreeWidget* tree = m_ui->Tree;
  for (const EditorEntry& node : Editors()) {
    if (*node.key == '\0') continue;  // a window the tree does not open
    auto* item = new QTreeWidgetItem(QStringList{QString::fromLatin1(node.nodeText)});
    item->setData(0, Qt::UserRole, QString::fromLatin1(node.key));
    if (*node.parentKey == '\0') {
      tree->addTopLevelItem(item);
      continue;
    }
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
      QTreeWidgetItem* top = tree->topLevelItem(i);
      if (top->data(0, Qt::UserRole).toString() == QLatin1String(node.parentKey)) {
        top->addChild(item);
        break;
      }
    }
  }
}

void MainWindow::ConnectCommands() {
  connect(m_ui->mnuOpen, &QAction::triggered, this, &MainWindow::LoadROM);
  connect(m_ui->mnuClearRecent, &QAction::triggered, this, [this] {
    RecentFiles(m_platform.Settings()).Clear();
    ShowRecentFiles();
  });
  connect(m_ui->mnuRunEmulator, &QAction::triggered, this, [this] {
    if (m_rom.IsOpen())
      RunInEmulator(m_platform, this, QString::fromStdString(m_rom.Path().string()));
  });
  connect(m_ui->mnuChooseEmulator, &QAction::triggered, this,
          [this] { ChooseEmulator(m_platform, this); });
  connect(m_ui->mnuClose, &QAction::triggered, this, &MainWindow::CloseROM);
  connect(m_ui->mnuSave, &QAction::triggered, this, &MainWindow::SaveAndNotify);
  connect(m_ui->SaveCMD, &QPushButton::clicked, this, &MainWindow::SaveAndNotify);
  connect(m_ui->mnuQuit, &QAction::triggered, this, [this] { m_platform.EndProgram(); });
  connect(m_ui->QuitCMD, &QPushButton::clicked, this, [this] { m_platform.EndProgram(); });
  connect(m_ui->Tree, &QTreeWidget::itemClicked, this, &MainWindow::OpenEditor);
  // Enter on a node opens it too; a double click already opened it on its first click.
  connect(m_ui->Tree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* node) {
    if (QApplication::mouseButtons() == Qt::NoButton) OpenEditor(node);
  });
  connect(m_ui->ExpandCHK, &QCheckBox::clicked, this, &MainWindow::ExpandTree);
  // The information picture is a flat button, so the keyboard reaches it too.
  connect(m_ui->InfoIMG, &QToolButton::clicked, this, &MainWindow::OpenTextListEditor);
  connect(m_ui->mnuAbout, &QAction::triggered, this, [this] {
    AboutWindow window(m_platform, this);
    ShowModalWindow(window);
  });
  connect(m_ui->mnuSpecialThanks, &QAction::triggered, this, [this] {
    SpecialThanksWindow window(this);
    ShowModalWindow(window);
  });
}

void MainWindow::ConnectPresetMenus() {
  const std::pair<QAction*, const char*> namePresets[] = {
      {m_ui->mnuDefaultv10, "FINAL FANTASY II"},
      {m_ui->mnuDefaultv11, "FINAL FANTASY 2"},
      {m_ui->mnuFFIIusLong1, "Final Fantasy IIus"},
      {m_ui->mnuFF2usLong1, "Final Fantasy 2us"},
      {m_ui->mnuFFIIusLong2, "Final Fantasy II US"},
      {m_ui->mnuFF2usLong2, "Final Fantasy 2 US"},
      {m_ui->mnuFF2usShort, "FF2us"},
  };
  const std::pair<QAction*, const char*> countryPresets[] = {
      {m_ui->mnuDefaultUSA, "USA (NTSC)"},
      {m_ui->mnuJapan, "Japan (NTSC)"},
      {m_ui->mnuEurope, "Europe/Oceania/Asia (PAL)"},
      {m_ui->mnuChina, "Hong Kong/China (PAL)"},
  };
  const std::pair<QAction*, std::string_view> headerPresets[] = {
      {m_ui->mnuBlankHeader, kBlankedHeader},
      {m_ui->mnuSMC, kSuperMagiCom},
      {m_ui->mnuSWC, kSuperWildCard},
      {m_ui->mnuFIG, kSuperUfo},
  };
  for (const auto& [action, text] : namePresets) {
    connect(action, &QAction::triggered, this,
            [this, text] { m_ui->iROMName->setText(QString::fromLatin1(text)); });
  }
  for (const auto& [action, caption] : countryPresets) {
    connect(action, &QAction::triggered, this,
            [this, caption] { m_ui->cROMFormat->setText(QString::fromLatin1(caption)); });
  }
  for (const auto& [action, type] : headerPresets) {
    connect(action, &QAction::triggered, this,
            [this, type] { m_ui->ROMHeaderLBL->setText(FromRom(type)); });
  }
  connect(m_ui->EditINameCMD, &QToolButton::clicked, this,
          [this] { ShowPresetMenu(m_ui->EditINameCMD, m_ui->mnuIName); });
  connect(m_ui->EditROMFormatCMD, &QToolButton::clicked, this,
          [this] { ShowPresetMenu(m_ui->EditROMFormatCMD, m_ui->mnuCountryCode); });
  connect(m_ui->EditROMHeaderCMD, &QToolButton::clicked, this,
          [this] { ShowPresetMenu(m_ui->EditROMHeaderCMD, m_ui->mnuHeader); });
}

// Entry n opens the nth file; the entries come before "Clear Recent".
void MainWindow::ShowRecentFiles() {
  QMenu* menu = m_ui->mnuRecent;
  menu->clear();
  const QStringList paths = RecentFiles(m_platform.Settings()).Paths();
  const int width = menu->fontMetrics().averageCharWidth() * kRecentEntryCharacters;
  for (qsizetype i = 0; i < paths.size(); ++i) {
    const QString shown = QDir::toNativeSeparators(paths[i]);
    QString caption = menu->fontMetrics().elidedText(shown, Qt::ElideMiddle, width);
    caption.replace(u'&', QStringLiteral("&&"));
    QAction* entry = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(caption));
    entry->setData(paths[i]);
    entry->setToolTip(shown);
    connect(entry, &QAction::triggered, this, [this, path = paths[i]] { OpenRecentFile(path); });
  }
  menu->addSeparator();
  menu->addAction(m_ui->mnuClearRecent);
  menu->menuAction()->setEnabled(!paths.isEmpty());
}

// A file that is gone is refused and leaves the list; the open ROM stays open.
void MainWindow::OpenRecentFile(const QString& path) {
  if (QFileInfo::exists(path)) {
    LoadROMFile(path);
    return;
  }
  m_platform.ShowMessage(this, MessageIcon::kCritical, kProgramTitle,
                         QStringLiteral("The file \"%1\" is no longer there.  It has been removed "
                                        "from the recent files.")
                             .arg(QDir::toNativeSeparators(path)));
  RecentFiles(m_platform.Settings()).Remove(path);
  ShowRecentFiles();
}

void MainWindow::ShowPresetMenu(QAbstractButton* button, QMenu* menu) {
  // At the mouse when clicked, under the button when pressed from the keyboard.
  const QPoint mouse = QCursor::pos();
  const bool mouseOnButton = button->rect().contains(button->mapFromGlobal(mouse));
  menu->popup(mouseOnButton ? mouse : button->mapToGlobal(button->rect().bottomLeft()));
}

void MainWindow::ShowCaption(const QString& romName) {
  QString caption =
      kProgramTitle + QStringLiteral(" (v") + QString::fromStdString(VersionText()) + u')';
  if (!romName.isEmpty()) caption += QStringLiteral(" - ") + romName;
  setWindowTitle(caption);
}

void MainWindow::ShowModalWindow(QDialog& window) {
  const QScopedValueRollback<bool> openOver(m_windowOpenOver, true);
  m_platform.ShowModal(window);
}

// A node opens the editor whose node carries its text.
void MainWindow::OpenEditor(QTreeWidgetItem* node) {
  const QString text = node->text(0);
  for (const EditorEntry& editor : Editors()) {
    if (editor.create != nullptr && text == QLatin1String(editor.nodeText)) {
      ShowEditor(editor);
      return;
    }
  }
}

void MainWindow::OpenTextListEditor() {
  ShowEditor(EditorNamed("TextListEditor"));
}

// An editor closes the ROM when it can no longer trust it; the main window
// then shows that no ROM is open.
void MainWindow::ShowEditor(const EditorEntry& editor) {
  if (!m_rom.IsOpen()) return;
  const std::unique_ptr<QDialog> window = editor.create(ContextForEditors(), this);
  ShowModalWindow(*window);
  ShowChecksum();
}

EditorContext MainWindow::ContextForEditors() {
  return {m_session, m_platform};
}

void MainWindow::ExpandTree(bool expand) {
  if (expand) {
    m_ui->Tree->expandAll();
  } else {
    m_ui->Tree->collapseAll();
  }
}

void MainWindow::SetOpenRomControlsEnabled(bool enabled) {
  m_ui->mnuClose->setEnabled(enabled);
  m_ui->mnuSave->setEnabled(enabled);
  m_ui->mnuRunEmulator->setEnabled(enabled);
  m_ui->mnuCompare->setEnabled(enabled);
  m_ui->mnuCreatePatch->setEnabled(enabled);
  m_ui->mnuApplyPatch->setEnabled(enabled);
  m_ui->mnuExportChanges->setEnabled(enabled);
  m_ui->mnuHistory->setEnabled(enabled);
  m_ui->mnuTables->menuAction()->setEnabled(enabled);
  m_ui->mnuFind->setEnabled(enabled);
  m_ui->SaveCMD->setEnabled(enabled);
  m_ui->Tree->setEnabled(enabled);
  m_ui->iROMName->setReadOnly(!enabled);
  m_ui->EditINameCMD->setEnabled(enabled);
  m_ui->EditROMHeaderCMD->setEnabled(enabled);
  m_ui->EditROMFormatCMD->setEnabled(enabled);
  m_ui->ExpandCHK->setEnabled(enabled);
}

void MainWindow::LoadROM() {
  ShowCaption({});
  LoadROMFile(m_platform.AskOpenFileName(this, kRomFileFilter, kRomFileSelectedFilter));
}

void MainWindow::LoadROMFile(const QString& fileName) {
  if (!m_session.Open(fileName, this)) return;
  try {
    LoadROMIName();
    LoadROMFileSize();
    LoadEditedUnEdited();
    LoadROMHeader();
    LoadROMVersion();
    LoadCountryCode();
    LoadROMTag();
    LoadChecksum();
  } catch (const RomError&) {
    CloseROM();  // a load that fails half-way leaves no ROM open
    return;
  }
  SetOpenRomControlsEnabled(true);
  ExpandTree(true);
  RecentFiles(m_platform.Settings()).Add(fileName);
  ShowRecentFiles();
}

void MainWindow::LoadROMIName() {
  const QString name = FromRom(torvale::ReadRomName(m_rom));
  m_ui->iROMName->setText(name);  // the box keeps the 21 characters the user may edit
  m_ui->iROMName->setReadOnly(false);
  ShowCaption(name);
}

void MainWindow::LoadROMFileSize() {
  m_ui->sROMFile->setText(QString::number(m_rom.Size()));
}

void MainWindow::LoadEditedUnEdited() {
  const QColor buttonText = palette().color(QPalette::ButtonText);
  switch (torvale::ReadEditedState(m_rom)) {
    case EditedState::kEdited:
      m_ui->eROM->setText(QStringLiteral("Edited"));
      SetTextColour(m_ui->eROM, QColor(255, 0, 0));
      return;
    case EditedState::kUnedited:
      m_ui->eROM->setText(QStringLiteral("Un Edited"));
      break;
    case EditedState::kUnknown:
      break;
  }
  SetTextColour(m_ui->eROM, buttonText);
}

void MainWindow::LoadROMHeader() {
  m_ui->ROMHeaderLBL->setText(FromRom(torvale::ReadHeaderType(m_rom)));
}

void MainWindow::LoadROMVersion() {
  m_ui->ROMVersionLBL->setText(FromRom(torvale::ReadVersionCaption(m_rom)));
}

void MainWindow::LoadCountryCode() {
  if (const auto caption = torvale::ReadCountryCaption(m_rom)) {
    m_ui->cROMFormat->setText(FromRom(*caption));
  }
}

void MainWindow::LoadROMTag() {
  const RomTag tag = torvale::ReadEditTag(m_rom);
  m_ui->dROMTag->setText(FromRom(tag.shown));
  if (tag.present) m_ui->dROMTag->setEnabled(true);
}

bool MainWindow::SaveROM() {
  if (!m_rom.IsOpen()) return false;
  return WriteStep(QStringLiteral("Save"), [this] {
    SaveROMIName();
    SaveROMTag();
    SaveHeader();
    SaveCountryCode();
    if (m_ui->FixChecksumCHK->isChecked()) WriteComputedChecksum();
    LoadEditedUnEdited();
    LoadROMTag();
  });
}

bool MainWindow::WriteStep(const QString& change, const std::function<void()>& write) {
  try {
    m_history.Record(change, write);
    m_rom.Sync();
  } catch (const RomError& error) {
    ReportSaveFailure(error);
    m_session.Close(RomSession::CloseReason::kUntrusted);
    return false;
  }
  return true;
}

void MainWindow::SaveROMIName() {
  torvale::WriteRomName(m_rom, m_ui->iROMName->text().toLatin1().toStdString());
}

void MainWindow::SaveROMTag() {
  torvale::WriteEditTag(m_rom);
  m_ui->dROMTag->setToolTip(m_ui->dROMTag->text());  // the tag as it was before this Save
  m_ui->dROMTag->setEnabled(true);
  LoadROMTag();
}

void MainWindow::SaveHeader() {
  const WriteHeaderResult result =
      torvale::WriteHeaderTemplate(m_rom, m_ui->ROMHeaderLBL->text().toStdString(),
                                   DataFilePath(m_platform, kHeaderTemplateFile).toStdString());
  switch (result.outcome) {
    case WriteHeaderOutcome::kWritten:
      m_ui->ROMHeaderLBL->setText(FromRom(result.headerType));
      m_ui->InfoIMG->setVisible(true);
      m_ui->InfoLBL->setVisible(true);
      return;
    case WriteHeaderOutcome::kTemplateMissing:
      m_platform.ShowMessage(
          this, MessageIcon::kExclamation, kProgramTitle,
          QStringLiteral("The copier header was left as it was: the header template file "
                         "\"%1\" is missing or damaged.  Reinstall the program to restore it.\r\n"
                         "\r\nThe rest of the ROM's header fields are being saved.")
              .arg(QString::fromLatin1(kHeaderTemplateFile)));
      return;
    case WriteHeaderOutcome::kNoTemplate:
      return;
  }
}

void MainWindow::SaveCountryCode() {
  torvale::WriteCountryCode(m_rom, m_ui->cROMFormat->text().toStdString());
}

void MainWindow::ReportSaveFailure(const RomError& error) {
  m_platform.ShowMessage(
      this, MessageIcon::kCritical, kProgramTitle,
      QStringLiteral("The ROM could not be saved: %1.\r\n\r\nThe ROM has been closed so that "
                     "nothing more is written to it.  Fields saved before this error are in the "
                     "file; check the file, then open it again.")
          .arg(QString::fromLocal8Bit(error.what())));
}

void MainWindow::SaveAndNotify() {
  if (!SaveROM()) return;
  ShowChecksum();
  m_ui->InfoLBL->setText(QStringLiteral("Saved [") + m_ui->iROMName->text() + QStringLiteral("]."));
  const QPointer<MainWindow> alive(this);
  Pause(kSaveNoticeSeconds);
  if (!alive) return;
  // The hint comes back, and with it the picture that opens the text list.
  m_ui->InfoLBL->setText(m_hint);
  m_ui->InfoIMG->setVisible(true);
  m_ui->InfoLBL->setVisible(true);
}

void MainWindow::CloseROM() {
  m_session.Close(RomSession::CloseReason::kByUser);
}

void MainWindow::ShowNoRom() {
  ShowCaption({});
  m_ui->ChecksumLBL->setText(kNotAvailable);
  m_ui->CRC32LBL->setText(kNotAvailable);
  m_ui->mnuFixChecksum->setEnabled(false);
  SetTextColour(m_ui->eROM, palette().color(QPalette::ButtonText));
  m_ui->dROMTag->setEnabled(false);
  for (QLabel* field :
       {m_ui->sROMFile, m_ui->eROM, m_ui->cROMFormat, m_ui->ROMHeaderLBL, m_ui->ROMVersionLBL}) {
    field->setText(kNotAvailable);
  }
  m_ui->iROMName->setText(kNotAvailable);
  m_ui->dROMTag->setText(QStringLiteral("[None]"));
  SetOpenRomControlsEnabled(false);
  m_ui->ExpandCHK->setChecked(false);
  ExpandTree(false);
}

}  // namespace torvale::ui
