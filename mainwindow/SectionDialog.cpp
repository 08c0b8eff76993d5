#include "mainwindow/SectionDialog.h"

#include "analysis/Section.h"
#include "analysis/SectionTable.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/Replaceable.h"
#include "support/Cp932.h"
#include "support/Cp932Validator.h"
#include "support/TypedNumber.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

// The table of sections lives in this static library's resources.
static void InitSectionResources() {
  Q_INIT_RESOURCE(mainwindow);
}

namespace {

// The area of a section that is not the table's.
const QString NoArea = QStringLiteral("—");

QString Tr(const char* Text) {
  return QCoreApplication::translate("SectionDialog", Text);
}

// The built-in table, read once.
const std::vector<TSectionShape>& SectionTable() {
  static const std::vector<TSectionShape> Table = [] {
    InitSectionResources();
    QFile File(QStringLiteral(":/sections/sections.txt"));
    if (!File.open(QIODevice::ReadOnly))
      throw Exception(Tr("断面表を読み込めません").toStdString());
    const QByteArray Text = File.readAll();
    return ParseSectionTable(std::string_view(Text.constData(), Text.size()));
  }();
  return Table;
}

// A value as a box shows it: five significant digits, or every digit before
// the point and one after (so that rounding never makes an exponent), no
// thousands separators; nothing for 0 (not given).
QString ShownNumber(double Value) {
  if (Value == 0) return {};
  if (!std::isfinite(Value)) return Tr("範囲外");
  const int Digits =
      std::clamp(static_cast<int>(std::floor(std::log10(std::abs(Value)))) + 2, 5, 17);
  QLocale Locale;
  Locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return Locale.toString(Value, 'g', Digits);
}

// A number box and the value it was filled with: a box left as it was
// filled gives that value back exactly, not the rounded one it shows.
struct TNumberBox {
  QLineEdit* Edit = nullptr;
  QString Name; // as the labels and the messages show it
  double Filled = 0;

  void Fill(double Value) {
    Filled = Value;
    Edit->setText(ShownNumber(Value));
  }
  bool Typed() const { return Edit->text() != ShownNumber(Filled); }
  // What the box holds for the notes: 0 for anything that is no number.
  bool Given() const { return (Typed() ? TypedNumber(Edit->text(), 0) : Filled) > 0; }
};

// A group's rows of label, field and unit, and the notes across it.
class TRows {
public:
  explicit TRows(QGroupBox* Group) : FGrid(new QGridLayout(Group)) {
    FGrid->setColumnStretch(3, 1);
  }
  QLabel* Add(const QString& Label, QWidget* Field, QLabel* Unit = nullptr) {
    auto* Caption = new QLabel(Label, FGrid->parentWidget());
    Caption->setBuddy(Field);
    FGrid->addWidget(Caption, FRow, 0);
    if (Unit) {
      FGrid->addWidget(Field, FRow, 1);
      FGrid->addWidget(Unit, FRow, 2);
    } else {
      FGrid->addWidget(Field, FRow, 1, 1, 3);
    }
    ++FRow;
    return Caption;
  }
  void AddNote(QWidget* Note) { FGrid->addWidget(Note, FRow++, 0, 1, 4); }

private:
  QGridLayout* FGrid;
  int FRow = 0;
};

class TSectionBox : public QDialog {
public:
  TSectionBox(QWidget* Parent, const TSection& Section);
  const TSection& Result() const { return FResult; }
  void accept() override;

private:
  QGroupBox* MakeSectionGroup();
  QGroupBox* MakeMaterialGroup();
  QGroupBox* MakeLimitGroup();
  QGroupBox* MakeChecksGroup();
  QDialogButtonBox* MakeButtons();
  TNumberBox MakeNumberBox(QWidget* Parent, const QString& Name);
  // Box made as a row of Rows: its name, the box and its unit.
  void AddNumberRow(TRows& Rows, QWidget* Parent, TNumberBox& Box, const QString& Name,
                    const QString& Unit);
  QLabel* MakeUnit(const QString& Text, QWidget* Parent);
  QLabel* MakeNote(const QString& Text, QWidget* Parent);
  void AlignColumns();
  // Each number box with the value of a section it holds.
  std::array<std::pair<TNumberBox*, double TSection::*>, 7> Boxes();
  void Show(const TSection& Section);
  void ListSections(int Family);
  void PickSection(int Item);
  void PickMaterial(int Item);
  void SectionTyped();
  void ShowChecks();
  bool Read(const TNumberBox& Box, double& Value);
  void Refuse(QLineEdit* Where, const QString& Message);

