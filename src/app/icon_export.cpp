// Writes the program's icon as PNG files of the sizes a desktop theme wants, for the
// installed files: icon_export FOLDER writes FOLDER/<size>.png.
#include <QApplication>
#include <QDir>
#include <QPixmap>

#include "shell/app_icon.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) return 2;
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(".")) return 1;
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    const QPixmap pixmap = i40::app::AppIcon().pixmap(size, size);
    if (!pixmap.scaled(size, size).save(folder.filePath(QString::number(size) + ".png"))) return 1;
  }
  return 0;
}
