#include "mainwindow/InputUnit.h"

#include "analysis/BeamData.h"
#include "components/FormatGrid.h"
#include "mainwindow/DocumentCommands.h"
#include "mainwindow/HelpWindow.h"
#include "mainwindow/InputUnitLayout.h"
#include "platform/Controls.h"
#include "platform/FileNames.h"
#include "platform/PaintBox.h"
#include "platform/QtCanvas.h"
#include "support/Cp932.h"
#include "support/Cp932Validator.h"
#include "support/QvxTools.h"
#include "support/TypedNumber.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QToolTip>
#include <QUndoStack>
#include <algorithm>
#include <limits>

// The glyphs and help pages live in this static library; register them.
static void InitResources() {
  Q_INIT_RESOURCE(mainwindow);
}

namespace {

const TColor clSkyBlue = 0xF0CAA6;

TBitmap Glyph(const char* Resource) {
  return BitmapFromImage(QImage(QString::fromUtf8(Resource)));
}

QLabel* HeadingLabel(const QString& Text, QWidget* Parent) {
  auto* Label = new QLabel(Text, Parent);
  QFont Font = Label->font();
  Font.setPixelSize(14);
  Label->setFont(Font);
  Label->setAutoFillBackground(true);
  QPalette Palette = Label->palette();
  Palette.setColor(QPalette::Window, ToQColor(clSkyBlue));
  Label->setPalette(Palette);
  Label->adjustSize();
  return Label;
}

// The style shared by the two small input grids.
void StyleInputGrid(TFormatGrid* Grid) {
  Grid->SetColCount(4);
  Grid->SetRowCount(3);
  Grid->SetFixedCols(0);
  Grid->SetFixedRows(0);
  Grid->SetDefaultColWidth(Layout::GridColWidth);
  Grid->SetDefaultRowHeight(Layout::GridRowHeight);
  Grid->SetOptions(0);
  Grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Grid->SetSelectCellColor(clHighlight);
  Grid->SetSelectTextColor(clHighlightText);
}

} // namespace

TForm1::TForm1(QWidget* Parent) : QMainWindow(Parent) {
  InitResources();
  CreateComponents();
  ConnectEvents();
  FormCreate(this);
}

TForm1::~TForm1() {
  FormDestroy(this);
}

void TForm1::CreateComponents() {
  FClient = new QWidget(this);
  setCentralWidget(FClient);
  QPalette Palette = palette();
  Palette.setColor(QPalette::Window, ToQColor(clBtnFace));
  setPalette(Palette);

  Panel1 = new TPanel(FClient);
  CreateInputArea();
  CreateLoadList();
  CreateDiagramArea();
  CreateStatusBar();
  SetTabOrder();
  CreateMenu();
  CreateEditMenu();
  AssignShortcuts();
  FClient->setMinimumSize(MinimumClientWidth(), Layout::MinClientHeight);
  resize(Layout::ClientWidth,
         Layout::ClientHeight + Layout::StatusHeight + menuBar()->sizeHint().height());
  LayoutComponents();
}

int TForm1::MinimumClientWidth() const {
  // Every status panel and every check box stays readable, and a diagram
  // area stays beside the input panel.
  const int Last = StatusBar1->PanelCount() - 1;
  const int Panels = StatusBar1->PanelRect(Last).right() + 1;
  const TCheckBox* LastBox = DCheckBox->isVisibleTo(Panel3) ? DCheckBox : MCheckBox;
  const int Boxes = Layout::Panel1Width + LastBox->geometry().right() + 1 + Layout::BoxMargin;
  return std::max({Layout::MinClientWidth, Panels, Boxes});
}