  const std::vector<TSectionShape>& FTable;
  TSection FResult;
  QString FShownName;          // the name as shown at first
  std::string FShownNameBytes; // and its bytes, kept unless the name is edited
  std::vector<QLabel*> FCaptions, FUnits;
  QComboBox* FamilyCombo = nullptr;
  QComboBox* ShapeCombo = nullptr;
  QLineEdit* NameEdit = nullptr;
  QLabel* AreaLabel = nullptr;
  QComboBox* MaterialCombo = nullptr;
  TNumberBox FI, FZ, FAw, FE, FFb, FFs, FN;
  QLabel* ChecksLabel = nullptr;
  QLabel* MessageLabel = nullptr;
};

TSectionBox::TSectionBox(QWidget* Parent, const TSection& Section)
    : QDialog(Parent, FixedDialogFlags), FTable(SectionTable()),
      FShownName(QString::fromStdString(Cp932ToDisplay(Section.Name))),
      FShownNameBytes(Section.Name) {
  setWindowTitle(Tr("断面・材料"));
  auto* Layout = new QVBoxLayout(this);
  Layout->setSizeConstraint(QLayout::SetFixedSize);
  // Two columns of groups, so that the dialog fits a screen 720 pixels
  // high; made in the order of the tab key.
  auto* Left = new QVBoxLayout;
  Left->addWidget(MakeSectionGroup());
  Left->addWidget(MakeMaterialGroup());
  Left->addStretch();
  auto* Right = new QVBoxLayout;
  Right->addWidget(MakeLimitGroup());
  Right->addWidget(MakeChecksGroup());
  Right->addStretch();
  auto* Columns = new QHBoxLayout;
  Columns->addLayout(Left);
  Columns->addLayout(Right);
  Layout->addLayout(Columns);
  MessageLabel = NewMessageLabel(this, 1);
  MessageLabel->setTextFormat(Qt::RichText);
  Layout->addWidget(MessageLabel);
  Layout->addWidget(MakeButtons());
  AlignColumns();
  Show(Section);

  connect(FamilyCombo, &QComboBox::currentIndexChanged, this,
          [this] { ListSections(FamilyCombo->currentData().toInt()); });
  connect(ShapeCombo, &QComboBox::activated, this, &TSectionBox::PickSection);
  connect(MaterialCombo, &QComboBox::activated, this, &TSectionBox::PickMaterial);
  connect(NameEdit, &QLineEdit::textEdited, this, &TSectionBox::SectionTyped);
  for (const TNumberBox* Box : {&FI, &FZ, &FAw})
    connect(Box->Edit, &QLineEdit::textEdited, this, &TSectionBox::SectionTyped);
  for (const TNumberBox* Box : {&FE, &FFb, &FFs})
    connect(Box->Edit, &QLineEdit::textEdited, this, [this] { MaterialCombo->setCurrentIndex(0); });
  for (const TNumberBox* Box : {&FE, &FI, &FZ, &FAw})
    connect(Box->Edit, &QLineEdit::textChanged, this, &TSectionBox::ShowChecks);
}

QGroupBox* TSectionBox::MakeSectionGroup() {
  auto* Group = new QGroupBox(Tr("断面"), this);
  TRows Rows(Group);
  FamilyCombo = new QComboBox(Group);
  for (int Family = 0; Family < SectionFamilyCount; ++Family)
    if (std::any_of(FTable.begin(), FTable.end(),
                    [Family](const TSectionShape& Shape) { return Shape.Family == Family; }))
      FamilyCombo->addItem(QString::fromUtf8(SectionFamilyName(TSectionFamily(Family))), Family);
  FCaptions.push_back(Rows.Add(Tr("種類(&K):"), FamilyCombo));
  ShapeCombo = new QComboBox(Group);
  // As wide as the longest name of the table, whichever family is listed.
  qsizetype Longest = 0;
  for (const TSectionShape& Shape : FTable)
    Longest = std::max(Longest, QString::fromStdString(Shape.Name).size());
  ShapeCombo->setMinimumContentsLength(static_cast<int>(Longest));
  ShapeCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  FCaptions.push_back(Rows.Add(Tr("断面(&L):"), ShapeCombo));
  NameEdit = new QLineEdit(Group);
  auto* Validator = new TCp932Validator(NameEdit);
  Validator->OnRejected = [this] {
    MessageLabel->setText(Tr("Shift-JIS で表せない文字は入力できません"));
  };
  NameEdit->setValidator(Validator);
  // Any name a file holds fits, not only Qt's default 32767 characters.
  NameEdit->setMaxLength(std::numeric_limits<int>::max());
  FCaptions.push_back(Rows.Add(Tr("断面名(&N):"), NameEdit));
  AddNumberRow(Rows, Group, FI, QStringLiteral("I"), Tr("cm⁴"));
  AddNumberRow(Rows, Group, FZ, QStringLiteral("Z"), Tr("cm³"));
  AddNumberRow(Rows, Group, FAw, Tr("A<sub>w</sub>"), Tr("cm²"));
  AreaLabel = new QLabel(NoArea, Group);
  AreaLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  FCaptions.push_back(Rows.Add(QStringLiteral("A"), AreaLabel, MakeUnit(Tr("cm²"), Group)));
  Rows.AddNote(MakeNote(Tr("A は表の断面の断面積です (参考)。"), Group));
  return Group;
}

QGroupBox* TSectionBox::MakeMaterialGroup() {
  auto* Group = new QGroupBox(Tr("材料"), this);
  TRows Rows(Group);
  MaterialCombo = new QComboBox(Group);
  MaterialCombo->addItem(Tr("(選択なし)"));
  for (const TMaterial& Material : TypicalMaterials())
    MaterialCombo->addItem(QString::fromUtf8(Material.Name));
  FCaptions.push_back(Rows.Add(Tr("参考値(&M):"), MaterialCombo));
  AddNumberRow(Rows, Group, FE, QStringLiteral("E"), Tr("N/mm²"));
  AddNumberRow(Rows, Group, FFb, Tr("f<sub>b</sub>"), Tr("N/mm²"));
  AddNumberRow(Rows, Group, FFs, Tr("f<sub>s</sub>"), Tr("N/mm²"));
  Rows.AddNote(MakeNote(Tr("参考値は一般的な値です。設計では、適用する規準で<br>"
                           "確認した値を用いてください。<br>"
                           "f<sub>b</sub> は横座屈を生じない梁の値です。"
                           "<b>横座屈は検討しません。</b>"),
                        Group));
  return Group;
}

QGroupBox* TSectionBox::MakeLimitGroup() {
  auto* Group = new QGroupBox(Tr("たわみ制限"), this);
  TRows Rows(Group);
  FN = MakeNumberBox(Group, Tr("たわみ制限"));
  FCaptions.push_back(Rows.Add(Tr("L /"), FN.Edit, MakeUnit(QString(), Group)));
  Rows.AddNote(MakeNote(Tr("片持ち梁は長さの 2 倍に対して判定します。"), Group));
  return Group;
}

QGroupBox* TSectionBox::MakeChecksGroup() {
  auto* Group = new QGroupBox(Tr("検討"), this);
  ChecksLabel = MakeNote(QString(), Group);
  TRows(Group).AddNote(ChecksLabel);
  return Group;
}

QDialogButtonBox* TSectionBox::MakeButtons() {
  auto* Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  Buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  QPushButton* None = Buttons->addButton(Tr("断面なし(&C)"), QDialogButtonBox::ResetRole);
  connect(Buttons, &QDialogButtonBox::accepted, this, &TSectionBox::accept);
  connect(Buttons, &QDialogButtonBox::rejected, this, &TSectionBox::reject);
  connect(None, &QPushButton::clicked, this, [this] {
    FResult = TSection{};
    QDialog::accept();
  });
  return Buttons;
}

void TSectionBox::AddNumberRow(TRows& Rows, QWidget* Parent, TNumberBox& Box, const QString& Name,
                               const QString& Unit) {
  Box = MakeNumberBox(Parent, Name);
  FCaptions.push_back(Rows.Add(Box.Name, Box.Edit, MakeUnit(Unit, Parent)));
}

TNumberBox TSectionBox::MakeNumberBox(QWidget* Parent, const QString& Name) {
  auto* Edit = new QLineEdit(Parent);
  Edit->setAlignment(Qt::AlignRight);
  Edit->setFixedWidth(Edit->fontMetrics().horizontalAdvance(QString(12, QChar('0'))));
  return {Edit, Name};
}

QLabel* TSectionBox::MakeUnit(const QString& Text, QWidget* Parent) {
  auto* Unit = new QLabel(Text, Parent);
  FUnits.push_back(Unit);
  return Unit;
}

QLabel* TSectionBox::MakeNote(const QString& Text, QWidget* Parent) {
  auto* Note = new QLabel(Text, Parent);
  Note->setTextFormat(Qt::RichText);
  return Note;
}

// The captions and the units of all groups share their widths, so that the
// boxes line up from group to group.
void TSectionBox::AlignColumns() {
  for (std::vector<QLabel*>* Column : {&FCaptions, &FUnits}) {
    int Width = 0;
    for (const QLabel* Label : *Column)
      Width = std::max(Width, Label->sizeHint().width());
    for (QLabel* Label : *Column)
      Label->setMinimumWidth(Width);
  }
}

std::array<std::pair<TNumberBox*, double TSection::*>, 7> TSectionBox::Boxes() {
  return {{{&FI, &TSection::I},
           {&FZ, &TSection::Z},
           {&FAw, &TSection::Aw},
           {&FE, &TSection::E},
           {&FFb, &TSection::Fb},
           {&FFs, &TSection::Fs},
           {&FN, &TSection::N}}};
}

void TSectionBox::Show(const TSection& Section) {
  NameEdit->setText(FShownName);
  for (auto [Box, Value] : Boxes())
    Box->Fill(Section.*Value);
  // A section of the table, or a material, as it was picked.
  const auto Shape = std::find_if(FTable.begin(), FTable.end(), [&](const TSectionShape& Entry) {
    const TSectionProperties P = ComputeProperties(Entry);
    return QString::fromStdString(Entry.Name) == FShownName && P.I == Section.I &&
           P.Z == Section.Z && P.Aw == Section.Aw;
  });
  const int Picked = Shape == FTable.end() ? -1 : static_cast<int>(Shape - FTable.begin());
  if (Picked >= 0) FamilyCombo->setCurrentIndex(FamilyCombo->findData(Shape->Family));
  ListSections(FamilyCombo->currentData().toInt());
  ShapeCombo->setCurrentIndex(ShapeCombo->findData(Picked));
  if (Picked >= 0) AreaLabel->setText(ShownNumber(ComputeProperties(*Shape).A));
  const auto& Materials = TypicalMaterials();
  const auto Material = std::find_if(Materials.begin(), Materials.end(), [&](const TMaterial& M) {
    return M.E == Section.E && M.Fb == Section.Fb && M.Fs == Section.Fs;
  });
  if (Material != Materials.end())
    MaterialCombo->setCurrentIndex(static_cast<int>(Material - Materials.begin()) + 1);
  ShowChecks();
}

void TSectionBox::ListSections(int Family) {
  ShapeCombo->clear();
  ShapeCombo->addItem(Tr("(選択なし)"), -1);
  for (std::size_t I = 0; I < FTable.size(); ++I)
    if (FTable[I].Family == Family)
      ShapeCombo->addItem(QString::fromStdString(FTable[I].Name), static_cast<int>(I));
}

void TSectionBox::PickSection(int Item) {
  const int Index = ShapeCombo->itemData(Item).toInt();
  if (Index < 0) return;
  const TSectionShape& Shape = FTable[static_cast<std::size_t>(Index)];
  const TSectionProperties P = ComputeProperties(Shape);
  NameEdit->setText(QString::fromStdString(Shape.Name));
  FI.Fill(P.I);
  FZ.Fill(P.Z);
  FAw.Fill(P.Aw);
  AreaLabel->setText(ShownNumber(P.A));
}

void TSectionBox::PickMaterial(int Item) {
  if (Item <= 0) return;
  const TMaterial& Material = TypicalMaterials()[static_cast<std::size_t>(Item - 1)];
  FE.Fill(Material.E);
  FFb.Fill(Material.Fb);
  FFs.Fill(Material.Fs);
}

// A typed value makes the section the user's own, no longer the table's.
void TSectionBox::SectionTyped() {
  ShapeCombo->setCurrentIndex(0);
  AreaLabel->setText(NoArea);
}

// What the values given allow, and what each check is missing.
void TSectionBox::ShowChecks() {
  QStringList Missing;
  if (!FE.Given()) Missing << FE.Name;
  if (!FI.Given()) Missing << FI.Name;
  const QStringList Lines = {
      Missing.isEmpty() ? Tr("たわみ: E と I で計算します")
                        : Tr("たわみ: %1 がないため計算しません").arg(Missing.join(Tr("、"))),
      FZ.Given() ? Tr("曲げ応力度: Z で検討します") : Tr("曲げ応力度: Z がないため検討しません"),
      FAw.Given() ? Tr("せん断応力度: A<sub>w</sub> で検討します")
                  : Tr("せん断応力度: A<sub>w</sub> がないため検討しません")};
  ChecksLabel->setText(Lines.join(QStringLiteral("<br>")));
}

void TSectionBox::accept() {
  TSection Section;
  const QString Typed = NameEdit->text();
  try {
    Section.Name = Typed == FShownName ? FShownNameBytes : Utf8ToCp932(Typed.toStdString());
  } catch (const Exception& Error) {
    // Only U+FFFD passes the box: bytes that are no text, still shown.
    Refuse(NameEdit, QString::fromUtf8(Error.what()).toHtmlEscaped());
    return;
  }
  for (auto [Box, Value] : Boxes())
    if (!Read(*Box, Section.*Value)) return;
  FResult = Section;
  QDialog::accept();
}

bool TSectionBox::Read(const TNumberBox& Box, double& Value) {
  const QString Text = Box.Edit->text();
  if (!Box.Typed()) {
    Value = Box.Filled;
  } else if (UnreadableNumber(Text)) {
    Refuse(Box.Edit, Tr("%1 の「%2」は数値として読めません。").arg(Box.Name, Text.toHtmlEscaped()));
    return false;
  } else {
    Value = TypedNumber(Text, 0);
  }
  // What is read is finite; a value the document held may be anything.
  if (Value >= 0 && std::isfinite(Value)) return true;
  Refuse(Box.Edit, Tr("%1 には 0 以上の数値を入力してください。").arg(Box.Name));
  return false;
}

void TSectionBox::Refuse(QLineEdit* Where, const QString& Message) {
  MessageLabel->setText(Message);
  Where->setFocus();
  Where->selectAll();
}

} // namespace

bool TSectionDialog::Edit(QWidget* Parent, TSection& Section) {
  TSectionBox Dialog(Parent, Section);
  if (Dialog.exec() != QDialog::Accepted) return false;
  Section = Dialog.Result();
  return true;
}

TSectionDialog& SectionDialog() {
  return TReplaceable<TSectionDialog>::Get();
}

void SetSectionDialog(TSectionDialog* Value) {
  TReplaceable<TSectionDialog>::Set(Value);
}
