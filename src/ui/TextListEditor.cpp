#include "ui/TextListEditor.h"

#include <QSignalBlocker>

#include "data/text_list.h"
#include "ui/FieldValidators.h"
#include "ui/GameText.h"
#include "ui/ListControls.h"
#include "ui_TextListEditor.h"

namespace torvale::ui {

TextListEditor::TextListEditor(const EditorContext& context, QWidget* parent)
    : EditorWindow(context, parent), m_ui(std::make_unique<Ui::TextListEditor>()) {
  m_ui->setupUi(this);
  BindButtons(*m_ui->ApplyCMD, &TextListEditor::SaveTextData, *m_ui->QuitCMD);
  connect(m_ui->TextLST, &QListWidget::itemSelectionChanged, this,
          [this] { RunQuietly([this] { LoadTextData(); }); });
  RunQuietly([this] { LoadText(); });
}

TextListEditor::~TextListEditor() = default;

void TextListEditor::LoadText() {
  QListWidget& list = *m_ui->TextLST;
  list.setUpdatesEnabled(false);
  list.clear();
  for (int entry = 0; entry < kTextEntryCount; ++entry) {
    list.addItem(FromGameText(ReadTextEntry(m_context.text, m_context.rom, entry)));
  }
  list.setUpdatesEnabled(true);
}

void TextListEditor::LoadTextData() {
  const int entry = SelectedRow(*m_ui->TextLST);
  if (entry < 0) return;
  ShowText(*m_ui->NameTXT, FromGameText(ReadTextEntry(m_context.text, m_context.rom, entry)));
}

void TextListEditor::SaveTextData() {
  const int entry = SelectedRow(*m_ui->TextLST);
  if (entry < 0) return;
  Apply(
      [&] {
        WriteTextEntry(m_context.text, m_context.rom, entry, ToGameText(m_ui->NameTXT->text()));
      },
      [&] {
        LoadText();
        {
          const QSignalBlocker quiet(m_ui->TextLST);
          m_ui->TextLST->setCurrentRow(entry);
        }
        LoadTextData();  // shows the entry as stored
      });
}

}  // namespace torvale::ui