void TForm1::CreateInputArea() {
  Label1 = HeadingLabel(QStringLiteral("基本条件"), Panel1);
  Label1->move(Layout::Label1Pos);
  SupportBtn = new TButton(QCoreApplication::translate("TForm1", "支点(&P)..."), Panel1);
  SupportBtn->setGeometry(Layout::SupportBtnBounds);
  SupportBtn->hide();
  BaseDataGrid = new TFormatGrid(Panel1);
  BaseDataGrid->setGeometry(Layout::BaseDataGridBounds);
  StyleInputGrid(BaseDataGrid);
  Label2 = HeadingLabel(QStringLiteral("荷重"), Panel1);
  Label2->move(Layout::Label2Pos);
  KajyuType = new TRadioGroup(Panel1);
  KajyuType->setGeometry(Layout::KajyuTypeBounds);
  KajyuType->setTitle(QStringLiteral("外力の種類"));
  KajyuType->SetColumns(2);
  KajyuType->SetItems({QStringLiteral("分布荷重(長方形)"), QStringLiteral("分布荷重(左三角)"),
                       QStringLiteral("分布荷重(右三角)"), QStringLiteral("集中荷重"),
                       QStringLiteral("曲げモーメント")});
  KajyuType->SetItemIndex(lkUniform);
  KjInpGrid = new TFormatGrid(Panel1);
  KjInpGrid->setGeometry(Layout::KjInpGridBounds);
  StyleInputGrid(KjInpGrid);
  Label3 = new QLabel(QStringLiteral("備考："), Panel1);
  Label3->move(Layout::Label3Pos);
  Label3->adjustSize();
  NameEdit = new QLineEdit(Panel1);
  NameEdit->setGeometry(Layout::NameEditBounds);
  auto* Remark = new TCp932Validator(NameEdit);
  Remark->OnRejected = [this] { NameEditInputRejected(this); };
  NameEdit->setValidator(Remark);
  // Any remark a file holds fits, not only Qt's default 32767 characters.
  NameEdit->setMaxLength(std::numeric_limits<int>::max());
}

void TForm1::CreateLoadList() {
  AddBtn = new TButton(QStringLiteral("追加"), Panel1);
  AddBtn->setGeometry(Layout::AddBtnBounds);
  AddBtn->SetTag(0);
  RepBtn = new TButton(QStringLiteral("置換え"), Panel1);
  RepBtn->setGeometry(Layout::RepBtnBounds);
  RepBtn->setEnabled(false);
  UpButton = new TSpeedButton(Panel1);
  UpButton->setGeometry(Layout::UpButtonBounds);
  UpButton->SetGlyph(Glyph(":/arrow_up.bmp"));
  UpButton->SetTag(-1);
  UpButton->setEnabled(false);
  DownButton = new TSpeedButton(Panel1);
  DownButton->setGeometry(Layout::DownButtonBounds);
  DownButton->SetGlyph(Glyph(":/arrow_down.bmp"));
  DownButton->SetTag(1);
  DownButton->setEnabled(false);
  DelBtn = new TButton(QStringLiteral("削除"), Panel1);
  DelBtn->setGeometry(Layout::DelBtnBounds);
  DelBtn->setEnabled(false);
  Bevel1 = new TBevel(Panel1);
  KajyuGrid = new TFormatGrid(Panel1);
  KajyuGrid->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  KajyuGrid->setLineWidth(2);
  KajyuGrid->SetColCount(6);
  KajyuGrid->SetRowCount(Layout::ListRows + 1);
  KajyuGrid->SetFixedCols(1);
  KajyuGrid->SetFixedRows(1);
  KajyuGrid->SetDefaultColWidth(Layout::GridColWidth);
  KajyuGrid->SetDefaultRowHeight(Layout::GridRowHeight);
  KajyuGrid->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine |
                        goRangeSelect | goColSizing);
  KajyuGrid->SetSelectCellColor(clHighlight);
  KajyuGrid->SetSelectTextColor(clHighlightText);
}

