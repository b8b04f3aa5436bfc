#pragma once

// Which language the windows and messages speak. The source texts are German; English comes
// from the translation built from zelmar_en.ts. Files the program writes never depend on it.

#include <QString>
#include <QStringList>

#include <optional>

class QCoreApplication;

namespace zelmar::sprache {

enum class Sprache { Deutsch, Englisch };

// "de" or "en" as --language takes them; nullopt for anything else.
std::optional<Sprache> ausName(const QString& name);

// The messages locale as the C library takes it from LC_ALL, LC_MESSAGES and LANG: true when
// that is C or POSIX (or nothing is set).
bool cOderPosix(const QString& lcAll, const QString& lcMessages, const QString& lang);
bool cOderPosix();

// The first of the desktop's UI languages (most preferred first) that is German or English
// decides; German when neither is among them.
Sprache ausUiSprachen(const QStringList& uiSprachen);

// The desktop's choice for this process; `unterC` under the C/POSIX locale.
Sprache desktop(Sprache unterC);

// --language X or --language=X taken out of the arguments. `fehler` is set for a missing or
// unknown value; `sprache` stays empty when the option is not given.
struct Wahl {
    std::optional<Sprache> sprache;
    QString fehler;
};
Wahl ausArgumenten(QStringList& argumente);

// Installs the translation for `s` into the application (nothing for German, the source
// language). False when the English translation cannot be loaded.
bool installieren(Sprache s);

// The same for zelmar-cli, whose own messages are English: German loads their German
// translation, English that of the files and the link it shares with the windows.
bool installierenCli(Sprache s);

} // namespace zelmar::sprache
