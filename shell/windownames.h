#pragma once

#include <QString>

// The program's windows by their names: the registry's keys, and each window's objectName.
namespace zelmar::fenster {

inline const QString HAUPT = QStringLiteral("HAUPT");
inline const QString KONFIGURATION = QStringLiteral("KONFIGURATION");
inline const QString HILFE = QStringLiteral("HILFE");
inline const QString START = QStringLiteral("START");
inline const QString SLAVE_INFO = QStringLiteral("SLAVE_INFO");
inline const QString WOHNUNG = QStringLiteral("WOHNUNG");
inline const QString HAUS_HEIZHAUS = QStringLiteral("HAUS_HEIZHAUS");
inline const QString VERLAUF = QStringLiteral("VERLAUF");
inline const QString HAND_BETRIEB = QStringLiteral("HAND_BETRIEB");
inline const QString REGISTER = QStringLiteral("REGISTER");
inline const QString SRAM = QStringLiteral("SRAM");
inline const QString EEPROM_EXTERN_65K = QStringLiteral("EEPROM_EXTERN_65K");

} // namespace zelmar::fenster
