#include "ui/editors/TextListEditor.h"

#include <QSignalBlocker>

#include "data/TextList.h"
#include "ui/FieldValidators.h"
#include "ui/ListControls.h"
#include "ui/RecordView.h"
#include "ui_TextListEditor.h"

namespace torvale::ui {

TextListEditor::TextListEditor(const EditorContext& context, QWidget* parent)
    : EditorWindow(context, parent), m_ui(std::make_unique<Ui::TextListEditor>()) {
  m_ui->setupUi(this);
  m_texts = new RecordView(*this, TextEntryTable(), *m_ui->TextLST);
  // Unlike a name, a short text may be emptied: it is stored as spaces.
  LetNameBoxEmpty(*m_ui->NameTXT);
  BindButtons(*m_ui->ApplyCMD, &TextListEditor::SaveTextData, *m_ui->QuitCMD);
  connect(m_ui->TextLST, &QListWidget::itemSelectionChanged, this, &TextListEditor::LoadTextData);
  RunQuietly([this] { LoadText(); });
}

TextListEditor::~TextListEditor() = default;

void TextListEditor::LoadText() {
  const auto texts = ReadEntries(TextEntryTable().entries, m_context.text, m_context.rom);
  m_ui->TextLST->clear();
  AddEntries(*m_ui->TextLST, texts);
}

void TextListEditor::LoadTextData() {
  m_texts->Load();
}

void TextListEditor::SaveTextData() {
  const int entry = m_texts->Picked();
  ApplyRecords({m_texts}, [&] {
    ListEntriesAgain(entry);
    m_texts->Reload();  // shows the entry as stored
  });
}

void TextListEditor::ShowRecordsAgain() {
  const int entry = m_texts->Picked();
  if (ReadOrTell([&] { ListEntriesAgain(entry); })) m_texts->Load();
}

void TextListEditor::ListEntriesAgain(int entry) {
  LoadText();
  const QSignalBlocker quiet(m_ui->TextLST);
  m_ui->TextLST->setCurrentRow(entry);
}

}  // namespace torvale::ui
