// guideshot: renders the guide window to a PNG without a display.
//
//   guideshot OUT.png [--size WxH] [STAGE [NODE]]
//
// The window is created exactly as at start-up, with the articles beside this
// executable, at its start-up size on a screen with room for it, or at W x H pixels (at
// least the window's smallest size, said on stderr when larger). STAGE (0, 2, ..., 18) moves that
// far with "Next stage" first, so that each page can be looked at; NODE then clicks that node (an
// absolute index) of the page's tree (computation type, properties, system, method, package) or
// that row of the basis-set list, so that the pane shows its article.
// Prints the PNG's absolute path.
#include <QApplication>
#include <QFileInfo>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <cstdio>
#include <cstdlib>

#include "guide/GuideControls.h"
#include "guide/main_u.h"
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtGraphicInterface.h"

namespace {
int Usage() {
  std::fprintf(stderr, "usage: guideshot OUT.png [--size WxH] [STAGE [NODE]]\n");
  return 2;
}
} // namespace

int main(int argc, char** argv) {
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication Application(argc, argv);
  QStringList Args = QApplication::arguments().mid(1);
  QSize Size;
  if (const qsizetype At = Args.indexOf(QStringLiteral("--size")); At >= 0) {
    const QRegularExpressionMatch Match =
        QRegularExpression(QStringLiteral("^(\\d{2,5})x(\\d{2,5})$")).match(Args.value(At + 1));
    if (!Match.hasMatch())
      return Usage();
    Size = QSize(Match.captured(1).toInt(), Match.captured(2).toInt());
    Args.remove(At, 2);
  }
  if (Args.isEmpty() || Args.size() > 3)
    return Usage();
  RegisterPlatformFonts();
  RP_UseQtGraphicInterface();
  TForm2 Form2;
  Form2.resize(Size.isValid() ? Size : TForm2::StartSize);
  const int Stage = Args.size() >= 2 ? Args[1].toInt() : 0;
  while (Form2.CurStage() < Stage && Form2.CurStage() < LastStage)
    Form2.NextStageButtonClick(Form2.NextStageButton);
  Form2.show();
  if (Args.size() == 3) {
    const int Node = Args[2].toInt();
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
    case 12: Click(Form2.TreeView3, [&](auto* T) { Form2.TreeView3Click(T); }); break;
    case 14:
      Form2.BasisSetList->setCurrentRow(Node);
      Form2.BasisSetListClick(Form2.BasisSetList);
      break;
    case 16: Click(Form2.TreeView5, [&](auto* T) { Form2.TreeView5Click(T); }); break;
    default: break;
    }
  }
  QApplication::processEvents();
  if (Form2.size() != Size && Size.isValid())
    std::fprintf(stderr, "guideshot: the window is at least %dx%d; rendered at %dx%d\n",
                 Form2.minimumSizeHint().width(), Form2.minimumSizeHint().height(), Form2.width(),
                 Form2.height());
  const QString Out = QFileInfo(Args[0]).absoluteFilePath();
  if (!Form2.grab().save(Out, "PNG")) {
    std::fprintf(stderr, "guideshot: cannot write %s\n", Out.toLocal8Bit().constData());
    return 1;
  }
  std::printf("%s\n", Out.toLocal8Bit().constData());
  return 0;
}
