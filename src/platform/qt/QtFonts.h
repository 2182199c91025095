// Fonts the program needs that a Linux desktop does not have under their usual names.
#pragma once

#include <QString>

// Registers Tahoma and Symbol from the directory given (where the wine fonts package
// puts them) with the application's font database. Returns how many files were added;
// missing files are skipped, and the platform's substitutes are used instead.
int RegisterPlatformFonts(const QString& Dir = QStringLiteral("/usr/share/wine/fonts"));
