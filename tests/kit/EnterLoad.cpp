#include "tests/kit/EnterLoad.h"

#include "components/FormatGrid.h"
#include "mainwindow/InputUnit.h"
#include "platform/Controls.h"

#include <QLineEdit>

void EnterLoad(TForm1& Form, const TLoadEntry& Entry, TButton* By) {
  Form.KajyuType->SetItemIndex(Entry.Kind);
  Form.KjInpGrid->SetCells(2, 0, Entry.X);
  Form.KjInpGrid->SetCells(2, 1, Entry.W);
  if (Form.KjInpGrid->RowCount() > 2) Form.KjInpGrid->SetCells(2, 2, Entry.Width);
  Form.NameEdit->setText(Entry.Remark);
  Form.AddBtnClick(By ? By : Form.AddBtn);
}
