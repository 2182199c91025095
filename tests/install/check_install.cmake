# Installs the build into a fresh prefix and checks the installed tree: the program (which
# answers --version), every article, the launcher, the icons, the AppStream description,
# the manual page and the package documents; nothing else.
# Variables: BUILD_DIR, PREFIX, SOURCE_DIR.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "install failed: ${result}")
endif()

file(GLOB articles RELATIVE ${SOURCE_DIR}/entries ${SOURCE_DIR}/entries/*.rtf)
set(expected
  bin/compchem-guide
  share/applications/org.compchemguide.Guide.desktop
  share/metainfo/org.compchemguide.Guide.metainfo.xml
  share/icons/hicolor/scalable/apps/compchem-guide.svg
  share/man/man1/compchem-guide.1.gz
  share/doc/compchem-guide/copyright
  share/doc/compchem-guide/changelog.gz)
foreach(size 16 32 48 64 128 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/compchem-guide.png)
endforeach()
foreach(article IN LISTS articles)
  list(APPEND expected share/compchem-guide/entries/${article})
endforeach()
list(SORT expected)

file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)
list(SORT installed)
if(NOT installed STREQUAL expected)
  list(JOIN installed "\n  " got)
  list(JOIN expected "\n  " want)
  message(FATAL_ERROR "installed:\n  ${got}\nexpected:\n  ${want}")
endif()
list(LENGTH articles count)
if(count LESS 20)
  message(FATAL_ERROR "only ${count} articles")
endif()

execute_process(COMMAND ${PREFIX}/bin/compchem-guide --version
  OUTPUT_VARIABLE version RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT version MATCHES "^compchem-guide [0-9]+[.][0-9]+")
  message(FATAL_ERROR "--version answered '${version}' (${result})")
endif()
message(STATUS "installed ${count} articles and ${version}")
