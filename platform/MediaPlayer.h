#pragma once
// The media player the options window plays its event sounds through: open a .wav or .mp3 file by
// name, start it, close it. Close stops a sound that is still playing, so the caller decides how long
// a sound may last.
//
// Tests install a MediaPlayerRecorder: while it lives every player only records what it was asked to
// do, and nothing is played.
#include <QString>
#include <QVector>
#include <memory>

class QMediaPlayer;
class QAudioOutput;

class MediaPlayer {
public:
    MediaPlayer();
    ~MediaPlayer();
    MediaPlayer(const MediaPlayer&) = delete;
    MediaPlayer& operator=(const MediaPlayer&) = delete;

    // Opens the player on FileName (any sound already open is closed first). False when the player
    // cannot be created or the file does not exist.
    bool Open(const QString& FileName);
    // Starts the open sound; it plays on while the window thread goes on processing messages. True
    // when it can be heard: false at once when the machine has no audio output, and false when the
    // player fails on the file (found out within a short start-up wait), so that nobody waits for a
    // sound that does not play.
    bool Play();
    // Whether the machine has an audio output to play through.
    static bool HasAudioOutput();
    // Stops the sound and releases the file.
    void Close();

    const QString& FileName() const { return fileName_; }
    // True from Play until the sound reached its end, failed or was closed.
    bool Playing() const;
    // True once the open sound played to its end.
    bool Finished() const;
    // The player's last error text; empty while there is none.
    QString ErrorText() const;

private:
    bool ensureBackend();

    QString fileName_;
    std::unique_ptr<QAudioOutput> output_;
    std::unique_ptr<QMediaPlayer> player_;
};

// Records every player's calls while it lives (one recorder at a time).
class MediaPlayerRecorder {
public:
    struct Call {
        enum class What { Open, Play, Close } what;
        QString fileName; // the file open at the call
    };

    MediaPlayerRecorder();
    ~MediaPlayerRecorder();
    MediaPlayerRecorder(const MediaPlayerRecorder&) = delete;
    MediaPlayerRecorder& operator=(const MediaPlayerRecorder&) = delete;

    QVector<Call> Calls;
    // The machine the recorded players pretend to run on: an audio output, and the files they cannot
    // play. Play answers from these.
    bool AudioOutput = true;
    QStringList Unplayable;
    // The files started with Play, in order.
    QStringList Played() const;
    // Whether a file is open (opened and not closed yet).
    bool IsOpen() const { return open_; }

    // The recorder installed now, or null.
    static MediaPlayerRecorder* Current();

private:
    friend class MediaPlayer;
    void record(Call::What what, const QString& fileName);
    bool open_ = false;
};
