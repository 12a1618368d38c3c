#pragma once

#include <QValidator>
#include <optional>

class QLineEdit;

namespace torvale::ui {

// A number box's change validator. Empty text becomes "0", a number above the
// maximum becomes the maximum (below the minimum, the minimum), and text that
// is not a plain decimal number, or longer than the box takes, is refused as
// it is typed or pasted, so it can never be written. A minus sign is accepted
// only where the minimum is below 0. The length limit holds for typing only:
// the program may show a longer number, such as a negative experience.
class NumberValidator : public QValidator {
  Q_OBJECT

 public:
  NumberValidator(qint64 minimum, qint64 maximum, int typedLength, QObject* parent);
  State validate(QString& input, int& position) const override;
  // The box's number, or nothing while it holds no whole number in its range
  // (a lone minus sign as the user types a negative number).
  std::optional<qint64> ValueOf(const QString& text) const;

 private:
  qint64 m_minimum;
  qint64 m_maximum;
  int m_typedLength;
};

// A name box's change validator: empty text becomes one space, and a
// character the game's character table has no byte for is refused as it is
// typed or pasted.
class NameValidator : public QValidator {
  Q_OBJECT

 public:
  // A box that `mayEmpty` keeps empty text as it is.
  NameValidator(bool mayEmpty, QObject* parent);
  State validate(QString& input, int& position) const override;

 private:
  bool m_mayEmpty;
};

// Gives `box` a NumberValidator for the range; the length the box was given
// (its maxLength) becomes the validator's typed length.
void MakeNumberBox(QLineEdit& box, qint64 minimum, qint64 maximum);
// Gives `box` a NameValidator and limits what is typed to the field's length.
void MakeNameBox(QLineEdit& box, int length);
// Lets a name box be emptied, as a short text may be: it is stored as spaces.
void LetNameBoxEmpty(QLineEdit& box);
// Empties a number box that has no value to show; its validator would make
// the empty text "0", as it does for what the user empties.
void EmptyNumberBox(QLineEdit& box);
// Shows `text` in `box`; a box that already shows it is left alone, so that
// reloading a record after Apply lays out only the fields that changed.
void ShowText(QLineEdit& box, const QString& text);
// The number in a number box, or nothing (see NumberValidator::ValueOf).
std::optional<qint64> NumberIn(const QLineEdit& box);

}  // namespace torvale::ui
