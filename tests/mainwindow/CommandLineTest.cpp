// The command line: options, the end of options, file names, refusals.
#include "mainwindow/CommandLine.h"
#include "analysis/Supports.h"
#include "platform/FileNames.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <vector>

namespace {

TCommandLine Parse(const QStringList& Arguments) {
  return ParseCommandLine(QStringList{QStringLiteral("vantrel")} + Arguments);
}

TEST(CommandLineTest, OptionsDecideInOrderAndDoubleDashEndsThem) {
  const struct {
    QStringList Arguments;
    TStartKind Kind;
    QString FileName;
  } Cases[] = {
      {{}, skWindow, {}},
      {{"beam.vbd"}, skWindow, "beam.vbd"},
      {{"-"}, skWindow, "-"},
      {{"--", "--help"}, skWindow, "--help"},
      {{"beam.vbd", "--version"}, skVersion, {}},
      {{"--help", "--bogus"}, skHelp, {}},
      {{"--bogus", "--help"}, skRefuse, {}},
      {{"a.vbd", "--", "b.vbd"}, skRefuse, {}},
  };
  for (const auto& Case : Cases) {
    const TCommandLine Command = Parse(Case.Arguments);
    const std::string Trace = Case.Arguments.join(' ').toStdString();
    EXPECT_EQ(Command.Kind, Case.Kind) << Trace;
    EXPECT_EQ(Command.FileName, Case.FileName) << Trace;
    EXPECT_EQ(Command.Error.isEmpty(), Case.Kind != skRefuse) << Trace;
  }
  EXPECT_TRUE(Parse({"a", "b"}).Error.endsWith(": b"));
  EXPECT_TRUE(Parse({"-x"}).Error.endsWith(": -x"));
}

TEST(CommandLineTest, AFileNameThatIsNoUtf8KeepsItsBytes) {
  char Program[] = "vantrel", Name[] = "beam\xFF\xFE.vbd";
  char* Arguments[] = {Program, Name};
  const TCommandLine Command = ParseCommandLine(ArgumentList(2, Arguments));
  EXPECT_EQ(NativeFileName(Command.FileName), Name);
}

// --help and the help's contents name every beam type, every support
// kind, the section, the checks and the report, and no longer call the
// beams statically determinate.
TEST(CommandLineTest, HelpDescribesEveryBeamTypeSupportsSectionChecksAndReport) {
  QFile Index(QStringLiteral(":/help/index.html"));
  ASSERT_TRUE(Index.open(QIODevice::ReadOnly));
  const QString Page = QString::fromUtf8(Index.readAll());
  std::vector<const char*> Words(PresetNames.begin(), PresetNames.end());
  Words.insert(Words.end(), SupportKindNames.begin(), SupportKindNames.end());
  Words.insert(Words.end(), {"断面", "曲げ応力度", "せん断応力度", "たわみ", "計算書"});
  for (const QString& Text : {HelpText(), Page}) {
    for (const char* Word : Words)
      EXPECT_TRUE(Text.contains(QString::fromUtf8(Word))) << Word;
    EXPECT_FALSE(Text.contains(QRegularExpression(QStringLiteral("(?<!不)静定梁"))));
  }
}

} // namespace
