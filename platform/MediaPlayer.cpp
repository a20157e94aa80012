#include "platform/MediaPlayer.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QThread>
#include <QUrl>

namespace {

// How long a started sound may take to show that it plays.
constexpr int kStartUpMs = 1000;

MediaPlayerRecorder*& currentRecorder() {
    static MediaPlayerRecorder* recorder = nullptr;
    return recorder;
}

} // namespace

MediaPlayer::MediaPlayer() = default;

MediaPlayer::~MediaPlayer() {
    if (player_)
        player_->stop();
}

bool MediaPlayer::ensureBackend() {
    if (!player_) {
        // Created on first use, so that a window that never sounds needs no media back end.
        output_ = std::make_unique<QAudioOutput>();
        player_ = std::make_unique<QMediaPlayer>();
        player_->setAudioOutput(output_.get());
    }
    return player_->isAvailable();
}

bool MediaPlayer::Open(const QString& FileName) {
    Close();
    if (!QFileInfo(FileName).isFile())
        return false;
    fileName_ = FileName;
    if (MediaPlayerRecorder* recorder = MediaPlayerRecorder::Current()) {
        recorder->record(MediaPlayerRecorder::Call::What::Open, fileName_);
        return true;
    }
    if (!ensureBackend()) {
        fileName_.clear();
        return false;
    }
    player_->setSource(QUrl::fromLocalFile(QFileInfo(FileName).absoluteFilePath()));
    return true;
}

bool MediaPlayer::HasAudioOutput() {
    if (MediaPlayerRecorder* recorder = MediaPlayerRecorder::Current())
        return recorder->AudioOutput;
    return !QMediaDevices::audioOutputs().isEmpty();
}

bool MediaPlayer::Play() {
    if (fileName_.isEmpty())
        return false;
    if (MediaPlayerRecorder* recorder = MediaPlayerRecorder::Current()) {
        recorder->record(MediaPlayerRecorder::Call::What::Play, fileName_);
        return recorder->AudioOutput && !recorder->Unplayable.contains(fileName_);
    }
    if (!player_)
        return false;
    player_->play();
    if (!HasAudioOutput())
        return false;
    // The player reports a file it cannot play shortly after the start. Until then only the player's
    // own events are processed (no input, no painting of half-made views).
    QElapsedTimer started;
    started.start();
    for (;;) {
        const QMediaPlayer::MediaStatus status = player_->mediaStatus();
        if (player_->error() != QMediaPlayer::NoError || status == QMediaPlayer::InvalidMedia)
            return false;
        if (status == QMediaPlayer::BufferedMedia || status == QMediaPlayer::EndOfMedia ||
            player_->position() > 0)
            return true;
        if (player_->playbackState() == QMediaPlayer::StoppedState || started.elapsed() >= kStartUpMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        QThread::msleep(5);
    }
}

void MediaPlayer::Close() {
    if (fileName_.isEmpty())
        return;
    if (MediaPlayerRecorder* recorder = MediaPlayerRecorder::Current())
        recorder->record(MediaPlayerRecorder::Call::What::Close, fileName_);
    else if (player_) {
        player_->stop();
        player_->setSource(QUrl());
    }
    fileName_.clear();
}

bool MediaPlayer::Playing() const {
    return player_ && !fileName_.isEmpty() && player_->playbackState() == QMediaPlayer::PlayingState;
}

bool MediaPlayer::Finished() const {
    return player_ && !fileName_.isEmpty() && player_->mediaStatus() == QMediaPlayer::EndOfMedia;
}

QString MediaPlayer::ErrorText() const {
    if (!player_ || player_->error() == QMediaPlayer::NoError)
        return QString();
    return player_->errorString().isEmpty() ? QStringLiteral("Media error") : player_->errorString();
}

MediaPlayerRecorder::MediaPlayerRecorder() {
    currentRecorder() = this;
}

MediaPlayerRecorder::~MediaPlayerRecorder() {
    if (currentRecorder() == this)
        currentRecorder() = nullptr;
}

MediaPlayerRecorder* MediaPlayerRecorder::Current() {
    return currentRecorder();
}

QStringList MediaPlayerRecorder::Played() const {
    QStringList files;
    for (const Call& call : Calls)
        if (call.what == Call::What::Play)
            files << call.fileName;
    return files;
}

void MediaPlayerRecorder::record(Call::What what, const QString& fileName) {
    Calls.append({what, fileName});
    if (what == Call::What::Open)
        open_ = true;
    else if (what == Call::What::Close)
        open_ = false;
}