void TForm1::CreateDiagramArea() {
  Panel2 = new TPanel(FClient);
  Panel2->SetBevelOuter(bvNone);
  Panel3 = new TPanel(Panel2);
  KCheckBox = new TCheckBox(QStringLiteral("荷重図"), Panel3);
  KCheckBox->move(Layout::KCheckBoxPos);
  SCheckBox = new TCheckBox(QStringLiteral("せん断力図"), Panel3);
  SCheckBox->move(Layout::SCheckBoxPos);
  MCheckBox = new TCheckBox(QStringLiteral("曲げモーメント図"), Panel3);
  MCheckBox->move(Layout::MCheckBoxPos);
  DCheckBox = new TCheckBox(QCoreApplication::translate("TForm1", "たわみ図"), Panel3);
  for (TCheckBox* Box : {KCheckBox, SCheckBox, MCheckBox, DCheckBox}) {
    Box->SetChecked(true);
    Box->adjustSize();
  }
  DCheckBox->move(MCheckBox->geometry().right() + 1 + Layout::DCheckBoxGap,
                  Layout::MCheckBoxPos.y());
  DCheckBox->hide();
  Panel4 = new TPanel(Panel2);
  Panel4->SetBevelInner(bvLowered);
  Panel4->SetBorderWidth(3);
  PaintBox1 = new TPaintBox(Panel4);
}

void TForm1::CreateStatusBar() {
  StatusBar1 = new TStatusBar(FClient);
  // The value panels hold a value of up to six digits before the point
  // whole, and still fit the window's design width; a longer one is cut
  // with "…" and shown whole in the tool tip.
  const int Value =
      std::max(60, StatusBar1->fontMetrics().horizontalAdvance(QStringLiteral("-000000.000")) + 8);
  StatusBar1->AddPanel(100, Qt::AlignRight, false);
  StatusBar1->AddPanel(Value);
  StatusBar1->AddPanel(100, Qt::AlignRight, false);
  StatusBar1->AddPanel(Value);
  StatusBar1->AddPanel(120, Qt::AlignRight, false);
  StatusBar1->AddPanel(Value);
  StatusBar1->AddPanel(50);
  StatusBar1->SetPanelText(0, QStringLiteral("照査位置 X ＝"));
  StatusBar1->SetPanelText(2, QStringLiteral("せん断力 S ＝"));
  StatusBar1->SetPanelText(4, QStringLiteral("曲げモーメント M ＝"));
}

void TForm1::ConnectEvents() {
  using namespace std::placeholders;
  BaseDataGrid->OnSetEditText = std::bind(&TForm1::BaseDataGridSetEditText, this, _1, _2, _3, _4);
  BaseDataGrid->OnToggleChange = std::bind(&TForm1::BaseDataGridToggleChange, this, _1, _2, _3, _4);
  KajyuType->OnClick = std::bind(&TForm1::KajyuTypeClick, this, _1);
  AddBtn->OnClick = std::bind(&TForm1::AddBtnClick, this, _1);
  SupportBtn->OnClick = std::bind(&TForm1::Supports1Click, this, _1);
  RepBtn->OnClick = std::bind(&TForm1::AddBtnClick, this, _1);
  DelBtn->OnClick = std::bind(&TForm1::DelBtnClick, this, _1);
  UpButton->OnClick = std::bind(&TForm1::UpButtonClick, this, _1);
  DownButton->OnClick = std::bind(&TForm1::UpButtonClick, this, _1);
  KajyuGrid->OnExit = std::bind(&TForm1::KajyuGridExit, this, _1);
  KajyuGrid->OnSelectCell = std::bind(&TForm1::KajyuGridSelectCell, this, _1, _2, _3, _4);
  KajyuGrid->OnButtonClick = std::bind(&TForm1::KajyuGridButtonClick, this, _1, _2, _3);
  for (TCheckBox* Box : {KCheckBox, SCheckBox, MCheckBox, DCheckBox})
    Box->OnClick = std::bind(&TForm1::SCheckBoxClick, this, _1);
  PaintBox1->OnPaint = std::bind(&TForm1::PaintBox1Paint, this, _1);
  PaintBox1->OnMouseMove = std::bind(&TForm1::PaintBox1MouseMove, this, _1, _2, _3, _4);
  StatusBar1->OnClick = std::bind(&TForm1::StatusBar1Click, this, _1);
  qApp->installEventFilter(this);
}

