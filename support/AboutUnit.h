#pragma once

#include "platform/Events.h"

#include <QDialog>
#include <QLabel>
#include <QString>

class TAnimate;
class TButton;
class TLabel3D;
class TPanel;

// A label or picture that answers a left click, with a number telling
// the click handler which control it was.
class TClickLabel : public QLabel, public TObject {
public:
  explicit TClickLabel(QWidget* Parent = nullptr);

  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }

  TNotifyEvent OnClick;

protected:
  void mouseReleaseEvent(QMouseEvent* Event) override;

private:
  int FTag = 0;
};

// The about box: the program's title, version, the running system and its
// memory, a short animation played once over a still picture, and a link
// to the maker's web page. Each box extracts the clip into a temporary
// file of its own and deletes it when it is destroyed.
class TAboutBox : public QDialog, public TObject {
public:
  explicit TAboutBox(QWidget* Owner);
  ~TAboutBox() override;

  TPanel* Panel1;
  TLabel3D* ProductName;
  QLabel* Version;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Image4;
  TAnimate* Animate1;
  TClickLabel* ProgramIcon;
  TClickLabel* Label6;
  TButton* OKButton;

  // The box's clip file; empty when the clip could not be extracted.
  QString AnimationFileName() const { return FAnimationFileName; }
  // Shows the system line in Label1, cut with "…" to the panel's width;
  // the whole line is its tool tip.
  void ShowSystemLine(const QString& Line);

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void Animate1Start(TObject* Sender);
  void Animate1Stop(TObject* Sender);
  void OKButtonClick(TObject* Sender);
  void Label6Click(TObject* Sender);

protected:
  void showEvent(QShowEvent* Event) override;

private:
  void CreateComponents();
  void CreateTextLabels();
  void CreatePictures();

  QString FAnimationFileName;
};

// The web page the about box shows and opens.
QString MakerWebPage();

// Shows a new about box owned by Owner modally and frees it when it closes.
void ShowAboutBox(QWidget* Owner);
