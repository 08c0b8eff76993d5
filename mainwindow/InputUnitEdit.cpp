// The edit menu with undo and redo, and the shortcuts of the menus.
#include "analysis/BeamData.h"
#include "components/FormatGrid.h"
#include "mainwindow/InputUnit.h"
#include "platform/Controls.h"
#include "platform/PaintBox.h"
#include "support/QvxTools.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

void TForm1::CreateEditMenu() {
  FUndo = new QUndoStack(this);
  Edit1 = new QMenu(QStringLiteral("編集(&E)"), this);
  // Right after the file menu, before whatever menus follow it.
  const QList<QAction*> Menus = menuBar()->actions();
  const qsizetype After = Menus.indexOf(File1->menuAction()) + 1;
  menuBar()->insertMenu(After < Menus.size() ? Menus[After] : nullptr, Edit1);
  Undo1 = Edit1->addAction(QStringLiteral("元に戻す(&U)"));
  Redo1 = Edit1->addAction(QStringLiteral("やり直し(&R)"));
  Edit1->addSeparator();
  Section1 = Edit1->addAction(QCoreApplication::translate("TForm1", "断面・材料(&S)..."));
  connect(Section1, &QAction::triggered, this, [this] { Section1Click(this); });
  CreateBeamTypeMenu();
  Supports1 = Edit1->addAction(QCoreApplication::translate("TForm1", "支点(&P)..."));
  connect(Supports1, &QAction::triggered, this, [this] { Supports1Click(this); });
  Supports1->setEnabled(false); // the new document's simple beam has no list
  connect(Undo1, &QAction::triggered, this, [this] { Undo1Click(this); });
  connect(Redo1, &QAction::triggered, this, [this] { Redo1Click(this); });
  Undo1->setEnabled(false);
  Redo1->setEnabled(false);
  connect(FUndo, &QUndoStack::canUndoChanged, Undo1, &QAction::setEnabled);
  connect(FUndo, &QUndoStack::canRedoChanged, Redo1, &QAction::setEnabled);
}

void TForm1::AssignShortcuts() {
  New1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  Open1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  Save1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  SaveAs1->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  Exit1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  Contents1->setShortcut(QKeySequence(Qt::Key_F1));
  Undo1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  Redo1->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
}

void TForm1::Undo1Click(TObject*) {
  // An editor open on the span would later write its text back over the
  // value undone.
  BaseDataGrid->HideEditor();
  FUndo->undo();
  ShowDocument();
}

void TForm1::Redo1Click(TObject*) {
  BaseDataGrid->HideEditor();
  FUndo->redo();
  ShowDocument();
}

void TForm1::ShowDocument() {
  ShowBaseData();
  // A pick or a list row may now name another load, or none.
  ForgetPick();
  RefreshLoadList();
  StatusBar1->SetMessage(QString());
  PaintBox1->update();
  // Back at the state last saved, there is nothing to save.
  FData->SetModified(!FUndo->isClean());
  ShowTitle();
}

void TForm1::ShowBaseData() {
  // Files may hold any nonzero code for a cantilever.
  BaseDataGrid->SetToggleIndex(2, 0, FData->Preset());
  ShowSupportControls();
  BaseDataGrid->SetCells(2, 1, FormatReal3(FData->Length()));
}

void TForm1::CreateBeamTypeMenu() {
  BeamType1 = Edit1->addMenu(QCoreApplication::translate("TForm1", "梁の種類(&B)"));
  auto* Group = new QActionGroup(BeamType1);
  for (std::int32_t Preset = 0; Preset < PresetCount; ++Preset) {
    QAction* Item = BeamType1->addAction(
        QCoreApplication::translate("TForm1", PresetNames[static_cast<std::size_t>(Preset)]));
    Item->setCheckable(true);
    Item->setActionGroup(Group);
    connect(Item, &QAction::triggered, this, [this, Preset] {
      if (Preset != FData->Preset())
        ChangeSupports(Preset, PresetSupports(Preset, FData->Length()));
    });
  }
  BeamType1->actions().front()->setChecked(true);
}

void TForm1::ShowSupportControls() {
  BeamType1->actions()[FData->Preset()]->setChecked(true);
  FitBeamTypeCell();
  const bool List = !FData->Supports().empty();
  Supports1->setEnabled(List);
  SupportBtn->setVisible(List);
}
