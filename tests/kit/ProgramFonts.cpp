#include "tests/kit/ProgramFonts.h"

#include "platform/Fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <stdexcept>
#include <string>

namespace {

void Require(const QString& Family) {
  if (QFontDatabase::hasFamily(Family)) return;
  const char* Package = Family.startsWith(QStringLiteral("IPA"))
                            ? "fonts-ipafont-gothic and fonts-ipafont-mincho"
                        : Family.startsWith(QStringLiteral("Noto"))   ? "fonts-noto-cjk"
                        : Family.startsWith(QStringLiteral("DejaVu")) ? "fonts-dejavu-core"
                                                                      : nullptr;
  throw std::runtime_error(
      "The font \"" + Family.toStdString() + "\" is not installed" +
      (Package ? std::string("; install ") + Package + " (scripts/install-deps.sh does)."
               : std::string(".")));
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
  SetApplicationFont();
}
