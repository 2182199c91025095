// CompChem Guide: start-up. The entry tables are filled when their unit is initialised,
// before this runs. --help and --version answer on the terminal without opening a window;
// --entry N opens with article N shown.
#include <QAccessible>
#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "guide/main_u.h"
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtGraphicInterface.h"
#include "richtext/view/RichPaneAccessible.h"

namespace {

constexpr const char* Usage =
    "Usage: compchem-guide [--entry N]\n"
    "\n"
    "Leads you through the choices of a computational chemistry job (type of computation,\n"
    "properties, system, charge and spin, formula, structural features, method, basis set,\n"
    "package) and shows an advice article for each choice.\n"
    "\n"
    "Options:\n"
    "  --entry N    start with article N shown (for example 120, molecular geometries)\n"
    "  --help       show this text\n"
    "  --version    show the version\n"
    "\n"
    "Qt's own options (such as -platform) are accepted too.\n";

struct TOptions {
  bool Help = false;
  bool Version = false;
  std::optional<int> Entry;
  std::string Error;
};

std::optional<int> EntryNumber(const char* Text) {
  char* End = nullptr;
  const long Value = std::strtol(Text, &End, 10);
  if (End == Text || *End != '\0' || Value < 1 || Value > 999999)
    return std::nullopt;
  return static_cast<int>(Value);
}

// Our options; anything else is left to Qt.
TOptions ReadOptions(int argc, char** argv) {
  TOptions Options;
  for (int i = 1; i < argc; ++i) {
    const std::string Arg = argv[i];
    if (Arg == "--help" || Arg == "-h") {
      Options.Help = true;
    } else if (Arg == "--version") {
      Options.Version = true;
    } else if (Arg == "--entry" || Arg.starts_with("--entry=")) {
      const char* Value = Arg == "--entry" ? (i + 1 < argc ? argv[++i] : "") : argv[i] + 8;
      Options.Entry = EntryNumber(Value);
      if (!Options.Entry)
        Options.Error = std::string("--entry needs an article number, not '") + Value + "'";
    }
  }
  return Options;
}

} // namespace

int main(int argc, char** argv) {
  const TOptions Options = ReadOptions(argc, argv);
  if (!Options.Error.empty()) {
    std::fprintf(stderr, "compchem-guide: %s\n\n%s", Options.Error.c_str(), Usage);
    return 2;
  }
  if (Options.Help) {
    std::fputs(Usage, stdout);
    return 0;
  }
  if (Options.Version) {
    std::printf("compchem-guide %s\n", COMPCHEM_VERSION);
    return 0;
  }
  QApplication Application(argc, argv);
  QAccessible::installFactory(TRichPaneAccessible::Factory);
  QApplication::setOrganizationName(QStringLiteral("compchem-guide"));
  QApplication::setApplicationName(QStringLiteral("compchem-guide"));
  QApplication::setApplicationVersion(QStringLiteral(COMPCHEM_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("org.compchemguide.Guide"));
  QIcon Icon;
  for (const int Size : {48, 256})
    Icon.addFile(QStringLiteral(":/icons/compchem-guide-%1.png").arg(Size));
  QApplication::setWindowIcon(Icon);
  RegisterPlatformFonts();
  RP_UseQtGraphicInterface();
  TForm2 Form2;
  Form2.show();
  if (Options.Entry)
    Form2.ShowEntry(*Options.Entry);
  return Application.exec();
}
