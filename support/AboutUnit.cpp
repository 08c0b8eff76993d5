#include "support/AboutUnit.h"

#include "components/Label3d.h"
#include "platform/Animate.h"
#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/QtCanvas.h"
#include "support/QvxTools.h"

#include <QCoreApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>

namespace {

// The addresses the clickable controls open, by their Tag.
const QString WebPages[] = {QStringLiteral(VANTREL_WEB_ADDRESS)};

QFont FontOf(const TFont& Font) {
  return ToQFont(Font);
}

QLabel* TextLabel(QWidget* Parent, int Left, int Top) {
  auto* Label = new QLabel(Parent);
  Label->move(Left, Top);
  return Label;
}

QString ApplicationTitle() {
  const TApplication* Application = TApplication::Instance();
  return Application ? Application->Title() : QCoreApplication::applicationName();
}

} // namespace

TClickLabel::TClickLabel(QWidget* Parent) : QLabel(Parent) {}

void TClickLabel::mouseReleaseEvent(QMouseEvent* Event) {
  QLabel::mouseReleaseEvent(Event);
  if (Event->button() == Qt::LeftButton && rect().contains(Event->position().toPoint()) && OnClick)
    OnClick(this);
}

QString MakerWebPage() {
  return WebPages[0];
}

TAboutBox::TAboutBox(QWidget* Owner) : QDialog(Owner, FixedDialogFlags) {
  setWindowTitle(QStringLiteral("バージョン情報"));
  setFixedSize(487, 247);
  setFont(FontOf(TFont{}));
  CreateComponents();
  FormCreate(this);
}

TAboutBox::~TAboutBox() {
  FormDestroy(this);
}

void TAboutBox::CreateComponents() {
  Panel1 = new TPanel(this);
  Panel1->setGeometry(6, 4, 475, 209);
  Panel1->SetBevelOuter(bvLowered);
  Panel1->SetBevelInner(bvRaised);
  Panel1->setFont(FontOf(TFont{"ＭＳ 明朝", 12, clWindowText, 0}));
  CreatePictures();
  CreateTextLabels();
  OKButton = new TButton(QStringLiteral("OK"), this);
  OKButton->setGeometry(207, 218, 75, 25);
  OKButton->setDefault(true);
  OKButton->OnClick = [this](TObject* Sender) {
    OKButtonClick(Sender);
    accept();
  };
}

void TAboutBox::CreateTextLabels() {
  ProductName = new TLabel3D(Panel1);
  ProductName->move(82, 8);
  ProductName->SetMainColor(clBlue);
  ProductName->SetUpColor(clGray);
  ProductName->SetDownColor(clWhite);
  ProductName->SetFont(TFont{"ＭＳ Ｐゴシック", 24, clBlue, fsBold});
  Version = TextLabel(Panel1, 196, 34);
  Label1 = TextLabel(Panel1, 94, 56);
  Label2 = TextLabel(Panel1, 94, 72);
  Label3 = TextLabel(Panel1, 94, 88);
  Label6 = new TClickLabel(Panel1);
  Label6->move(276, 138);
  Label6->setText(MakerWebPage());
  Label6->adjustSize();
  QFont LinkFont = Label6->font();
  LinkFont.setUnderline(true);
  Label6->setFont(LinkFont);
  Label6->setStyleSheet(QStringLiteral("color: #0000FF"));
  Label6->setCursor(Qt::PointingHandCursor);
  Label6->OnClick = [this](TObject* Sender) { Label6Click(Sender); };
}

void TAboutBox::CreatePictures() {
  Image4 = new QLabel(Panel1);
  Image4->setGeometry(4, 4, 75, 67);
  Image4->setScaledContents(true);
  Image4->setPixmap(QPixmap(QStringLiteral(":/about_still.bmp")));
  Animate1 = new TAnimate(Panel1);
  Animate1->setGeometry(4, 4, 75, 67);
  Animate1->OnStart = [this](TObject* Sender) { Animate1Start(Sender); };
  Animate1->OnStop = [this](TObject* Sender) { Animate1Stop(Sender); };
  ProgramIcon = new TClickLabel(Panel1);
  ProgramIcon->setGeometry(104, 116, 160, 80);
  ProgramIcon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  const QImage Program(QStringLiteral(":/about_program.bmp"));
  ProgramIcon->setPixmap(QPixmap::fromImage(ImageFromBitmap(BitmapFromImage(Program), true)));
  ProgramIcon->setCursor(Qt::PointingHandCursor);
  ProgramIcon->OnClick = [this](TObject* Sender) { Label6Click(Sender); };
}

void TAboutBox::FormCreate(TObject*) {
  Q_INIT_RESOURCE(about);
  FAnimationFileName = NewTempFileName(QStringLiteral("AVI"));
  if (FAnimationFileName.isEmpty()) return;
  QFile Clip(FAnimationFileName);
  const bool Saved = Clip.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                     SaveResourceToStream(QStringLiteral("ANIME_DATA"), Clip);
  Clip.close();
  if (!Saved) {
    // No clip then: the still picture stays.
    QFile::remove(FAnimationFileName);
    FAnimationFileName.clear();
    return;
  }
  Animate1->SetFileName(FAnimationFileName);
}

void TAboutBox::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  if (const QScreen* Screen = screen())
    move(Screen->availableGeometry().center() - rect().center());
  FormShow(this);
}

void TAboutBox::FormShow(TObject*) {
  ShowSystemLine(QStringLiteral("OS Version       : ") + OSVersionText());
  Label2->setText(QStringLiteral("全メモリー容量　 : ") + TotalMemoryText());
  Label3->setText(QStringLiteral("空きメモリー容量 : ") + FreeMemoryText());
  ProductName->SetCaption(ApplicationTitle());
  Version->setText(FileVersionText(QCoreApplication::applicationFilePath()));
  for (QLabel* Label : {Label2, Label3, Version})
    Label->adjustSize();
  Animate1->setVisible(true);
  Animate1->Play(1, 75, 1);
}

void TAboutBox::ShowSystemLine(const QString& Line) {
  // The line keeps from the panel's right edge the inset the pictures keep from its left.
  const int Width = Panel1->ClientRect().right() + 1 - 4 - Label1->x();
  Label1->setText(Label1->fontMetrics().elidedText(Line, Qt::ElideRight, Width));
  Label1->setToolTip(Line);
  Label1->adjustSize();
}

void TAboutBox::Animate1Start(TObject*) {
  Image4->setVisible(false);
}

void TAboutBox::Animate1Stop(TObject*) {
  Animate1->setVisible(false);
  Image4->setVisible(true);
}

void TAboutBox::OKButtonClick(TObject*) {
  if (Animate1->Active()) Animate1->Stop();
}

void TAboutBox::Label6Click(TObject* Sender) {
  const auto* Control = dynamic_cast<TClickLabel*>(Sender);
  const int Tag = Control ? Control->Tag() : 0;
  if (Tag >= 0 && Tag < static_cast<int>(std::size(WebPages))) OpenWebPage(WebPages[Tag]);
}

void TAboutBox::FormDestroy(TObject*) {
  Animate1->SetFileName(QString());
  if (!FAnimationFileName.isEmpty()) QFile::remove(FAnimationFileName);
  FAnimationFileName.clear();
}

void ShowAboutBox(QWidget* Owner) {
  TAboutBox Box(Owner);
  Box.exec();
}
