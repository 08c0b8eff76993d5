#include "tests/kit/ProgramFonts.h"

#include "platform/Fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <stdexcept>

namespace {

void Require(const QString& Family) {
  if (QFontDatabase::hasFamily(Family)) return;
  const char* Package = Family.startsWith(QStringLiteral("IPA"))
                            ? "fonts-ipafont-gothic and fonts-ipafont-mincho"
                        : Family.startsWith(QStringLiteral("Noto"))   ? "fonts-noto-cjk"
                        : Family.startsWith(QStringLiteral("DejaVu")) ? "fonts-dejavu-core"
                                                                      : "the package that has it";
  throw std::runtime_error("The font \"" + Family.toStdString() + "\" is not installed; install " +
                           Package + " (scripts/install-deps.sh does).");
}

} // namespace

void PinProgramFonts(const QString& Family) {
  for (const TFontSubstitute& Font : FontSubstitutes()) {
    const QString Asked = QString::fromUtf8(Font.Asked);
    const QString Standing = Family.isEmpty() ? QString::fromUtf8(Font.Ipa) : Family;
    Require(Standing);
    QFont::removeSubstitutions(Asked);
    QFont::insertSubstitution(Asked, Standing);
  }
}
