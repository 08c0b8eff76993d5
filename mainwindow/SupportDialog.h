#pragma once

#include "analysis/Supports.h"

#include <cstdint>

class QWidget;

// The dialog "支点": where the beam of a preset with a support list rests,
// a row per support (its position and kind), behind an interface so that
// tests can answer it like the other dialogs.
class TSupportDialog {
public:
  TSupportDialog() = default;
  TSupportDialog(const TSupportDialog&) = delete;
  TSupportDialog& operator=(const TSupportDialog&) = delete;
  virtual ~TSupportDialog() = default;

  // Shows Supports of a beam of Preset and span L for editing; true with a
  // list that can hold the beam (SupportsProblem), false when cancelled,
  // with Supports as they were.
  virtual bool Edit(QWidget* Parent, std::int32_t Preset, double L, TSupports& Supports);
};

// The dialog in use: the Qt one unless another is installed.
TSupportDialog& SupportDialog();
// Installs Value in place of the Qt dialog; nullptr restores it.
void SetSupportDialog(TSupportDialog* Value);
