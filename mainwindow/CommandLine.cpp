#include "mainwindow/CommandLine.h"

#include "mainwindow/ProgramStart.h"
#include "platform/FileNames.h"
#include "support/QvxTools.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

QString Translated(const char* Text) {
  return QCoreApplication::translate("CommandLine", Text);
}

QString UsageLine() {
  return Translated("使い方: vantrel [オプション] [--] [ファイル名]") + QChar('\n');
}

} // namespace

QString HelpText() {
  return UsageLine() +
         Translated(
             "梁の計算をします。ファイル名を指定すると、そのファイルを開いて始めます。\n"
             "\n"
             "梁の種類: 単純梁、片持ち梁、片持ち梁(左固定)、はね出し梁、両端固定梁、\n"
             "  一端固定他端ピン、連続梁。支点はピン・ローラー・固定 (固定は梁の端だけ) を\n"
             "  20 個まで置け、不静定梁も解きます。\n"
             "荷重から支点反力 (固定端では曲げモーメントと反力モーメント)、せん断力 S と\n"
             "  曲げモーメント M の図と最大・最小を求めます。\n"
             "断面・材料 (E, I, Z, Aw, fb, fs) を入力すると、たわみ角 θ とたわみ δ を求め、\n"
             "  曲げ応力度・せん断応力度・たわみを検討します。\n"
             "計算書は印刷と PDF に、図は PNG と SVG に、計算結果は CSV に出力できます。\n"
             "\n"
             "オプション:\n"
             "  --help     この使い方を表示して終わります\n"
             "  --version  バージョンを表示して終わります\n"
             "  --         これ以降の引数をすべてファイル名として扱います\n"
             "Qt のオプション (-platform など) も使えます。\n");
}

namespace {

TCommandLine Refused(const QString& Error) {
  return {skRefuse, QString(), Error};
}

void Print(std::FILE* Stream, const QString& Text) {
  std::fputs(Text.toUtf8().constData(), Stream);
}

} // namespace

QStringList ArgumentList(int argc, char** argv) {
  QStringList Arguments;
  for (int I = 0; I < argc; ++I)
    Arguments << FileNameFromNative(argv[I]);
  return Arguments;
}

TCommandLine ParseCommandLine(const QStringList& Arguments) {
  TCommandLine Command;
  bool OptionsEnded = false, HaveFile = false;
  for (const QString& Argument : Arguments.mid(1)) {
    if (!OptionsEnded && Argument == QStringLiteral("--")) {
      OptionsEnded = true;
    } else if (!OptionsEnded && Argument.startsWith(QChar('-')) &&
               Argument != QStringLiteral("-")) {
      if (Argument == QStringLiteral("--help")) return {skHelp, QString(), QString()};
      if (Argument == QStringLiteral("--version")) return {skVersion, QString(), QString()};
      return Refused(Translated("不明なオプションです: ") + Argument);
    } else if (HaveFile) {
      return Refused(Translated("ファイル名は一つしか指定できません: ") + Argument);
    } else {
      HaveFile = true;
      Command.FileName = Argument;
    }
  }
  return Command;
}

std::optional<int> AnswerCommandLine(const TCommandLine& Command) {
  switch (Command.Kind) {
  case skWindow:
    return std::nullopt;
  case skHelp:
    Print(stdout, HelpText());
    return 0;
  case skVersion:
    Print(stdout, VersionLine() + QChar('\n'));
    return 0;
  case skRefuse:
    Print(stderr, QStringLiteral("vantrel: ") + Command.Error + QChar('\n') + UsageLine());
    return 2;
  }
  return std::nullopt;
}

QString VersionLine() {
  // The running program's own file, also before the application object
  // exists to name it.
  return ProgramTitle() + QChar(' ') + VersionNumberText(ReadFileVersion("/proc/self/exe"));
}
