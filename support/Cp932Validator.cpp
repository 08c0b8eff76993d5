#include "support/Cp932Validator.h"

#include "platform/Exceptions.h"
#include "support/Cp932.h"

QValidator::State TCp932Validator::validate(QString& Input, int&) const {
  try {
    Utf8ToCp932(Input.toStdString());
    return Acceptable;
  } catch (const Exception&) {
    return Invalid; // the edit keeps its previous text
  }
}
