// The dialogs on Qt's own widgets. Their button texts come from Qt's
// translations, which the application loads.
#include "platform/Dialogs.h"
#include "platform/FileDetails.h"
#include "platform/Replaceable.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

namespace {

struct TButtonInfo {
  unsigned Bit;
  QMessageBox::StandardButton Button;
  TModalResult Result;
};

constexpr TButtonInfo MessageButtons[] = {
    {mbOK, QMessageBox::Ok, mrOk},
    {mbYes, QMessageBox::Yes, mrYes},
    {mbNo, QMessageBox::No, mrNo},
    {mbCancel, QMessageBox::Cancel, mrCancel},
};

QMessageBox::Icon IconOf(TMsgDlgType Type) {
  switch (Type) {
  case mtWarning:
    return QMessageBox::Warning;
  case mtError:
    return QMessageBox::Critical;
  case mtInformation:
    return QMessageBox::Information;
  case mtConfirmation:
    return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

// Both dialogs take any name; whether a name can be opened is for the
// program to say, with its own messages.
bool RunFileDialog(QWidget* Parent, const TFileDialogOptions& Options, QFileDialog::AcceptMode Mode,
                   QString& FileName) {
  QFileDialog Dialog(Parent, Options.Title, Options.InitialDir);
  Dialog.setOption(QFileDialog::DontUseNativeDialog);
  ShowJapaneseFileDetails(Dialog);
  Dialog.setAcceptMode(Mode);
  Dialog.setFileMode(QFileDialog::AnyFile);
  Dialog.setNameFilters(Options.Filters);
  if (Options.FilterIndex >= 0 && Options.FilterIndex < Options.Filters.size())
    Dialog.selectNameFilter(Options.Filters[Options.FilterIndex]);
  if (Mode == QFileDialog::AcceptSave) Dialog.setDefaultSuffix(Options.DefaultExt);
  if (!Options.FileName.isEmpty()) Dialog.selectFile(Options.FileName);
  if (Dialog.exec() != QDialog::Accepted) return false;
  // An accepted dialog always has a file selected.
  FileName = Dialog.selectedFiles().value(0);
  if (Mode == QFileDialog::AcceptOpen) FileName = OpenDialogName(FileName, Options.DefaultExt);
  return true;
}

class TQtDialogs : public TDialogs {
public:
  TModalResult MessageBox(QWidget* Parent, const QString& Text, const QString& Caption,
                          TMsgDlgType Type, unsigned Buttons) override {
    if ((Buttons & (mbOK | mbYes | mbNo | mbCancel)) == 0) Buttons = mbOK;
    QMessageBox Box(IconOf(Type), Caption, Text, QMessageBox::NoButton, Parent, FixedDialogFlags);
    Box.setTextFormat(Qt::PlainText);
    QMessageBox::StandardButton Escape = QMessageBox::NoButton;
    for (const TButtonInfo& Info : MessageButtons) {
      if (!(Buttons & Info.Bit)) continue;
      Box.addButton(Info.Button);
      if (Info.Result == EscapeResult(Buttons)) Escape = Info.Button;
    }
    Box.setEscapeButton(Box.button(Escape));
    Box.exec();
    for (const TButtonInfo& Info : MessageButtons)
      if (Box.clickedButton() && Box.clickedButton() == Box.button(Info.Button)) return Info.Result;
    return EscapeResult(Buttons);
  }

  bool InputQuery(QWidget* Parent, const QString& Caption, const QString& Prompt,
                  QString& Value) override {
    QDialog Dialog(Parent, FixedDialogFlags);
    Dialog.setWindowTitle(Caption);
    auto* Label = new QLabel(Prompt, &Dialog);
    auto* Edit = new QLineEdit(Value, &Dialog);
    Edit->setMinimumWidth(240);
    Edit->selectAll();
    Label->setBuddy(Edit);
    auto* Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &Dialog);
    QObject::connect(Buttons, &QDialogButtonBox::accepted, &Dialog, &QDialog::accept);
    QObject::connect(Buttons, &QDialogButtonBox::rejected, &Dialog, &QDialog::reject);
    auto* Layout = new QVBoxLayout(&Dialog);
    Layout->setSizeConstraint(QLayout::SetFixedSize);
    Layout->addWidget(Label);
    Layout->addWidget(Edit);
    Layout->addWidget(Buttons);
    if (Dialog.exec() != QDialog::Accepted) return false;
    Value = Edit->text();
    return true;
  }

  bool OpenFileName(QWidget* Parent, const TFileDialogOptions& Options,
                    QString& FileName) override {
    return RunFileDialog(Parent, Options, QFileDialog::AcceptOpen, FileName);
  }

  bool SaveFileName(QWidget* Parent, const TFileDialogOptions& Options,
                    QString& FileName) override {
    // Qt asks before replacing an existing file unless told not to.
    return RunFileDialog(Parent, Options, QFileDialog::AcceptSave, FileName);
  }
};

} // namespace

QString OpenDialogName(const QString& Typed, const QString& DefaultExt) {
  const QFileInfo Info(Typed);
  if (DefaultExt.isEmpty() || Info.fileName().contains(QChar('.')) || Info.exists() ||
      Info.isSymLink())
    return Typed;
  return Typed + QChar('.') + DefaultExt;
}

TDialogs& Dialogs() {
  return TReplaceable<TDialogs, TQtDialogs>::Get();
}

void SetDialogs(TDialogs* Value) {
  TReplaceable<TDialogs, TQtDialogs>::Set(Value);
}

QLabel* NewMessageLabel(QWidget* Parent, int Lines) {
  auto* Label = new QLabel(Parent);
  Label->setObjectName(QStringLiteral("Message"));
  Label->setWordWrap(Lines > 1);
  QPalette Red = Label->palette();
  Red.setColor(QPalette::WindowText, Qt::red);
  Label->setPalette(Red);
  Label->setMinimumHeight(Lines * Label->fontMetrics().height());
  return Label;
}
