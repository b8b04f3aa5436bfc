<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_GB">
<context>
    <name>zelmar::cli</name>
    <message>
        <source>%1 must be a number from %2 to %3, not &apos;%4&apos;</source>
        <translation>%1 muss eine Zahl von %2 bis %3 sein, nicht &apos;%4&apos;</translation>
    </message>
    <message>
        <source>scan: the interface does not answer (no byte to %1 probes in a row, stopped at address %2)</source>
        <translation>scan: das Interface antwortet nicht (kein Byte auf %1 Versuche in Folge, bei Adresse %2 angehalten)</translation>
    </message>
    <message>
        <source>scan: the interface did not answer at %1 of 128 addresses (status %2)</source>
        <translation>scan: das Interface hat bei %1 von 128 Adressen nicht geantwortet (Status %2)</translation>
    </message>
    <message>
        <source>EEPROM at %1, address %2</source>
        <translation>EEPROM an %1, Adresse %2</translation>
    </message>
    <message>
        <source>EEPROM at %1, address %2: the line failed</source>
        <translation>EEPROM an %1, Adresse %2: die Leitung ist ausgefallen</translation>
    </message>
    <message>
        <source>the EEPROM at %1 did not acknowledge (address %2)</source>
        <translation>das EEPROM an %1 hat nicht bestätigt (Adresse %2)</translation>
    </message>
    <message>
        <source>gives no bytes</source>
        <translation>enthält keine Bytes</translation>
    </message>
    <message>
        <source>the EEPROM did not acknowledge its address</source>
        <translation>das EEPROM hat seine Adresse nicht bestätigt</translation>
    </message>
    <message>
        <source>too many failed pages or blocks</source>
        <translation>zu viele fehlgeschlagene Seiten oder Blöcke</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <source>; the line failed: %1 (status %2)</source>
        <translation>; die Leitung ist ausgefallen: %1 (Status %2)</translation>
    </message>
    <message>
        <source>Write %1 bytes from %2 into the EEPROM at %3?</source>
        <translation>%1 Byte aus %2 in das EEPROM an %3 schreiben?</translation>
    </message>
    <message>
        <source>The %1 addresses the file does not give stay as they are. </source>
        <translation>Die %1 Adressen, die die Datei nicht nennt, bleiben, wie sie sind. </translation>
    </message>
    <message>
        <source>left as they were (%1 bytes):</source>
        <translation>unverändert gelassen (%1 Byte):</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 bis %2</translation>
    </message>
    <message>
        <source>... and %1 more ranges</source>
        <translation>... und %1 weitere Bereiche</translation>
    </message>
    <message>
        <source>not written: %1 to %2</source>
        <translation>nicht geschrieben: %1 bis %2</translation>
    </message>
    <message>
        <source>written, not verified</source>
        <translation>geschrieben, nicht geprüft</translation>
    </message>
    <message>
        <source>not verified</source>
        <translation>nicht geprüft</translation>
    </message>
    <message>
        <source>%1: %2 to %3</source>
        <translation>%1: %2 bis %3</translation>
    </message>
    <message>
        <source>%1: %2 bytes %3 the EEPROM at %4</source>
        <translation>%1: %2 Byte, EEPROM an %4: %3</translation>
    </message>
    <message>
        <source>written to and read back from</source>
        <translation>geschrieben und zurückgelesen</translation>
    </message>
    <message>
        <source>%1: %2 of %3 bytes differ from the EEPROM at %4</source>
        <translation>%1: %2 von %3 Byte weichen vom EEPROM an %4 ab</translation>
    </message>
    <message>
        <source>address %1 (%2): file %3, EEPROM %4</source>
        <translation>Adresse %1 (%2): Datei %3, EEPROM %4</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>... und %1 weitere</translation>
    </message>
    <message>
        <source>%1 addresses answered</source>
        <translation>%1 Adressen haben geantwortet</translation>
    </message>
    <message>
        <source>missing (named in SLAVE_INFO.ini, no answer)</source>
        <translation>fehlt (in SLAVE_INFO.ini genannt, keine Antwort)</translation>
    </message>
    <message>
        <source>unknown (answered, no name in SLAVE_INFO.ini)</source>
        <translation>unbekannt (Antwort, kein Name in SLAVE_INFO.ini)</translation>
    </message>
    <message>
        <source>slave %1</source>
        <translation>Slave %1</translation>
    </message>
    <message>
        <source>slave %1, standard command %2</source>
        <translation>Slave %1, Standardbefehl %2</translation>
    </message>
    <message>
        <source>command %1</source>
        <translation>Befehl %1</translation>
    </message>
    <message>
        <source>reply to command %1</source>
        <translation>Antwort auf Befehl %1</translation>
    </message>
    <message>
        <source>address %1 (%2): wrote %3, read back %4</source>
        <translation>Adresse %1 (%2): %3 geschrieben, %4 zurückgelesen</translation>
    </message>
    <message>
        <source>%1: %2 bytes of the EEPROM at %3</source>
        <translation>%1: %2 Byte des EEPROMs an %3</translation>
    </message>
    <message>
        <source>dump: given up at address %1 (%2) after %3 failed blocks%4</source>
        <translation>dump: bei Adresse %1 (%2) nach %3 fehlgeschlagenen Blöcken aufgegeben%4</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>dump cancelled</source>
        <translation>dump abgebrochen</translation>
    </message>
    <message>
        <source>Set all %1 bytes of the EEPROM at %2 to %3?</source>
        <translation>Alle %1 Byte des EEPROMs an %2 auf %3 setzen?</translation>
    </message>
    <message>
        <source>%1 bytes of the EEPROM at %2 set to %3</source>
        <translation>%1 Byte des EEPROMs an %2 auf %3 gesetzt</translation>
    </message>
    <message>
        <source>erase: given up at address %1 (%2) after %3 failed pages; %4 of %5 bytes set to %6%7</source>
        <translation>erase: bei Adresse %1 (%2) nach %3 fehlgeschlagenen Seiten aufgegeben; %4 von %5 Byte auf %6 gesetzt%7</translation>
    </message>
    <message>
        <source>erase cancelled</source>
        <translation>erase abgebrochen</translation>
    </message>
    <message>
        <source>the addresses that answer</source>
        <translation>die Adressen, die antworten</translation>
    </message>
    <message>
        <source>The bus addresses that answer, with their names from SLAVE_INFO.ini.</source>
        <translation>Die Busadressen, die antworten, mit ihren Namen aus SLAVE_INFO.ini.</translation>
    </message>
    <message>
        <source>the installation against SLAVE_INFO.ini</source>
        <translation>die Anlage gegen SLAVE_INFO.ini</translation>
    </message>
    <message>
        <source>Scans the bus and compares it with SLAVE_INFO.ini: named addresses that do not answer
