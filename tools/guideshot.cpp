// guideshot: renders the guide window to a PNG without a display.
//
//   guideshot OUT.png [STAGE]
//
// The window is created exactly as at start-up, with the articles beside this
// executable. STAGE (0, 2, ..., 18) moves that far with "Next stage" first, so that
// each page can be looked at. Prints the PNG's absolute path.
#include <QApplication>
#include <QFileInfo>
#include <QPixmap>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>

#include "guide/main_u.h"
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtGraphicInterface.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: guideshot OUT.png [STAGE]\n");
    return 2;
  }
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication Application(argc, argv);
  RegisterPlatformFonts();
  RP_UseQtGraphicInterface();
  TForm2 Form2;
  const int Stage = argc == 3 ? std::atoi(argv[2]) : 0;
  while (Form2.CurStage() < Stage && Form2.CurStage() < LastStage)
    Form2.NextStageButtonClick(Form2.NextStageButton);
  Form2.show();
  QApplication::processEvents();
  const QString Out = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
  if (!Form2.grab().save(Out, "PNG")) {
    std::fprintf(stderr, "guideshot: cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("%s\n", Out.toLocal8Bit().constData());
  return 0;
}
