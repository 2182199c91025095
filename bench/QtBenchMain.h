// The main of the benchmarks that measure with Qt fonts: the application object (off the
// screen unless a platform is chosen), the fonts and graphic interface the guide uses, then
// the benchmarks. Prepare, when given, registers benchmarks of its own and returns what they
// use, which is released after they ran and before the application object; nullptr ends
// the run with exit code 1.
#pragma once

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <functional>
#include <memory>

#include "platform/qt/QtFonts.h"
#include "platform/qt/QtGraphicInterface.h"

inline int RunQtBenchmarks(int argc, char** argv,
                           const std::function<std::shared_ptr<void>()>& Prepare = {}) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication Application(argc, argv);
  RegisterPlatformFonts();
  RP_UseQtGraphicInterface();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  std::shared_ptr<void> Used;
  if (Prepare && !(Used = Prepare()))
    return 1;
  benchmark::RunSpecifiedBenchmarks();
  Used.reset();
  benchmark::Shutdown();
  return 0;
}
