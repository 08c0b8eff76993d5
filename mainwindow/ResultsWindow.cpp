#include "mainwindow/ResultsWindow.h"

#include "mainwindow/HelpWindow.h"
#include "mainwindow/ResultsText.h"
#include "platform/Fonts.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

TResultsWindow::TResultsWindow(QWidget* Parent) : QWidget(Parent, Qt::Window) {
  setWindowTitle(QStringLiteral("計算結果"));
  ResultsMemo = new QPlainTextEdit(this);
  ResultsMemo->setReadOnly(true);
  ResultsMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  ResultsMemo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  // Fixed width, so that the columns of the load table line up.
  QFont Font = FontFor(QStringLiteral("ＭＳ ゴシック"));
  Font.setPixelSize(13);
  Font.setStyleHint(QFont::Monospace);
  ResultsMemo->setFont(Font);
  SectionBtn =
      new QPushButton(QCoreApplication::translate("ResultsWindow", "断面・材料(&S)..."), this);
  connect(SectionBtn, &QPushButton::clicked, this, [this] {
    if (OnEditSection) OnEditSection();
  });
  CopyBtn = new QPushButton(QStringLiteral("コピー(&C)"), this);
  CloseBtn = new QPushButton(QStringLiteral("閉じる"), this);
  connect(CopyBtn, &QPushButton::clicked, this,
          [this] { QApplication::clipboard()->setText(ResultsMemo->toPlainText()); });
  connect(CloseBtn, &QPushButton::clicked, this, &QWidget::close);
  auto* Help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(Help, &QShortcut::activated, this,
          [] { THelpWindow::Instance().ShowPage(QStringLiteral("results.html")); });

  auto* Buttons = new QHBoxLayout;
  Buttons->addWidget(SectionBtn);
  Buttons->addStretch();
  Buttons->addWidget(CopyBtn);
  Buttons->addWidget(CloseBtn);
  auto* Layout = new QVBoxLayout(this);
  Layout->addWidget(ResultsMemo);
  Layout->addLayout(Buttons);
  resize(640, 420);
}

void TResultsWindow::ShowResults(const TData& Data) {
  ResultsMemo->setPlainText(ResultsText(Data));
}
