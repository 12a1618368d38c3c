// Random valid edits made through each editor's controls, each followed by
// Apply. A model of the file, kept from the game's record layouts, says what
// every Apply must write: the fields changed, and the fields left alone
// written back as shown. After each Apply the whole file must match it.

#include <QtTest>
#include <random>

#include "EditorDriver.h"
#include "WindowFixture.h"

using namespace torvale::testing;

namespace {

constexpr int kEditsPerEditor = 300;

struct Edit {
  std::vector<int> records;                          // one per picker
  std::vector<std::pair<std::size_t, int>> changes;  // field, value; in the order made
};

// Picks a record with each picker, then changes one to three of the fields a
// user can change there.
Edit MakeRandomEdit(QDialog& window, const EditorModel& model, std::mt19937& random) {
  Edit edit;
  for (const RecordPicker& picker : model.pickers) {
    edit.records.push_back(
        std::uniform_int_distribution(picker.first, picker.first + picker.count - 1)(random));
    PickRecord(window, picker, edit.records.back());
  }
  std::vector<std::size_t> fields;
  for (std::size_t field = 0; field < model.fields.size(); ++field) {
    if (CanEdit(window, model.fields[field])) fields.push_back(field);
  }
  std::shuffle(fields.begin(), fields.end(), random);
  const auto changed = std::uniform_int_distribution<std::size_t>(
      1, std::min<std::size_t>(3, fields.size()))(random);
  for (std::size_t n = 0; n < changed; ++n) {
    const FieldModel& field = model.fields[fields[n]];
    edit.changes.emplace_back(fields[n],
                              std::uniform_int_distribution(field.min, field.max)(random));
    SetField(window, field, edit.changes.back().second);
  }
  return edit;
}

// The bytes an Apply of `edit` leaves, from the bytes before it.
Bytes Expected(const EditorModel& model, const Edit& edit, const Bytes& before) {
  Bytes after = before;
  for (std::size_t field = 0; field < model.fields.size(); ++field) {
    const FieldModel& f = model.fields[field];
    const bool changed = std::any_of(edit.changes.begin(), edit.changes.end(),
                                     [&](const auto& change) { return change.first == field; });
    const int record = edit.records[static_cast<std::size_t>(f.picker)];
    // An unchanged field is written back as shown; a chest's field of another kind is not.
    if (!changed && f.written && f.value && f.value(before, record) >= 0) {
      f.store(after, record, f.value(before, record));
    }
  }
  for (const auto& [field, value] : edit.changes) {
    const FieldModel& f = model.fields[field];
    f.store(after, edit.records[static_cast<std::size_t>(f.picker)], value);
  }
  return after;
}

QString Describe(const EditorModel& model, const Edit& edit) {
  QStringList parts;
  for (const int record : edit.records) parts << QStringLiteral("record %1").arg(record);
  for (const auto& [field, value] : edit.changes) {
    parts << QStringLiteral("%1 = %2")
                 .arg(QString::fromLatin1(model.fields[field].control))
                 .arg(value);
  }
  return parts.join(QStringLiteral(", "));
}

}  // namespace

class EditPropertyTest : public QObject {
  Q_OBJECT

  int editsTried = 0;

 private slots:
  void randomEditsLeaveExactlyTheModelledBytes_data() { AddEditorRows(); }
  void randomEditsLeaveExactlyTheModelledBytes() {
    QFETCH(QString, name);
    const EditorModel& editor = EditorModelNamed(name.toStdString());
    EditorFixture fixture;
    const auto window = OpenEditor(editor, fixture.context);
    QVERIFY(WaitUntilReady(*window, editor));
    std::mt19937 random(static_cast<unsigned>(qHash(name)));
    Bytes expected = fixture.original;
    for (int n = 0; n < kEditsPerEditor; ++n) {
      const Edit edit = MakeRandomEdit(*window, editor, random);
      ClickApply(*window);
      ++editsTried;
      expected = Expected(editor, edit, expected);
      const std::string differences = DescribeDifferences(expected, fixture.ReadRom());
      QVERIFY2(differences.empty(), qPrintable(QStringLiteral("edit %1 (%2): %3")
                                                   .arg(n + 1)
                                                   .arg(Describe(editor, edit))
                                                   .arg(QString::fromStdString(differences))));
      const auto& messages = fixture.platform.messages;
      QVERIFY2(messages.isEmpty(), qPrintable(messages.isEmpty() ? QString() : messages[0].text));
    }
  }

  void cleanupTestCase() { qInfo("Edits tried: %d", editsTried); }
};

QTEST_MAIN(EditPropertyTest)
#include "EditPropertyTest.moc"
