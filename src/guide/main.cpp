// CompChem Guide: start-up. The entry tables are filled when their unit is initialised,
// before this runs.
#include <QApplication>

#include "guide/main_u.h"
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtGraphicInterface.h"

int main(int argc, char** argv) {
  QApplication Application(argc, argv);
  RegisterPlatformFonts();
  RP_UseQtGraphicInterface();
  TForm2 Form2;
  Form2.show();
  return Application.exec();
}
