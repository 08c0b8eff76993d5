#include "platform/FileDetails.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QStyle>
#include <QTreeView>

namespace {

enum TDetailColumn { dcName, dcSize, dcType, dcDate };

const char* const SizeUnits[] = {
    QT_TRANSLATE_NOOP("FileDetails", "バイト"), QT_TRANSLATE_NOOP("FileDetails", "キロバイト"),
    QT_TRANSLATE_NOOP("FileDetails", "メガバイト"), QT_TRANSLATE_NOOP("FileDetails", "ギガバイト"),
    QT_TRANSLATE_NOOP("FileDetails", "テラバイト")};

QString Translated(const char* Text) {
  return QCoreApplication::translate("FileDetails", Text);
}

QString SizeText(const QString& Number, std::size_t Unit) {
  return Number + QChar(' ') + Translated(SizeUnits[Unit]);
}

QString TypeText(bool IsFolder, const QString& Suffix) {
  if (IsFolder) return Translated("フォルダー");
  if (Suffix.isEmpty()) return Translated("ファイル");
  return Suffix + QChar(' ') + Translated("ファイル");
}

QString DateText(const QDateTime& Time) {
  return QLocale().toString(Time, QLocale::ShortFormat);
}

// A column of View wide enough to show each of Texts whole.
void FitColumn(QTreeView& View, int Column, const QStringList& Texts) {
  int Width = 0;
  for (const QString& Text : Texts)
    Width = std::max(Width, View.fontMetrics().horizontalAdvance(Text));
  // An item's text keeps a margin on either side; a character more is air.
  const int Margin = View.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &View) + 1;
  View.header()->resizeSection(Column, Width + 2 * Margin + View.fontMetrics().averageCharWidth());
}

} // namespace

QString FileSizeText(qint64 Bytes) {
  if (Bytes < 1024) return SizeText(QLocale().toString(Bytes), 0);
  double Value = static_cast<double>(Bytes) / 1024;
  std::size_t Unit = 1;
  // From 1023.95 on the number would round to 1,024.0: the next unit then.
  while (Value >= 1023.95 && Unit + 1 < std::size(SizeUnits)) {
    Value /= 1024;
    ++Unit;
  }
  return SizeText(QLocale().toString(Value, 'f', 1), Unit);
}

QVariant TFileDetailsModel::data(const QModelIndex& Index, int Role) const {
  const auto* Files = qobject_cast<const QFileSystemModel*>(sourceModel());
  if (Role != Qt::DisplayRole || !Files) return QIdentityProxyModel::data(Index, Role);
  const QFileInfo Info = Files->fileInfo(mapToSource(Index));
  switch (Index.column()) {
  case dcSize:
    return Info.isDir() ? QString() : FileSizeText(Info.size());
  case dcType:
    return TypeText(Info.isDir(), Info.suffix());
  case dcDate:
    return DateText(Info.lastModified());
  }
  return QIdentityProxyModel::data(Index, Role);
}

void ShowJapaneseFileDetails(QFileDialog& Dialog) {
  Dialog.setProxyModel(new TFileDetailsModel(&Dialog));
  auto* View = Dialog.findChild<QTreeView*>();
  if (!View) return;
  QStringList Sizes{SizeText(QLocale().toString(1023), 0)};
  for (std::size_t Unit = 1; Unit < std::size(SizeUnits); ++Unit)
    Sizes << SizeText(QLocale().toString(1023.9, 'f', 1), Unit);
  FitColumn(*View, dcSize, Sizes);
  // Types by suffixes of up to four letters.
  FitColumn(*View, dcType, {TypeText(true, QString()), TypeText(false, QStringLiteral("docx"))});
  FitColumn(*View, dcDate, {DateText(QDateTime(QDate(2000, 12, 28), QTime(20, 58)))});
  // The names take what the details leave, and the view is kept wide
  // enough for names of some forty letters.
  QHeaderView* Header = View->header();
  Header->setStretchLastSection(false);
  Header->setSectionResizeMode(dcName, QHeaderView::Stretch);
  View->setMinimumWidth(Header->sectionSize(dcSize) + Header->sectionSize(dcType) +
                        Header->sectionSize(dcDate) + 40 * View->fontMetrics().averageCharWidth() +
                        View->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}