(missing) and answering addresses without a name (unknown). Exit status 3 when they
differ.</source>
        <translation>Durchsucht den Bus und vergleicht ihn mit SLAVE_INFO.ini: benannte Adressen, die nicht
antworten (fehlt), und antwortende Adressen ohne Namen (unbekannt). Exit-Status 3, wenn
sie sich unterscheiden.</translation>
    </message>
    <message>
        <source>the slave&apos;s name</source>
        <translation>der Name des Slaves</translation>
    </message>
    <message>
        <source>The 16-character name the slave at ADDR gives.</source>
        <translation>Der 16 Zeichen lange Name, den der Slave an ADDR nennt.</translation>
    </message>
    <message>
        <source>the interface&apos;s diagnostics</source>
        <translation>die Diagnose des Interfaces</translation>
    </message>
    <message>
        <source>The interface&apos;s diagnostics: connection, reset cause, supply voltage, name, clock,
error code and the state of the bus lines.</source>
        <translation>Die Diagnose des Interfaces: Verbindung, Reset-Grund, Versorgungsspannung, Name, Takt,
Fehlercode und der Zustand der Busleitungen.</translation>
    </message>
    <message>
        <source>one standard command, its four reply bytes</source>
        <translation>ein Standardbefehl, seine vier Antwortbytes</translation>
    </message>
    <message>
        <source>One standard command (request code CODE, parameter bytes P2..P4, default 0) to the
