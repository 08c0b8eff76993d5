#pragma once

class QWidget;
struct TSection;

// The dialog "断面・材料": the document's section and material, picked
// from the built-in table of sections and the typical materials or typed,
// behind an interface so that tests can answer it like the other dialogs.
class TSectionDialog {
public:
  TSectionDialog() = default;
  TSectionDialog(const TSectionDialog&) = delete;
  TSectionDialog& operator=(const TSectionDialog&) = delete;
  virtual ~TSectionDialog() = default;

  // Shows Section for editing; false when cancelled, with Section as it
  // was. 断面なし answers true with an Empty section.
  virtual bool Edit(QWidget* Parent, TSection& Section);
};

// The dialog in use: the Qt one unless another is installed.
TSectionDialog& SectionDialog();
// Installs Value in place of the Qt dialog; nullptr restores it.
void SetSectionDialog(TSectionDialog* Value);
