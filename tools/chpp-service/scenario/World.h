#pragma once
// The substitute service's world: one deterministic scenario (fixed seed) of users, teams, leagues,
// fixtures, players and matches, and the answers to every file request over it. The HTTP side
// (sessions, faults, logging, the clock) lives in the server; this class only knows the game.
#include <QByteArray>
#include <QDateTime>
#include <QMap>
#include <QString>
#include <optional>

struct WorldAnswer {
    int status = 200; // HTTP status of the answer
    QByteArray body;  // the document
    QByteArray contentType = "text/xml";
};

// How live answers give their events; the service's fault switches set it for single answers, as the
// game may answer so too.
struct LiveAnswerMode {
    bool repeat = false;   // every event so far, also those the user has been sent already
    bool disorder = false; // the events of each match out of their order
};

class World {
public:
    World();
    ~World();

    // The user ID for a user name and security code of the user list, or nothing.
    std::optional<int> Login(const QString& userName, const QString& securityCode) const;

    // The clock's start when none is given: a few match minutes before the user "demo"'s league round.
    QDateTime DefaultStart() const;

    // Answers a file request (file kind + its parameters, all as sent) of a logged-in user at the
    // service clock's `now`. Live requests (addMatch, viewNew, deleteMatch) change that user's live list:
    // addMatch answers every event so far of the listed matches, viewNew only the events that user has
    // not been sent yet, deleteMatch no events.
    WorldAnswer Answer(int userId, const QString& file, const QMap<QString, QString>& params,
                       const QDateTime& now, LiveAnswerMode liveMode = {});

    // The service's error document (the answer to a request without a valid session, a bad file kind...).
    QByteArray ErrorDocument(int errorCode, const QString& error) const;

    // A kit picture under /DesignedMatchKits/ (name: the path after that folder); empty when unknown.
    QByteArray KitPicture(const QString& name) const;

    // The service's own address ("http://127.0.0.1:<port>"): team details then carry a logo address
    // under /Logos/ on it. Without one the logo address is empty.
    void SetBaseAddress(const QString& baseAddress);
    // The logo under /Logos/ (name: "<teamID>.png") of a senior team; empty when unknown.
    QByteArray LogoPicture(const QString& name) const;

private:
    struct Impl;
    Impl* d;
};