slave at ADDR; prints the four reply bytes.</source>
        <translation>Ein Standardbefehl (Anfragecode CODE, Parameterbytes P2..P4, vorgegeben 0) an den
Slave an ADDR; gibt die vier Antwortbytes aus.</translation>
    </message>
    <message>
        <source>one hand-built frame and its reply</source>
        <translation>ein von Hand gebauter Rahmen und seine Antwort</translation>
    </message>
    <message>
        <source>One hand-built frame: interface command CMD, slave address ADDR, the data bytes; the
frame&apos;s value byte from --value, its receive count from --receive (default 0). Prints
the reply bytes the command gets (status bytes included).</source>
        <translation>Ein von Hand gebauter Rahmen: Interface-Befehl CMD, Slave-Adresse ADDR, die Datenbytes;
das Wertbyte des Rahmens aus --value, seine Empfangsanzahl aus --receive (vorgegeben 0).
Gibt die Antwortbytes des Befehls aus (Statusbytes eingeschlossen).</translation>
    </message>
    <message>
        <source>EEPROM bytes</source>
        <translation>EEPROM-Bytes</translation>
    </message>
    <message>
        <source>EEPROM bytes, read back</source>
        <translation>EEPROM-Bytes, zurückgelesen</translation>
    </message>
    <message>
        <source>FILE into the EEPROM, read back</source>
        <translation>FILE ins EEPROM, zurückgelesen</translation>
    </message>
    <message>
        <source>the EEPROM against FILE</source>
        <translation>das EEPROM gegen FILE</translation>
    </message>
    <message>
        <source>every byte of the EEPROM set to one value</source>
        <translation>jedes Byte des EEPROMs auf einen Wert gesetzt</translation>
    </message>
    <message>
        <source>Usage: zelmar-cli [OPTIONS] COMMAND [ARGUMENTS]

Drives the TWI bus through the RS232-TWI interface.

Commands:
</source>
        <translation>Aufruf: zelmar-cli [OPTIONEN] BEFEHL [ARGUMENTE]

Steuert den TWI-Bus über das RS232-TWI-Interface.

Befehle:
</translation>
    </message>
    <message>
        <source>
Addresses and bytes are decimal, or hexadecimal with 0x.

</source>
        <translation>
Adressen und Bytes sind dezimal, oder hexadezimal mit 0x.

</translation>
    </message>
    <message>
        <source>Usage: zelmar-cli [OPTIONS] %1 %2

%3

</source>
        <translation>Aufruf: zelmar-cli [OPTIONEN] %1 %2

%3

