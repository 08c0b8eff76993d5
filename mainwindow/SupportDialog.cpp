#include "mainwindow/SupportDialog.h"

#include "platform/Dialogs.h"
#include "platform/Replaceable.h"
#include "support/QvxTools.h"
#include "support/TypedNumber.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <vector>

namespace {

QString Tr(const char* Text) {
  return QCoreApplication::translate("SupportDialog", Text);
}

// A support's row: its position box, its kind and the support it was
// filled with, given back exactly while the box keeps the text it got.
struct TSupportRow {
  QLineEdit* Position = nullptr;
  QComboBox* Kind = nullptr;
  QPushButton* Remove = nullptr;
  TSupport Filled;
  QString FilledText;
};

class TSupportBox : public QDialog {
public:
  TSupportBox(QWidget* Parent, std::int32_t Preset, double L, const TSupports& Supports);
  const TSupports& Result() const { return FResult; }
  void accept() override;

private:
  void AddRow(const TSupport& Support);
  void RemoveRow(QPushButton* Button);
  void Relayout();
  bool Read(TSupports& Supports);
  void Refuse(QWidget* Where, const QString& Message);

  double FLength;
  TSupports FResult;
  std::vector<TSupportRow> FRows;
  QGridLayout* FGrid = nullptr;
  QPushButton* AddButton = nullptr;
  QLabel* MessageLabel = nullptr;
};

TSupportBox::TSupportBox(QWidget* Parent, std::int32_t Preset, double L, const TSupports& Supports)
    : QDialog(Parent, FixedDialogFlags), FLength(L) {
  setWindowTitle(Tr("支点"));
  auto* Layout = new QVBoxLayout(this);
  Layout->setSizeConstraint(QLayout::SetFixedSize);
  Layout->addWidget(
      new QLabel(Tr("梁の種類: %1    スパン L = %2(m)")
                     .arg(Tr(PresetNames[static_cast<std::size_t>(Preset)]), FormatReal3(L)),
                 this));
  Layout->addWidget(
      new QLabel(Tr("位置は左端からの距離です。固定端は梁の端にだけ置けます。"), this));
  FGrid = new QGridLayout;
  FGrid->addWidget(new QLabel(Tr("位置 x(m)"), this), 0, 0);
  FGrid->addWidget(new QLabel(Tr("種類"), this), 0, 1);
  Layout->addLayout(FGrid);
  AddButton = new QPushButton(Tr("支点を追加(&A)"), this);
  AddButton->setAutoDefault(false);
  connect(AddButton, &QPushButton::clicked, this, [this] {
    AddRow({skRoller, 0, true}); // at the right end until moved
    FRows.back().Position->setFocus();
    FRows.back().Position->selectAll();
  });
  Layout->addWidget(AddButton, 0, Qt::AlignLeft);
  MessageLabel = NewMessageLabel(this, 2);
  Layout->addWidget(MessageLabel);
  auto* Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  Buttons->button(QDialogButtonBox::Cancel)->setText(Tr("キャンセル"));
  connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  Layout->addWidget(Buttons);
  for (const TSupport& S : Supports)
    AddRow(S);
}

void TSupportBox::AddRow(const TSupport& Support) {
  TSupportRow Row;
  Row.Filled = Support;
  Row.FilledText = QString::number(Support.At(FLength), 'g', 15);
  Row.Position = new QLineEdit(Row.FilledText, this);
  Row.Kind = new QComboBox(this);
  for (const char* Name : SupportKindNames)
    Row.Kind->addItem(Tr(Name));
  Row.Kind->setCurrentIndex(Support.Kind);
  Row.Remove = new QPushButton(Tr("削除"), this);
  Row.Remove->setAutoDefault(false);
  QPushButton* const Button = Row.Remove;
  connect(Button, &QPushButton::clicked, this, [this, Button] { RemoveRow(Button); });
  FRows.push_back(Row);
  Relayout();
}

void TSupportBox::RemoveRow(QPushButton* Button) {
  for (auto It = FRows.begin(); It != FRows.end(); ++It)
    if (It->Remove == Button) {
      for (QWidget* W : {static_cast<QWidget*>(It->Position), static_cast<QWidget*>(It->Kind),
                         static_cast<QWidget*>(It->Remove)})
        W->deleteLater();
      FRows.erase(It);
      break;
    }
  Relayout();
}

// The rows in their order, and the tab key taking them in that order.
void TSupportBox::Relayout() {
  QWidget* Previous = nullptr;
  for (std::size_t I = 0; I < FRows.size(); ++I) {
    const int R = static_cast<int>(I) + 1;
    FGrid->addWidget(FRows[I].Position, R, 0);
    FGrid->addWidget(FRows[I].Kind, R, 1);
    FGrid->addWidget(FRows[I].Remove, R, 2);
    for (QWidget* W :
         {static_cast<QWidget*>(FRows[I].Position), static_cast<QWidget*>(FRows[I].Kind),
          static_cast<QWidget*>(FRows[I].Remove)}) {
      if (Previous) setTabOrder(Previous, W);
      Previous = W;
    }
  }
  if (Previous) setTabOrder(Previous, AddButton);
  AddButton->setEnabled(FRows.size() < static_cast<std::size_t>(MaxSupports));
}

bool TSupportBox::Read(TSupports& Supports) {
  for (const TSupportRow& Row : FRows) {
    TSupport S{static_cast<TSupportKind>(Row.Kind->currentIndex()), 0, false};
    if (Row.Position->text() == Row.FilledText) {
      S.X = Row.Filled.X;
      S.AtEnd = Row.Filled.AtEnd;
    } else {
      const QString Text = Row.Position->text();
      if (UnreadableNumber(Text) || Text.trimmed().isEmpty()) {
        Refuse(Row.Position, Tr("位置「%1」が数値として読めないため、この支点にはできません。")
                                 .arg(Text.toHtmlEscaped()));
        return false;
      }
      S.X = TypedNumber(Text, 0);
    }
    Supports.push_back(S);
  }
  return true;
}

void TSupportBox::accept() {
  TSupports Supports;
  if (!Read(Supports)) return;
  NormaliseSupports(Supports, FLength);
  const std::string Problem = SupportsProblem(Supports, FLength);
  if (!Problem.empty()) {
    Refuse(FRows.empty() ? static_cast<QWidget*>(AddButton) : FRows.front().Position,
           QString::fromStdString(Problem) + Tr("、この支点にはできません。"));
    return;
  }
  FResult = std::move(Supports);
  QDialog::accept();
}

void TSupportBox::Refuse(QWidget* Where, const QString& Message) {
  MessageLabel->setText(Message);
  Where->setFocus();
}

} // namespace

bool TSupportDialog::Edit(QWidget* Parent, std::int32_t Preset, double L, TSupports& Supports) {
  TSupportBox Box(Parent, Preset, L, Supports);
  if (Box.exec() != QDialog::Accepted) return false;
  Supports = Box.Result();
  return true;
}

TSupportDialog& SupportDialog() {
  return TReplaceable<TSupportDialog>::Get();
}

void SetSupportDialog(TSupportDialog* Value) {
  TReplaceable<TSupportDialog>::Set(Value);
}
