#pragma once

#include "platform/Events.h"

#include <QValidator>

// Keeps an edit box to what code page 932 can hold, so that it never shows
// a character its document cannot store: of a text typed, pasted or
// committed by an input method, the characters the code page holds are
// kept and the others dropped, and OnRejected says that some were. U+FFFD
// stays: it stands for stored bytes that are no text, shown until the user
// deletes them (a remark holding it cannot be stored).
class TCp932Validator : public QValidator {
public:
  using QValidator::QValidator;
  State validate(QString& Input, int& Position) const override;

  std::function<void()> OnRejected;
};