</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>kein Befehl angegeben</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos;</source>
        <translation>unbekannter Befehl &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--%1 does not apply to %2</source>
        <translation>--%1 gilt nicht für %2</translation>
    </message>
    <message>
        <source>missing arguments: %1</source>
        <translation>Argumente fehlen: %1</translation>
    </message>
    <message>
        <source>too many arguments (&apos;%1&apos;): %2</source>
        <translation>zu viele Argumente (&apos;%1&apos;): %2</translation>
    </message>
    <message>
        <source>--port needs a device or a port number</source>
        <translation>--port braucht ein Gerät oder eine Portnummer</translation>
    </message>
    <message>
        <source>--port must be a device or a port number from 1 to 17, not &apos;%1&apos;</source>
        <translation>--port muss ein Gerät oder eine Portnummer von 1 bis 17 sein, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--settings &apos;%1&apos; is no line setting such as 19200,n,8,1</source>
        <translation>--settings &apos;%1&apos; ist keine Leitungseinstellung wie 19200,n,8,1</translation>
    </message>
    <message>
        <source>--timeout must be 1 to 600000 ms, not &apos;%1&apos;</source>
        <translation>--timeout muss 1 bis 600000 ms sein, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--address-bytes must be 1 or 2</source>
        <translation>--address-bytes muss 1 oder 2 sein</translation>
    </message>
    <message>
        <source>--value must be 0 to 255, not &apos;%1&apos;</source>
        <translation>--value muss 0 bis 255 sein, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--receive must be 0 to 65535, not &apos;%1&apos;</source>
        <translation>--receive muss 0 bis 65535 sein, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--format must be txt, bin or hex, not &apos;%1&apos;</source>
        <translation>--format muss txt, bin oder hex sein, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source> (the link leads to %1)</source>
        <translation> (der Link führt nach %1)</translation>
    </message>
    <message>
        <source>, not a regular file</source>
        <translation>, keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>Datei nicht vorhanden</translation>
    </message>
    <message>
        <source>the directory %1 does not exist</source>
        <translation>das Verzeichnis %1 gibt es nicht</translation>
    </message>
    <message>
        <source>a directory</source>
        <translation>ein Verzeichnis</translation>
    </message>
    <message>
        <source>a FIFO</source>
        <translation>eine FIFO</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>eine Gerätedatei</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ein Socket</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>a symbolic link to %1, which does not exist</source>
        <translation>ein symbolischer Link auf %1, das es nicht gibt</translation>
    </message>
    <message>
        <source>%1 line 1: port &apos;%2&apos; is not 1 to 16; port %3 is used</source>
        <translation>%1 Zeile 1: Port &apos;%2&apos; liegt nicht in 1 bis 16; Port %3 wird verwendet</translation>
    </message>
    <message>
        <source>%1 line 2: reply time-out &apos;%2&apos; is not 1 to 65000 ms; %3</source>
        <translation>%1 Zeile 2: Antwortzeit &apos;%2&apos; liegt nicht in 1 bis 65000 ms; %3</translation>
    </message>
    <message>
        <source>the previous %1 ms stay</source>
        <translation>die bisherigen %1 ms bleiben</translation>
    </message>
    <message>
        <source>%1 ms are used</source>
        <translation>%1 ms werden verwendet</translation>
    </message>
    <message>
        <source>%1: &apos;%2&apos; is no line setting such as 19200,n,8,1; %3 is used</source>
        <translation>%1: &apos;%2&apos; ist keine Leitungseinstellung wie 19200,n,8,1; %3 wird verwendet</translation>
    </message>
    <message>
        <source>%1 cannot be read (%2); port %3 is %4</source>
        <translation>%1 kann nicht gelesen werden (%2); Port %3 ist %4</translation>
    </message>
    <message>
        <source>%1: port in use by %2</source>
        <translation>%1: Port belegt von %2</translation>
    </message>
    <message>
        <source>process %1 (%2)</source>
        <translation>Prozess %1 (%2)</translation>
    </message>
    <message>
        <source>another process</source>
        <translation>einem anderen Prozess</translation>
    </message>
    <message>
        <source>cannot open the serial port %1 (%2): %3</source>
        <translation>die serielle Schnittstelle %1 (%2) kann nicht geöffnet werden: %3</translation>
    </message>
    <message>
        <source>not acknowledged</source>
        <translation>nicht bestätigt</translation>
    </message>
    <message>
        <source>%1: %2 (status %3)</source>
        <translation>%1: %2 (Status %3)</translation>
    </message>
    <message>
        <source> Refused: standard input is no terminal and --yes was not given.</source>
        <translation> Abgelehnt: die Standardeingabe ist kein Terminal und --yes wurde nicht angegeben.</translation>
    </message>
    <message>
        <source>interrupted, nothing done</source>
        <translation>unterbrochen, nichts getan</translation>
    </message>
    <message>
        <source>not confirmed, nothing done</source>
        <translation>nicht bestätigt, nichts getan</translation>
    </message>
    <message>
        <source>match</source>
        <translation>stimmen überein</translation>
    </message>
    <message>
        <source>one address byte</source>
        <translation>ein Adressbyte</translation>
    </message>
    <message>
        <source>two address bytes</source>
        <translation>zwei Adressbytes</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Byte</translation>
    </message>
    <message>
        <source>name the chip with --chip (%1)</source>
        <translation>den Baustein mit --chip nennen (%1)</translation>
    </message>
    <message>
        <source>cannot tell which EEPROM answers at %1: every byte read alike, or a repeating pattern; %2</source>
        <translation>nicht erkennbar, welches EEPROM an %1 antwortet: alle gelesenen Bytes gleich oder ein sich wiederholendes Muster; %2</translation>
    </message>
    <message>
        <source>the EEPROM at %1 takes %2, not %3: it looks like %4; %5</source>
        <translation>das EEPROM an %1 nimmt %2, nicht %3: es sieht aus wie %4; %5</translation>
    </message>
    <message>
        <source>the EEPROM at %1 is not the 64 KiB one: it looks like %2 (%3 at this address); %4</source>
        <translation>das EEPROM an %1 ist nicht das mit 64 KiB: es sieht aus wie %2 (%3 an dieser Adresse); %4</translation>
    </message>
    <message>
        <source>a %1 answers at %2 to %3: give its first address %2</source>
        <translation>ein %1 antwortet an %2 bis %3: seine erste Adresse %2 angeben</translation>
    </message>
    <message>
        <source>%1 bytes from %2 on do not fit into the %3 (%4) at %5</source>
        <translation>%1 Byte ab %2 passen nicht in den %3 (%4) an %5</translation>
    </message>
    <message>
        <source>ADDR must be a number from 0 to 127, not &apos;%1&apos;</source>
        <translation>ADDR muss eine Zahl von 0 bis 127 sein, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>which EEPROM answers at ADDR, by reading only</source>
        <translation>welches EEPROM an ADDR antwortet, nur lesend</translation>
    </message>
    <message>
        <source>Reads the EEPROM at ADDR through different address phases and says whether it answers,
