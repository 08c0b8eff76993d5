#pragma once

#include <QValidator>

// Accepts only text that code page 932 can hold, so that an edit box never
// shows a character its document cannot store.
class TCp932Validator : public QValidator {
public:
  using QValidator::QValidator;
  State validate(QString& Input, int& Position) const override;
};
