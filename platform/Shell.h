#pragma once
// Opening addresses and programs with the desktop. Core code cannot reach the desktop services of
// Qt Gui, so the window layer may install its own opener; tests install recording ones so that no
// real browser ever starts.
#include <QString>
#include <QStringList>
#include <functional>

namespace Shell {
using Opener = std::function<bool(const QString& address)>;
using Launcher = std::function<bool(const QString& program, const QStringList& arguments)>;
using BrowserCommandSource = std::function<QString()>;

// True for the addresses the program may hand to the desktop: http://, https:// and mailto:.
bool IsOpenableAddress(const QString& address);
bool IsWebAddress(const QString& address); // http:// or https:// only

// The address with the characters that web pages write unencoded but an address may not hold (a
// blank, "|", "{" and "}") percent-encoded.
QString EncodeAddress(const QString& address);
// Opens an http(s) or mailto: address (EncodeAddress applied) with the desktop's handler; anything
// else is refused (false).
bool OpenAddress(const QString& address);
// Starts a program detached with the arguments; false when it cannot be started.
bool StartProgram(const QString& program, const QStringList& arguments);
// The command line (Exec line) of the desktop's default web browser; empty when it is not known.
// Reads files only, so it is cheap enough for a click.
QString DefaultBrowserCommand();

// An empty function restores the default (xdg-open, a detached process, the default browser of the
// desktop's mimeapps.list files).
void SetOpener(Opener opener);
void SetLauncher(Launcher launcher);
void SetBrowserCommandSource(BrowserCommandSource source);
} // namespace Shell