void TForm1::LayoutComponents() {
  using namespace Layout;
  const int W = FClient->width(), H = FClient->height() - StatusHeight;
  Panel1->setGeometry(0, 0, Panel1Width, H);
  Panel2->setGeometry(Panel1Width, 0, W - Panel1Width, H);
  StatusBar1->setGeometry(0, H, W, StatusHeight);
  // The list keeps its margins to the panel's right and bottom edges.
  KajyuGrid->setGeometry(ListLeft, ListTop, Panel1Width - ListLeft - ListRightMargin,
                         H - ListTop - ListBottomMargin);
  Bevel1->setGeometry(BevelLeft, BevelTop, Panel1Width - 2 * BevelLeft, 2);
  Panel3->setGeometry(0, Panel2->height() - CheckPanelHeight, Panel2->width(), CheckPanelHeight);
  Panel4->setGeometry(0, 0, Panel2->width(), Panel2->height() - CheckPanelHeight);
  PaintBox1->setGeometry(Panel4->ClientRect());
}

void TForm1::resizeEvent(QResizeEvent* Event) {
  QMainWindow::resizeEvent(Event);
  LayoutComponents();
}

void TForm1::FormCreate(TObject*) {
  SetupGrids();
  FData = std::make_unique<TData>();
  FData->SetOnChange(std::bind(&TForm1::DataChanged, this, std::placeholders::_1));
  ResetDocument();
}

void TForm1::FormDestroy(TObject*) {
  qApp->removeEventFilter(this);
  THelpWindow::Release();
  FData.reset();
}

// Painting is left to the event loop, which paints once for a burst of
// changes, before it handles the next input.
void TForm1::DataChanged(TObject*) {
  PaintBox1->update();
  UpdateResultsWindow();
  ShowTitle();
  ShowBendingControls();
  // The readout follows the document: values of the beam before would be
  // misread as its own. A beam without a span, or on supports that cannot
  // hold it, has nothing to read.
  if (FReadoutX) ShowReadout(*FReadoutX);
}

void TForm1::SetFileName(const QString& Name) {
  FFileName = Name;
  ShowTitle();
}

void TForm1::ShowTitle() {
  QString Title = QStringLiteral("新規データ");
  if (!FFileName.isEmpty()) {
    Title = ShownFileName(QFileInfo(FFileName).fileName());
    const qsizetype Dot = Title.lastIndexOf(QChar('.'));
    if (Dot >= 0) Title.truncate(Dot);
  }
  // An unsaved document is marked as desktop programs mark it.
  if (FData && FData->Modified()) Title += QChar('*');
  const QString Full = QStringLiteral("Vantrel - [") + Title + QStringLiteral("]");
  if (Full != windowTitle()) setWindowTitle(Full);
}

void TForm1::ResetDocument() {
  // An editor left open on the span would write its text into the new
  // document once the cell is left.
  BaseDataGrid->HideEditor();
  FData->Clear();
  StartAfresh(QString());
  BaseDataGrid->SetToggleIndex(2, 0, 0);
  ShowSupportControls();
  BaseDataGrid->SetCells(2, 1, QString());
  RefreshLoadList();
  PaintBox1->update();
}

void TForm1::StartAfresh(const QString& FileName) {
  SetFileName(FileName);
  ShowUnreadData(QString(), {});
  ResetListColumns();
  FUndo->clear();
  KajyuType->SetItemIndex(0);
}

void TForm1::BaseDataGridSetEditText(TObject*, int, int ARow, const QString& Value) {
  if (ARow != 1) return;
  const double L = TypedNumber(Value, 0);
  if (L != FData->Length()) FUndo->push(new TSpanCommand(*FData, L, BaseDataGrid->EditSession()));
  MarkLoadRows();
  ReportUnreadable({Value});
}

void TForm1::NameEditInputRejected(TObject*) {
  // The box drops what the file's code page cannot hold; say why.
  QToolTip::showText(NameEdit->mapToGlobal(QPoint(0, NameEdit->height())),
                     QStringLiteral("Shift-JIS で表せない文字は入力できません"), NameEdit);
}
