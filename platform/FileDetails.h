#pragma once

#include <QIdentityProxyModel>

class QFileDialog;

// The detail columns of Qt's own file dialog in Japanese, whatever the
// system's language: sizes in バイト, キロバイト…, types as フォルダー or
// "<suffix> ファイル", dates in the program's locale. Qt's file model takes
// these from the system locale and from texts its Japanese catalogue
// leaves out.
class TFileDetailsModel : public QIdentityProxyModel {
public:
  using QIdentityProxyModel::QIdentityProxyModel;

  QVariant data(const QModelIndex& Index, int Role) const override;
};

// Shows Dialog's details through a TFileDetailsModel, with the size and
// date columns wide enough for any size and date.
void ShowJapaneseFileDetails(QFileDialog& Dialog);

// "179 バイト", "1.2 キロバイト", "3.0 メガバイト" and so on, in units of
// 1024 with one decimal.
QString FileSizeText(qint64 Bytes);
