#include "ui/FieldValidators.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <algorithm>

#include "text/TextTable.h"

namespace torvale::ui {
namespace {

const QRegularExpression& PlainNumber() {
  static const QRegularExpression kPlainNumber(QStringLiteral("^-?[0-9]+$"));
  return kPlainNumber;
}

// The box holds any length the program shows; typing is limited by the validator.
constexpr int kShownLength = 32767;

}  // namespace

NumberValidator::NumberValidator(qint64 minimum, qint64 maximum, int typedLength, QObject* parent)
    : QValidator(parent), m_minimum(minimum), m_maximum(maximum), m_typedLength(typedLength) {}

QValidator::State NumberValidator::validate(QString& input, int& position) const {
  if (input.isEmpty()) {
    input = QStringLiteral("0");
    position = 1;
    return Acceptable;
  }
  const bool negativeAllowed = m_minimum < 0;
  if (negativeAllowed && input == QLatin1String("-")) return Intermediate;
  if (input.size() > m_typedLength || !PlainNumber().match(input).hasMatch() ||
      (input.startsWith(u'-') && !negativeAllowed)) {
    return Invalid;
  }
  bool fits = false;
  const qlonglong value = input.toLongLong(&fits);
  // Written back without leading zeros, clamped to the field's range.
  const qlonglong clamped = !fits ? (input.startsWith(u'-') ? m_minimum : m_maximum)
                                  : std::clamp<qlonglong>(value, m_minimum, m_maximum);
  const QString canonical = QString::number(clamped);
  if (canonical != input) {
    position = std::clamp(position - static_cast<int>(input.size() - canonical.size()), 0,
                          static_cast<int>(canonical.size()));
    input = canonical;
  }
  return Acceptable;
}

std::optional<qint64> NumberValidator::ValueOf(const QString& text) const {
  bool fits = false;
  const qlonglong value = text.toLongLong(&fits);
  if (!PlainNumber().match(text).hasMatch() || !fits || value < m_minimum || value > m_maximum) {
    return std::nullopt;
  }
  return value;
}

NameValidator::NameValidator(bool mayEmpty, QObject* parent)
    : QValidator(parent), m_mayEmpty(mayEmpty) {}

QValidator::State NameValidator::validate(QString& input, int& position) const {
  if (input.isEmpty() && !m_mayEmpty) {
    input = QStringLiteral(" ");
    position = 0;  // what is typed next goes before the space
  }
  const bool shown = std::all_of(input.begin(), input.end(), [](QChar character) {
    return character.unicode() < 0x80 && EncodeCharacter(static_cast<char>(character.unicode()));
  });
  return shown ? Acceptable : Invalid;
}

void MakeNumberBox(QLineEdit& box, qint64 minimum, qint64 maximum) {
  box.setValidator(new NumberValidator(minimum, maximum, box.maxLength(), &box));
  box.setMaxLength(kShownLength);
}

void MakeNameBox(QLineEdit& box, int length) {
  box.setMaxLength(length);
  box.setValidator(new NameValidator(false, &box));
}

void LetNameBoxEmpty(QLineEdit& box) {
  delete box.validator();
  box.setValidator(new NameValidator(true, &box));
}

void EmptyNumberBox(QLineEdit& box) {
  const QValidator* validator = box.validator();
  box.setValidator(nullptr);
  box.clear();
  box.setValidator(validator);
}

void ShowText(QLineEdit& box, const QString& text) {
  if (box.text() != text) box.setText(text);
}

std::optional<qint64> NumberIn(const QLineEdit& box) {
  const auto* validator = qobject_cast<const NumberValidator*>(box.validator());
  if (validator == nullptr) return std::nullopt;
  return validator->ValueOf(box.text());
}

}  // namespace torvale::ui
