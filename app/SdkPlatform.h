#pragma once

// What the program asks of the desktop around it: starting programs and opening web addresses,
// the command that opens a file type, the folders that may hold the installation data, and the
// registration of the game-file type. Starting and opening go through replaceable functions, so
// that tests see the command built and nothing is ever launched from them.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace SdkPlatform {

// Starts a program detached; false when it cannot be started.
using Starter = std::function<bool(const QString &program, const QStringList &arguments)>;
// Opens a web address in the browser; false when that fails.
using UrlOpener = std::function<bool(const QString &address)>;

// Install a replacement (an empty one puts the real one back); the previous one is returned.
Starter SetStarter(Starter starter);
UrlOpener SetUrlOpener(UrlOpener opener);

bool Start(const QString &program, const QStringList &arguments);
// A whole command line: a program and its arguments, each possibly in double quotes.
bool StartCommand(const QString &command);
bool OpenUrl(const QString &address);

// The command that opens files with this extension (without the dot), "%1" standing for the
// file; empty when none is known. Linux: the desktop's opener, xdg-open "%1".
QString AssociatedCommand(const QString &extension);
// Tests give their own command; nullopt puts the platform's back.
void SetAssociatedCommand(std::optional<QString> command);
// The program that shows a text file (the version history).
QString TextViewer();

// The folders that may hold the installation data, best first: beside the program (build
// tree), then share/ninefold-sudoku under the install prefix. Tests give their own list.
QStringList InstallDirCandidates();
void SetInstallDirCandidates(std::optional<QStringList> candidates);
// True when folder holds "PreDefs", "ExampleGames" and "doku".
bool HoldsInstallation(const QString &folder);
// The first candidate that holds the installation, or empty.
QString FindInstallDir();

// Makes the desktop open files with extension (".sdk") in program: on Linux a MIME type and a
// desktop entry in the user's data folder. Writes only what differs, so a second call changes
// nothing; true when both are in place afterwards.
bool RegisterFileType(const QString &program, const QString &typeName, const QString &extension);
// The MIME type of the game files.
inline constexpr char GameMimeType[] = "application/x-ninefold-sudoku";

// The product homepage by language (0 German, 1 English) and the maker's address of the About
// box, set when the program is built. Until the project has a site of its own they are left empty,
// and both name the manual's start page in installDir in that language as a local file address.
QString Homepage(int language, const QString &installDir);
QString MakerWeb(int language, const QString &installDir);

} // namespace SdkPlatform
