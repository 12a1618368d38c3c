#include "ui/FieldValidators.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <algorithm>

namespace torvale::ui {

NumberValidator::NumberValidator(int minimum, int maximum, QObject* parent)
    : QValidator(parent), m_minimum(minimum), m_maximum(maximum) {}

QValidator::State NumberValidator::validate(QString& input, int& position) const {
  static const QRegularExpression kPlainNumber(QStringLiteral("^-?[0-9]+$"));
  if (input.isEmpty()) {
    input = QStringLiteral("0");
    position = 1;
    return Acceptable;
  }
  const bool negativeAllowed = m_minimum < 0;
  if (negativeAllowed && input == QLatin1String("-")) return Intermediate;
  if (!kPlainNumber.match(input).hasMatch() || (input.startsWith(u'-') && !negativeAllowed)) {
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

QValidator::State NameValidator::validate(QString& input, int& position) const {
  if (input.isEmpty()) {
    input = QStringLiteral(" ");
    position = 0;  // what is typed next goes before the space
  }
  return Acceptable;
}

void MakeNumberBox(QLineEdit& box, int maximum, int minimum) {
  box.setValidator(new NumberValidator(minimum, maximum, &box));
}

void MakeNameBox(QLineEdit& box, int length) {
  box.setMaxLength(length);
  box.setValidator(new NameValidator(&box));
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

std::optional<int> NumberIn(const QLineEdit& box) {
  const auto* validator = qobject_cast<const NumberValidator*>(box.validator());
  QString text = box.text();
  int position = 0;
  if (validator == nullptr || validator->validate(text, position) != QValidator::Acceptable ||
      text != box.text()) {
    return std::nullopt;
  }
  return text.toInt();
}

}  // namespace torvale::ui