how many address bytes it takes and how many bytes one address reaches (where its
pointer wraps), with the chips that fit. Nothing is written. Contents with every byte
alike (an erased chip) cannot tell, and then nothing is suggested. A suggestion is
confirmed by giving it to the other commands with --chip.</source>
        <translation>Liest das EEPROM an ADDR mit verschiedenen Adressphasen und sagt, ob es antwortet, wie
viele Adressbytes es nimmt und wie viele Bytes eine Adresse erreicht (wo sein Zeiger
umläuft), mit den passenden Bausteinen. Es wird nichts geschrieben. Ein Inhalt mit lauter
gleichen Bytes (ein gelöschter Baustein) verrät nichts, dann gibt es keinen Vorschlag. Ein
Vorschlag wird bestätigt, indem man ihn den anderen Befehlen mit --chip gibt.</translation>
    </message>
    <message>
        <source>COUNT bytes of the EEPROM at ADDR from address START on, 16 to a line in hexadecimal.
Without --chip the EEPROM is first read to learn its geometry (see detect); a range
past its end is refused before anything is sent.</source>
        <translation>COUNT Bytes des EEPROMs an ADDR ab Adresse START, 16 je Zeile, hexadezimal.
Ohne --chip wird das EEPROM zuerst gelesen, um seine Geometrie zu erfahren (siehe detect);
ein Bereich über sein Ende hinaus wird abgelehnt, bevor etwas gesendet wird.</translation>
    </message>
    <message>
        <source>Writes the bytes into the EEPROM at ADDR from address START on, one byte write each,
