#pragma once
// What a window test includes: the program's windows and tables, the test program with its service,
// the steps window tests share, the controls they drive, and GoogleTest.
#include "core/DataStore.h"
#include "core/Settings.h"
#include "core/UConectar.h"
#include "platform/MediaPlayer.h"
#include "platform/widgets/Dialogs.h"
#include "platform/widgets/RadioGroup.h"
#include "platform/widgets/RichEdit.h"
#include "platform/widgets/StringGridView.h"
#include "platform/widgets/WebBrowser.h"
#include "shell/UOptions.h"
#include "support/gui/TestProgram.h"
#include "support/gui/WindowTestHelpers.h"
#include "viewer/UPartidos.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>
