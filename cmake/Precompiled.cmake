# Precompiled headers: nearly every file of a layer includes the same Qt, GoogleTest and
# standard headers, and parsing them again for each file was most of a fresh build's time.
# QUARVEL_PCH=OFF builds without them, e.g. to find a file that misses one of its includes.
option(QUARVEL_PCH "Precompile the common Qt, GoogleTest and standard headers" ON)

set(QUARVEL_PCH_CORE
  <QByteArray> <QDir> <QFile> <QFileInfo> <QHash> <QIODevice> <QList> <QObject>
  <QRegularExpression> <QString> <QStringList>
  <algorithm> <array> <cmath> <cstdint> <functional> <limits> <memory> <optional> <string>
  <utility> <vector>)
set(QUARVEL_PCH_WIDGETS
  <QAction> <QApplication> <QCheckBox> <QComboBox> <QEvent> <QFormLayout> <QGridLayout>
  <QGroupBox> <QGuiApplication> <QHBoxLayout> <QKeyEvent> <QLabel> <QLineEdit> <QMainWindow>
  <QMenu> <QMenuBar> <QMessageBox> <QPainter> <QPlainTextEdit> <QPushButton> <QScreen>
  <QTextEdit> <QTimer> <QToolButton> <QTreeWidget> <QVBoxLayout> <QWidget>)
set(QUARVEL_PCH_TEST <gtest/gtest.h> <QTemporaryDir> <QTest>)

# quarvel_precompile(target [WIDGETS] [TEST]): QtCore and the standard library always, the
# widgets and the test frameworks when the target's files use them.
function(quarvel_precompile target)
  if(NOT QUARVEL_PCH)
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 1 arg "WIDGETS;TEST" "" "")
  set(headers ${QUARVEL_PCH_CORE})
  if(arg_WIDGETS)
    list(APPEND headers ${QUARVEL_PCH_WIDGETS})
  endif()
  if(arg_TEST)
    list(APPEND headers ${QUARVEL_PCH_TEST})
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
  # Clang stamps the time into a precompiled header, and ccache caches no file compiled with a
  # stamped one.
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    target_compile_options(${target} PRIVATE "SHELL:-Xclang -fno-pch-timestamp")
  endif()
endfunction()