and reads them back. Without --chip the EEPROM is first read to learn its geometry,
and nothing is written when it does not take --address-bytes (default 2) or cannot be
told; a range past its end is refused before anything is sent.</source>
        <translation>Schreibt die Bytes in das EEPROM an ADDR ab Adresse START, jedes mit einem Byte-Schreiben,
und liest sie zurück. Ohne --chip wird das EEPROM zuerst gelesen, um seine Geometrie zu
erfahren, und nichts wird geschrieben, wenn es --address-bytes (vorgegeben 2) nicht nimmt
oder nicht erkennbar ist; ein Bereich über sein Ende hinaus wird vorher abgelehnt.</translation>
    </message>
    <message>
        <source>the whole EEPROM into FILE</source>
        <translation>das ganze EEPROM in FILE</translation>
    </message>
    <message>
        <source>--chip must be one of %1, not &apos;%2&apos;</source>
        <translation>--chip muss eines von %1 sein, nicht &apos;%2&apos;</translation>
    </message>
    <message>
        <source>a %1 takes %2 address byte(s), not %3</source>
        <translation>ein %1 nimmt %2 Adressbyte(s), nicht %3</translation>
    </message>
    <message>
        <source>the EEPROM acknowledged the first page but kept its old bytes (write protection, or a page larger than the chip&apos;s?); nothing more was written</source>
        <translation>das EEPROM hat die erste Seite bestätigt, aber seine alten Bytes behalten (Schreibschutz, oder eine Seite größer als die des Bausteins?); nichts weiter wurde geschrieben</translation>
    </message>
    <message>
        <source>SHA-256 of %1: %2</source>
        <translation>SHA-256 von %1: %2</translation>
    </message>
    <message>
        <source>%1 does not read back as an image</source>
        <translation>%1 lässt sich nicht als Abbild zurücklesen</translation>
    </message>
    <message>
        <source>SHA-256 %1</source>
        <translation>SHA-256 %1</translation>
    </message>
    <message>
        <source>the apartment&apos;s values, one line per pass</source>
        <translation>die Werte der Wohnung, eine Zeile je Durchgang</translation>
    </message>
    <message>
        <source>Reads the apartment&apos;s values as the WOHNUNG display does, pass after pass, and prints
one line per whole pass (with --json one JSON object per line, null for a value that
could not be read). Each pass is also a row of the day&apos;s VERLAUF_&lt;date&gt;.csv in DATEN/,
as in the program. Runs until Ctrl+C (exit status 1 after the pass under way is cut
short) or --count passes.</source>
        <translation>Liest die Werte der Wohnung wie die Anzeige WOHNUNG, Durchgang für Durchgang, und gibt
eine Zeile je vollständigem Durchgang aus (mit --json ein JSON-Objekt je Zeile, null für
einen Wert, der nicht gelesen werden konnte). Jeder Durchgang ist auch eine Zeile der
VERLAUF_&lt;Datum&gt;.csv des Tages in DATEN/, wie im Programm. Läuft bis Strg+C (Exit-Status 1,
wenn der laufende Durchgang abgebrochen wird) oder --count Durchgänge.</translation>
    </message>
    <message>
        <source>Exit status: 0 success, 1 link, device or file failure or interrupted,
2 usage error, 3 verify or check found differences.
</source>
        <translation>Exit-Status: 0 Erfolg, 1 Fehler der Verbindung, des Geräts oder einer Datei oder
