#pragma once

#include <QString>

// Where the settings files, PORTS.ini and DATEN/ live. A copy of the program in a directory the
// user may write (the build folder, a portable copy) keeps them beside itself; an installed
// program, whose directory belongs to the system, keeps them in the user's data directory.
// The window program and the command-line program share the rule and so the files.
namespace zelmar::datalocation {

// The user's data directory for ZELMAR: $XDG_DATA_HOME/zelmar, normally ~/.local/share/zelmar.
// Named after the product, not the executable, so every ZELMAR program finds the same files.
// Empty when the platform names no data location.
QString userDataDir();

// True when the program's files may live beside it: the directory exists, the user may write
// to it and its permission bits allow writing (so a read-only copy stays read-only for root
// too), and it is no system directory (below /usr), where root could write but must not.
bool isPortable(const QString& programDir);

// The directory for PROGRAMM_PFAD, without its trailing slash: programDir when it is portable,
// else userDir (programDir when userDir is empty). Creates nothing.
QString programmPfad(const QString& programDir, const QString& userDir);

// programmPfad with the user's data directory.
QString programmPfad(const QString& programDir);

} // namespace zelmar::datalocation
