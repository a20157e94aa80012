#pragma once
// The program's windows for a test: a temporary program folder with the shipped resources, the settings
// and language, the windows and data module created in the program's order; boxes, sleeps and sounds
// recorded, never shown or waited for; optionally a substitute service that the settings point at.
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
    // With the service, its clock stopped at `start` (its default: just before the round).
    static Options Served(const QString& start = {}, bool withMainWindow = false);
    ~TestProgram();
    TestProgram(const TestProgram&) = delete;
    TestProgram& operator=(const TestProgram&) = delete;

    TestProgramFolder Folder;
    std::unique_ptr<ServiceProcess> Service; // null without a service
    Dialogs::Recorder Boxes;                 // every box and sleep while the program lives
    MediaPlayerRecorder Sounds;              // every sound the program plays, none really played
};
