# Precompiled headers for the targets whose sources spend most of their compile time in the
# same large headers: Qt's widgets (about two thirds of a window source's time) and
# GoogleTest. A build from nothing, as on a fresh machine, takes minutes less with them. A
# compiler cache gains more from whole-file hits and cannot reuse GCC's precompiled headers
# without extra settings, so they are off by default where a compiler launcher is set.
if(CMAKE_CXX_COMPILER_LAUNCHER)
  set(brevane_pch_default OFF)
else()
  set(brevane_pch_default ON)
endif()
option(BREVANE_PCH "Precompiled headers for the windows and the unit tests" ${brevane_pch_default})

# The headers most window sources include; the window tests add their own to these.
set(BREVANE_UI_PCH_HEADERS
  <QApplication> <QWidget> <QDialog> <QLabel> <QPushButton> <QLineEdit> <QComboBox> <QCheckBox>
  <QListWidget> <QTableWidget> <QHeaderView> <QMenu> <QVBoxLayout> <QHBoxLayout> <QPainter>
  <QTimer> <QScreen> <QDir> <QFileInfo> <QString>
  <algorithm> <functional> <memory> <string> <vector>)
set(BREVANE_TEST_PCH_HEADERS <gtest/gtest.h> <filesystem> <map> <string> <vector>)

function(brevane_precompile_headers target)
  if(BREVANE_PCH)
    target_precompile_headers(${target} PRIVATE ${ARGN})
  endif()
endfunction()