unterbrochen, 2 Aufruffehler, 3 verify oder check fand Unterschiede.
</translation>
    </message>
    <message>
        <source>--count must be a whole number from 1, not &apos;%1&apos;</source>
        <translation>--count muss eine ganze Zahl ab 1 sein, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>the VERLAUF log cannot be written: %1: %2</source>
        <translation>der VERLAUF kann nicht geschrieben werden: %1: %2</translation>
    </message>
    <message>
        <source>watch interrupted after %1 passes</source>
        <translation>watch nach %1 Durchgängen unterbrochen</translation>
    </message>
    <message>
        <source>--page %1 is larger than the %2-byte page of a %3</source>
        <translation>--page %1 ist größer als die %2-Byte-Seite eines %3</translation>
    </message>
    <message>
        <source>the file gives addresses beyond the chip; nothing was written</source>
        <translation>die Datei nennt Adressen jenseits des Bausteins; nichts wurde geschrieben</translation>
    </message>
    <message>
        <source>Reads the whole EEPROM at ADDR into FILE (each block read twice): the 64 KiB one, or
the chip --chip names. FILE keeps its old contents unless the read-out completes.
Prints the image&apos;s SHA-256.</source>
        <translation>Liest das ganze EEPROM an ADDR in FILE (jeden Block zweimal): das mit 64 KiB oder den
Baustein, den --chip nennt. FILE behält seinen alten Inhalt, wenn das Auslesen nicht
vollständig gelingt. Gibt das SHA-256 des Abbilds aus.</translation>
    </message>
    <message>
        <source>Writes the image in FILE into the EEPROM at ADDR (the 64 KiB one, or the chip --chip
names) in pages of --page bytes and reads it back. Asks for confirmation unless --yes
is given.</source>
        <translation>Schreibt das Abbild in FILE in das EEPROM an ADDR (das mit 64 KiB oder den Baustein,
den --chip nennt), in Seiten zu --page Byte, und liest es zurück. Fragt nach einer
Bestätigung, wenn --yes nicht angegeben ist.</translation>
    </message>
    <message>
        <source>Compares the EEPROM at ADDR (the 64 KiB one, or the chip --chip names) with the image
in FILE. Exit status 3 when they differ; the differing addresses are listed. Prints
the image&apos;s SHA-256 (all the chip&apos;s bytes, addresses the file leaves out as 255).</source>
        <translation>Vergleicht das EEPROM an ADDR (das mit 64 KiB oder den Baustein, den --chip nennt) mit dem
Abbild in FILE. Exit-Status 3, wenn sie sich unterscheiden; die abweichenden Adressen werden
aufgelistet. Gibt das SHA-256 des Abbilds aus (alle Bytes, ausgelassene Adressen als 255).</translation>
    </message>
    <message>
        <source>Sets every byte of the EEPROM at ADDR (the 64 KiB one, or the chip --chip names) to
--value (default 255) in pages of --page bytes and reads each page back. Asks for
confirmation unless --yes is given.</source>
        <translation>Setzt jedes Byte des EEPROMs an ADDR (das mit 64 KiB oder den Baustein, den --chip
nennt) auf --value (vorgegeben 255), in Seiten zu --page Byte, und liest jede Seite
zurück. Fragt nach einer Bestätigung, wenn --yes nicht angegeben ist.</translation>
    </message>
    <message>
        <source>Options:
  --port DEVICE|NUMBER  serial device, or port number 1..17 looked up in PORTS.ini
                        (default: PROGRAMM.ini&apos;s port)
  --settings TEXT       line settings such as 19200,n,8,1 (default: settings.ini&apos;s)
  --timeout MS          reply time-out per byte in milliseconds (default: PROGRAMM.ini&apos;s)
  --json                JSON output (scan, check, info, diag, std, detect, dump, verify,
                        watch)
  --yes                 no confirmation question (restore, erase)
  --format txt|bin|hex  image file format (default: by the file&apos;s extension;
                        .txt dump text, .hex/.ihx Intel HEX, anything else binary)
  --chip NAME           the EEPROM: 24C01, 24C02, 24C04, 24C08, 24C16, 24C32, 24C64,
                        24C128, 24C256, 24C512, 24M01, 24M02 (read, write, dump,
                        restore, verify, erase). Without it the EEPROM is read first to
                        learn its geometry; dump, restore, verify and erase then take
                        only the 64 KiB one (24C512)
  --page N              bytes a page write of restore and erase (8, 16, 32, 64, 128 or
                        256, at most the chip&apos;s page); default 16, with --chip the
                        chip&apos;s page
  --address-bytes 1|2   EEPROM address bytes expected by read and write without --chip
                        (default 2)
  --value N             fill value of erase; value byte of send&apos;s frame
  --receive N           receive count of send&apos;s frame
  --count N             passes of watch (default: until Ctrl+C)
  --help                this text, or a command&apos;s with COMMAND --help
  --version             the version
  --language de|en      language of the messages (default: the desktop&apos;s UI languages;
                        English under the C locale)
