# Every unit of the program reads the same few thousand lines of the standard library and Qt
# before its own; parsing them once per target instead of once per unit roughly halves a cold
# build. The lists hold only headers most units include anyway; a unit that forgets one of
# them compiles here all the same, and only a build without them (SORV_PCH=OFF) tells.
option(SORV_PCH "Precompile the common standard and Qt headers" ON)

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
