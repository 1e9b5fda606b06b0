// korvanu-icon OUTDIR: writes the game's icon for desktops, in the icon
// theme's layout: OUTDIR/hicolor/NxN/apps/NAME.png for the usual sizes.
#include "pictures/pictures.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: korvanu-icon OUTDIR NAME\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
    const QString folder = QStringLiteral("hicolor/%1x%1/apps").arg(size);
    const QString file = out.filePath(folder + "/" + QString::fromLocal8Bit(argv[2]) + ".png");
    if (!QDir().mkpath(out.filePath(folder)) || !korvanu::renderIcon(size).save(file)) {
      std::fprintf(stderr, "korvanu-icon: cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