</source>
        <translation>Optionen:
  --port DEVICE|NUMBER  serielles Gerät oder Portnummer 1..17, nachgeschlagen in PORTS.ini
                        (vorgegeben: der Port aus PROGRAMM.ini)
  --settings TEXT       Leitungseinstellung wie 19200,n,8,1 (vorgegeben: aus settings.ini)
  --timeout MS          Antwortzeit je Byte in Millisekunden (vorgegeben: aus PROGRAMM.ini)
  --json                Ausgabe als JSON (scan, check, info, diag, std, detect, dump, verify,
                        watch)
  --yes                 keine Rückfrage (restore, erase)
  --format txt|bin|hex  Format der Abbilddatei (vorgegeben: nach der Endung der Datei;
                        .txt Dump-Text, .hex/.ihx Intel-HEX, alles andere binär)
  --chip NAME           das EEPROM: 24C01, 24C02, 24C04, 24C08, 24C16, 24C32, 24C64,
                        24C128, 24C256, 24C512, 24M01, 24M02 (read, write, dump,
                        restore, verify, erase). Ohne die Option wird das EEPROM zuerst
                        gelesen, um seine Geometrie zu erfahren; dump, restore, verify
                        und erase nehmen dann nur das mit 64 KiB (24C512)
  --page N              Byte einer Seite beim Schreiben von restore und erase (8, 16,
                        32, 64, 128 oder 256, höchstens die Seite des Bausteins);
                        vorgegeben 16, mit --chip die Seite des Bausteins
  --address-bytes 1|2   EEPROM-Adressbytes, die read und write ohne --chip erwarten
                        (vorgegeben 2)
  --value N             Füllwert von erase; Wertbyte des Rahmens von send
  --receive N           Empfangsanzahl des Rahmens von send
  --count N             Durchgänge von watch (vorgegeben: bis Strg+C)
  --help                dieser Text, oder der eines Befehls mit BEFEHL --help
  --version             die Version
  --language de|en      Sprache der Meldungen (vorgegeben: die UI-Sprachen des Desktops;
                        Englisch unter der C-Locale)
</translation>
    </message>
    <message>
        <source>--page must be a power of two up to %1 (the page of a %2), not &apos;%3&apos;</source>
        <translation>--page muss eine Zweierpotenz bis %1 sein (die Seite eines %2), nicht &apos;%3&apos;</translation>
    </message>
    <message>
        <source>--page must be a power of two up to 256, not &apos;%1&apos;</source>
        <translation>--page muss eine Zweierpotenz bis 256 sein, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source> (read as an image of a %1)</source>
        <translation> (gelesen als Abbild eines %1)</translation>
    </message>
    <message>
        <source> (read as an image of the 64 KiB EEPROM; name another with --chip)</source>
        <translation> (gelesen als Abbild des EEPROMs mit 64 KiB; ein anderes mit --chip nennen)</translation>
    </message>
    <message>
        <source>not compared: %1 of the chip&apos;s %2 bytes, which the file does not give</source>
        <translation>nicht verglichen: %1 der %2 Bytes des Bausteins, die die Datei nicht nennt</translation>
    </message>
</context>
</TS>
