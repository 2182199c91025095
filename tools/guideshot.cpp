// guideshot: renders the guide window to a PNG without a display.
//
//   guideshot OUT.png [STAGE [NODE]]
//
// The window is created exactly as at start-up, with the articles beside this
// executable. STAGE (0, 2, ..., 18) moves that far with "Next stage" first, so that
// each page can be looked at; NODE then clicks that node (an absolute index) of the
// page's tree on the first three pages, so that the pane shows its article. Prints the
// PNG's absolute path.
#include <QApplication>
#include <QFileInfo>
#include <QPixmap>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>

#include "guide/GuideControls.h"
#include "guide/main_u.h"
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtGraphicInterface.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, "usage: guideshot OUT.png [STAGE [NODE]]\n");
    return 2;
  }
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication Application(argc, argv);
  RegisterPlatformFonts();
  RP_UseQtGraphicInterface();
  TForm2 Form2;
  const int Stage = argc >= 3 ? std::atoi(argv[2]) : 0;
  while (Form2.CurStage() < Stage && Form2.CurStage() < LastStage)
    Form2.NextStageButtonClick(Form2.NextStageButton);
  Form2.show();
  if (argc == 4) {
    const int Node = std::atoi(argv[3]);
    const auto Click = [Node](TGuideTreeView* Tree, auto&& Handler) {
      Tree->Select(Tree->NodeAt(Node));
      Handler(Tree);
    };
    switch (Form2.CurStage()) {
    case 0: Click(Form2.CompTypeTree, [&](auto* T) { Form2.CompTypeTreeClick(T); }); break;
    case 2: Click(Form2.JobsTreeView, [&](auto* T) { Form2.JobsTreeViewClick(T); }); break;
    case 4:
      Click(Form2.SystemTypeTreeView, [&](auto* T) { Form2.SystemTypeTreeViewClick(T); });
      break;
    default: break;
    }
  }
  QApplication::processEvents();
  const QString Out = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
  if (!Form2.grab().save(Out, "PNG")) {
    std::fprintf(stderr, "guideshot: cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("%s\n", Out.toLocal8Bit().constData());
  return 0;
}
