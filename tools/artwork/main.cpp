// Writes the built-in pictures into a folder: pellora-artwork <folder>
#include <QByteArray>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <cstdio>
#include <functional>

#include "Formulas.h"
#include "GoldFoil.h"
#include "Icon.h"
#include "Letters.h"
#include "Wood.h"

namespace {

struct Output {
  const char* mFile;
  const char* mFormat;
  int mQuality;
  std::function<QImage()> mMake;
};

bool Write(const QDir& folder, const Output& output)
{
  const QImage image = output.mMake();
  const QString path = folder.filePath(QString::fromLatin1(output.mFile));
  if (image.isNull() || !image.save(path, output.mFormat, output.mQuality)) {
    std::fprintf(stderr, "pellora-artwork: could not make %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

} // namespace

int main(int argc, char** argv)
{
  if (argc != 2) {
    std::fprintf(stderr, "usage: pellora-artwork <output folder>\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
  }
  QGuiApplication application(argc, argv);
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.exists()) {
    std::fprintf(stderr, "pellora-artwork: no folder %s\n", argv[1]);
    return 1;
  }
  const Artwork::LetterAtlas letters = Artwork::MakeLetterAtlas();
  const Output outputs[] = {
      {"letters.png", "PNG", -1, [&letters] { return letters.mLetters; }},
      {"letter_shadows.png", "PNG", -1, [&letters] { return letters.mShadows; }},
      {"BlackWood.jpg", "JPEG", 88, Artwork::BlackWood},
      {"grey_ramp.png", "PNG", -1, Artwork::GreyRamp},
      {"frame_no_shadow.png", "PNG", -1, [] { return Artwork::FramePicture(false); }},
      {"frame_shadow.png", "PNG", -1, [] { return Artwork::FramePicture(true); }},
      {"gold_foil.jpg", "JPEG", 90, Artwork::GoldFoil},
      {"pellora.png", "PNG", -1, Artwork::ProgramIcon},
  };
  bool ok = true;
  for (const Output& output : outputs) {
    ok = Write(folder, output) && ok;
  }
  return ok ? 0 : 1;
}
