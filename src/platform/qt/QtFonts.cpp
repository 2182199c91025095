#include "platform/qt/QtFonts.h"

#include <QDir>
#include <QFontDatabase>

int RegisterPlatformFonts(const QString& Dir) {
  int Added = 0;
  for (const char* File : {"tahoma.ttf", "tahomabd.ttf", "symbol.ttf"}) {
    const QString Path = QDir(Dir).filePath(QLatin1String(File));
    if (QFile::exists(Path) && QFontDatabase::addApplicationFont(Path) >= 0)
      ++Added;
  }
  return Added;
}
