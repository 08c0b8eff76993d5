// Long work that the user may stop.
#pragma once

#include "platform/Exceptions.h"

#include <functional>

// Asked now and then during long work; false stops it with EAbort.
using TGoOn = std::function<bool()>;

// Stops the work with EAbort when GoOn is given and says so.
inline void CheckGoOn(const TGoOn& GoOn) {
  if (GoOn && !GoOn()) throw EAbort();
}
