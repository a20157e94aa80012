#pragma once
// The program's windows for a window or end-to-end test: a temporary program folder with the shipped
// resources, the settings and language objects, and the global windows and data module created in the
// program's order (options, matches, data module). Modal boxes and sleeps are recorded, never shown
// or waited for. Optionally a substitute service on 127.0.0.1 that the settings point at.
#include "platform/MediaPlayer.h"
#include "platform/widgets/Dialogs.h"
#include "support/ServiceProcess.h"
#include "support/TestProgramFolder.h"

#include <memory>

class TestProgram {
public:
    struct Options {
        bool withService = false;
        double speed = 1.0; // the service's match minutes per real minute
        QString start;      // the service's --start; empty: its default (just before the round)
        QStringList serviceArgs;
        bool withMainWindow = false; // every window of the program, created as the program starts
    };
    TestProgram();
    explicit TestProgram(const Options& options);
    ~TestProgram();
    TestProgram(const TestProgram&) = delete;
    TestProgram& operator=(const TestProgram&) = delete;

    TestProgramFolder Folder;
    std::unique_ptr<ServiceProcess> Service; // null without a service
    Dialogs::Recorder Boxes;                 // every box and sleep while the program lives
    MediaPlayerRecorder Sounds;              // every sound the program plays, none really played
};
