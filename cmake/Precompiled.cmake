# Every unit of the program reads the same few thousand lines of the standard library and Qt
# before its own; parsing them once per target instead of once per unit roughly halves a cold
# build. Only the unoptimised builds (the sanitizer build of `make test`) take them: at -O2,
# g++ 12 loses the standard headers' system-header standing when they come precompiled and
# reports its own inlined string copies as out of bounds. The optimised build of `make build`,
# without them, is also the one that tells a unit that forgot to include one of them.
if(CMAKE_BUILD_TYPE STREQUAL "Debug")
  set(SORV_PCH_DEFAULT ON)
else()
  set(SORV_PCH_DEFAULT OFF)
endif()
option(SORV_PCH "Precompile the common standard and Qt headers" ${SORV_PCH_DEFAULT})

set(SORV_PCH_CORE
  <algorithm> <functional> <map> <memory> <optional> <set> <utility> <vector>
  <QByteArray> <QDateTime> <QDir> <QFile> <QFileInfo> <QHash> <QList> <QObject> <QString> <QStringList>)
set(SORV_PCH_UI
  <QAction> <QApplication> <QColor> <QFont> <QHBoxLayout> <QImage> <QKeyEvent> <QLabel> <QLineEdit>
  <QMouseEvent> <QPainter> <QPointer> <QPushButton> <QVBoxLayout> <QWidget>)

# sorv_precompile(target core|ui|core-tests|ui-tests)
function(sorv_precompile target kind)
  if(NOT SORV_PCH)
    return()
  endif()
  set(headers ${SORV_PCH_CORE})
  if(kind MATCHES "^ui")
    list(APPEND headers ${SORV_PCH_UI})
  endif()
  if(kind MATCHES "tests$")
    list(APPEND headers <gtest/gtest.h>)
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()
