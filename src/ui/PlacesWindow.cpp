#include "ui/PlacesWindow.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "data/CellText.h"
#include "rom/RomError.h"
#include "ui/GameText.h"
#include "ui/RomSession.h"

namespace torvale::ui {
namespace {

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

PlacesWindow::PlacesWindow(RomSession& session, const QString& objectName, QWidget* parent)
    : QDialog(parent),
      m_session(session),
      m_places(new QTreeWidget(this)),
      m_status(new QLabel(this)) {
  setObjectName(objectName);
  setAttribute(Qt::WA_DeleteOnClose);
  m_places->setObjectName(QStringLiteral("PlacesTRE"));
  m_places->setRootIsDecorated(false);
  m_places->setUniformRowHeights(true);
  m_places->setHeaderLabels({QStringLiteral("Table"), QStringLiteral("Entry"),
                             QStringLiteral("Field"), QStringLiteral("Value")});
  m_places->setToolTip(QStringLiteral("Double-click a place to open its table there."));
  for (const auto& [column, width] : {std::pair{0, 170}, {1, 150}, {2, 150}}) {
    m_places->setColumnWidth(column, width);
  }
  m_status->setObjectName(QStringLiteral("StatusLBL"));
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
  close->setObjectName(QStringLiteral("CloseCMD"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_places);
  layout->addWidget(m_status);
  layout->addWidget(buttons);
  connect(m_places, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    const Place& place = m_shown[item->data(0, Qt::UserRole).value<std::size_t>()];
    emit OpenTableAt(*place.table, place.record);
  });
  connect(&session, &RomSession::Closed, this, &QDialog::reject);
  resize(620, 420);
}

void PlacesWindow::Show(const std::vector<Place>& places, const std::vector<QStringList>& rows) {
  m_places->setSortingEnabled(false);
  m_places->clear();
  m_shown = places;
  QList<QTreeWidgetItem*> items;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    auto* item = new QTreeWidgetItem(rows[i]);
    item->setData(0, Qt::UserRole, QVariant::fromValue(i));
    items << item;
  }
  m_places->addTopLevelItems(items);
  m_places->header()->setSortIndicator(-1, Qt::AscendingOrder);  // the tables' order until a click
  m_places->setSortingEnabled(true);
  m_status->setText(rows.empty() ? QStringLiteral("Nothing found.")
                                 : QStringLiteral("%1 found.").arg(rows.size()));
}

PlacesWindow* PlacesWindow::ForUses(RomSession& session, const QString& caption,
                                    const std::vector<FieldOfRecord>& uses, QWidget* parent) {
  auto* window = new PlacesWindow(session, QStringLiteral("WhereUsedWindow"), parent);
  window->setWindowTitle(caption);
  ListEntries lists(session.Text(), session.Rom());
  std::vector<Place> places;
  std::vector<QStringList> rows;
  try {
    for (const auto& [table, record, field] : uses) {
      places.push_back({table, record});
      const Value value = ReadRecord(*table, session.Text(), session.Rom(), record)[field];
      rows.push_back({Latin1(table->name), FromGameText(lists.Entry(table->entries, record)),
                      Latin1(table->fields[field].label),
                      FromGameText(ShownValue(table->fields[field], value, lists))});
    }
  } catch (const RomError&) {
    // the names that could be read are listed
  }
  window->Show(places, rows);
  return window;
}

PlacesWindow* PlacesWindow::ForFind(RomSession& session, QWidget* parent) {
  auto* window = new PlacesWindow(session, QStringLiteral("FindWindow"), parent);
  window->setWindowTitle(QStringLiteral("Find"));
  auto* label = new QLabel(QStringLiteral("&Find:"), window);
  window->m_find = new QLineEdit(window);
  window->m_find->setObjectName(QStringLiteral("FindTXT"));
  window->m_find->setToolTip(
      QStringLiteral("Text to find in the entry names and text fields of every table."));
  label->setBuddy(window->m_find);
  auto* find = new QPushButton(QStringLiteral("Find &All"), window);
  find->setObjectName(QStringLiteral("FindCMD"));
  find->setDefault(true);
  auto* row = new QHBoxLayout;
  row->addWidget(label);
  row->addWidget(window->m_find);
  row->addWidget(find);
  qobject_cast<QVBoxLayout*>(window->layout())->insertLayout(0, row);
  // The keyboard starts in the box, and Tab follows the reading order.
  QWidget::setTabOrder(window->m_find, find);
  QWidget::setTabOrder(find, window->m_places);
  window->m_find->setFocus();
  connect(find, &QPushButton::clicked, window, &PlacesWindow::Find);
  connect(window->m_find, &QLineEdit::returnPressed, window, &PlacesWindow::Find);
  return window;
}

void PlacesWindow::Find() {
  const std::string wanted = ToGameText(m_find->text());
  if (wanted.empty()) return;
  std::vector<Place> places;
  std::vector<QStringList> rows;
  try {
    ListEntries lists(m_session.Text(), m_session.Rom());
    for (const TextHit& hit : FindText(wanted, m_session.Text(), m_session.Rom(), lists)) {
      places.push_back({hit.table, hit.record});
      rows.push_back(
          {Latin1(hit.table->name), FromGameText(lists.Entry(hit.table->entries, hit.record)),
           hit.field ? Latin1(hit.table->fields[*hit.field].label) : QStringLiteral("Entry"),
           FromGameText(hit.value)});
    }
  } catch (const RomError& error) {
    m_status->setText(
        QStringLiteral("The ROM could not be read: %1.").arg(QString::fromLocal8Bit(error.what())));
    return;
  }
  Show(places, rows);
}

}  // namespace torvale::ui
