<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="de_DE">
<context>
    <name>zelmar::BusScan</name>
    <message>
        <source>Das Interface antwortet nicht (keine DATEN bei %1 Adressen hintereinander).<byte value="xd"/>
<byte value="xd"/>
Scan nach Adresse %2 abgebrochen, die übrigen Adressen gelten als nicht gefunden.</source>
        <translation>The interface does not answer (no DATA at %1 addresses in a row).<byte value="xd"/>
<byte value="xd"/>
Scan stopped after address %2; the remaining addresses count as not found.</translation>
    </message>
</context>
<context>
    <name>zelmar::ComPortPanel</name>
    <message>
        <source>COM-PORT</source>
        <translation>COM PORT</translation>
    </message>
    <message>
        <source>BEMERKUNGEN</source>
        <translation>REMARKS</translation>
    </message>
    <message>
        <source>COM %1</source>
        <translation>COM %1</translation>
    </message>
    <message>
        <source>Die Bemerkung zu COM 17 wird nicht gespeichert.</source>
        <translation>The remark on COM 17 is not saved.</translation>
    </message>
    <message>
        <source>PORT SUCHE</source>
        <translation>PORT SEARCH</translation>
    </message>
    <message>
        <source>Settings:</source>
        <translation>Settings:</translation>
    </message>
    <message>
        <source>open</source>
        <translation>open</translation>
    </message>
    <message>
        <source>close</source>
        <translation>close</translation>
    </message>
    <message>
        <source>DTR</source>
        <translation>DTR</translation>
    </message>
    <message>
        <source>RTS</source>
        <translation>RTS</translation>
    </message>
    <message>
        <source>Wert eingeben</source>
        <translation>Enter value</translation>
    </message>
    <message>
        <source>COM-PORT-SETTINGS</source>
        <translation>COM-PORT-SETTINGS</translation>
    </message>
    <message>
        <source>Fehler: &quot;%1&quot; sind keine COM-PORT-SETTINGS<byte value="xd"/>
Beispiel: 19200,n,8,1 (Baud,Parität,Bits,Stopbits)</source>
        <translation>Error: &quot;%1&quot; are no COM-PORT-SETTINGS<byte value="xd"/>
Example: 19200,n,8,1 (baud,parity,bits,stop bits)</translation>
    </message>
</context>
<context>
    <name>zelmar::DiagnosePanel</name>
    <message>
        <source>ERROR</source>
        <translation>ERROR</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>ok</translation>
    </message>
    <message>
        <source>WARNUNG</source>
        <translation>WARNING</translation>
    </message>
    <message>
        <source>RXD/TXD testen</source>
        <translation>test RXD/TXD</translation>
    </message>
    <message>
        <source>MCUCSR</source>
        <translation>MCUCSR</translation>
    </message>
    <message>
        <source>clear</source>
        <translation>clear</translation>
    </message>
    <message>
        <source>Spannung  auslesen</source>
        <translation>read  voltage</translation>
    </message>
    <message>
        <source>INTERFACE INFO auslesen</source>
        <translation>read INTERFACE INFO</translation>
    </message>
    <message>
        <source>INTERFACE OFF</source>
        <translation>INTERFACE OFF</translation>
    </message>
    <message>
        <source>INTERFACE RESET</source>
        <translation>INTERFACE RESET</translation>
    </message>
    <message>
        <source>TAKT auslesen</source>
        <translation>read CLOCK</translation>
    </message>
    <message>
        <source>Fehler auslesen</source>
        <translation>read error</translation>
    </message>
    <message>
        <source>TWI-PINS auslesen</source>
        <translation>read TWI PINS</translation>
    </message>
    <message>
        <source>Spannung RESET</source>
        <translation>voltage RESET</translation>
    </message>
    <message>
        <source>START</source>
        <translation>START</translation>
    </message>
    <message>
        <source>Möchten Sie wirklich ein BUS-RESET durchführen?</source>
        <translation>Do you really want to carry out a BUS RESET?</translation>
    </message>
    <message>
        <source>Möchten Sie wirklich einen TWI-BUS-FEHLER erzeugen</source>
        <translation>Do you really want to cause a TWI BUS ERROR</translation>
    </message>
</context>
<context>
    <name>zelmar::EepromErase</name>
    <message>
        <source>löschen </source>
        <translation>erasing </translation>
    </message>
    <message>
        <source>aktion wurde abgebrochen</source>
        <translation>action was cancelled</translation>
    </message>
    <message>
        <source>zu viele üertragungsfehler <byte value="xd"/>
<byte value="xd"/>
Aktion abgebrochen</source>
        <translation>too many transmission errors <byte value="xd"/>
<byte value="xd"/>
action cancelled</translation>
    </message>
</context>
<context>
    <name>zelmar::EepromErkennung</name>
    <message>
        <source>Kein EEPROM an Adresse %1</source>
        <translation>No EEPROM at address %1</translation>
    </message>
    <message>
        <source>Leitung gestört, nichts erkannt</source>
        <translation>Line disturbed, nothing detected</translation>
    </message>
    <message>
        <source>Nicht erkennbar (alle Bytes gleich?)</source>
        <translation>Cannot tell (every byte alike?)</translation>
    </message>
    <message>
        <source>Vorschlag: %1 (%2 Byte je Adresse, %3 Adressbyte%4)</source>
        <translation>Suggestion: %1 (%2 bytes per address, %3 address byte%4)</translation>
    </message>
</context>
<context>
    <name>zelmar::EepromExternWindow</name>
    <message>
        <source>Bitte zuerst die EEPROM-Größe definieren</source>
        <translation>Please define the EEPROM size first</translation>
    </message>
    <message>
        <source>FEHLER: EEPROM nicht gefunden. IST SLAVE adresse korrekt?</source>
        <translation>ERROR: EEPROM not found. IS the SLAVE address correct?</translation>
    </message>
    <message>
        <source>FEHLER: das Interface antwortet nicht (keine DATEN !!!). COM-PORT und Verbindung prüfen.</source>
        <translation>ERROR: the interface does not answer (no DATA !!!). Check the COM PORT and the connection.</translation>
    </message>
    <message>
        <source>FEHLER: EEPROM antwotet nicht. IST SLAVE adresse korrekt? Schreibschutz deaktiviert?</source>
        <translation>ERROR: EEPROM does not answer. IS the SLAVE address correct? Write protection off?</translation>
    </message>
    <message>
        <source>Fehler in Funktion</source>
        <translation>Error in function</translation>
    </message>
    <message>
        <source>Fehler: die STARTADRESSE muss eine ganze Zahl von 0 bis 65.535 sein.</source>
        <translation>Error: the START ADDRESS must be a whole number from 0 to 65,535.</translation>
    </message>
    <message>
        <source>Fehler: der WERT muss eine Dezimalzahl von 0 bis 255 sein.<byte value="xd"/>
Er wurde nicht geschrieben.</source>
        <translation>Error: the VALUE must be a decimal number from 0 to 255.<byte value="xd"/>
It was not written.</translation>
    </message>
    <message>
        <source>EEPROM extern</source>
        <translation>external EEPROM</translation>
    </message>
    <message>
        <source>Adresse</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>&gt;  256 Byte</source>
        <translation>&gt;  256 bytes</translation>
    </message>
    <message>
        <source>&lt;=256 Byte</source>
        <translation>&lt;=256 bytes</translation>
    </message>
    <message>
        <source>SLAVE-ADRESSE</source>
        <translation>SLAVE ADDRESS</translation>
    </message>
    <message>
        <source>Darstellung</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>hex</source>
        <translation>hex</translation>
    </message>
    <message>
        <source>ASCII</source>
        <translation>ASCII</translation>
    </message>
    <message>
        <source>dez</source>
        <translation>dec</translation>
    </message>
    <message>
        <source>ARDESSE=&gt;HEX</source>
        <translation>ADDRESS=&gt;HEX</translation>
    </message>
    <message>
        <source>         0 =&gt; grau</source>
        <translation>         0 =&gt; grey</translation>
    </message>
    <message>
        <source>1...254 =&gt; grau</source>
        <translation>1...254 =&gt; grey</translation>
    </message>
    <message>
        <source>     255 =&gt; grau</source>
        <translation>     255 =&gt; grey</translation>
    </message>
    <message>
        <source>EEPROM ADRESSE</source>
        <translation>EEPROM ADDRESS</translation>
    </message>
    <message>
        <source>Startposition dezimal:</source>
        <translation>Start position decimal:</translation>
    </message>
    <message>
        <source>Adresse der ersten Zelle, 0 bis 65535</source>
        <translation>Address of the first cell, 0 to 65535</translation>
    </message>
    <message>
        <source>Profi</source>
        <translation>Expert</translation>
    </message>
    <message>
        <source>repead</source>
        <translation>repeat</translation>
    </message>
    <message>
        <source>ANZEIGE aktualisieren</source>
        <translation>refresh DISPLAY</translation>
    </message>
    <message>
        <source>DATEN REFRESH</source>
        <translation>DATA REFRESH</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>END</source>
        <translation>END</translation>
    </message>
    <message>
        <source>Fehler: die ADRESSE %1 liegt nicht im EEPROM (0 bis 65.535).</source>
        <translation>Error: the ADDRESS %1 is not in the EEPROM (0 to 65,535).</translation>
    </message>
    <message>
        <source>max</source>
        <translation>max</translation>
    </message>
</context>
<context>
    <name>zelmar::EepromFortschritt</name>
    <message>
        <source>%1 von %2  (%3)</source>
        <translation>%1 of %2  (%3)</translation>
    </message>
</context>
<context>
    <name>zelmar::EepromReadout</name>
    <message>
        <source>aktion wurde abgebrochen</source>
        <translation>action was cancelled</translation>
    </message>
    <message>
        <source>FEHLER EEPROM - SLAVE-Adresse koorekt? Aktion wird abgebrochen!</source>
        <translation>ERROR EEPROM - SLAVE address correct? Action is cancelled!</translation>
    </message>
    <message>
        <source>zu viele üertragungsfehler <byte value="xd"/>
<byte value="xd"/>
Aktion abgebrochen</source>
        <translation>too many transmission errors <byte value="xd"/>
<byte value="xd"/>
action cancelled</translation>
    </message>
    <message>
        <source>FEHLER<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>ERROR<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
konnte nicht geschrieben werden: </source>
        <translation><byte value="xd"/>
<byte value="xd"/>
could not be written: </translation>
    </message>
</context>
<context>
    <name>zelmar::EepromRestore</name>
    <message>
        <source>schreiben </source>
        <translation>writing </translation>
    </message>
    <message>
        <source>prüfen </source>
        <translation>checking </translation>
    </message>
    <message>
        <source>FEHLER: das EEPROM hält nicht, was geschrieben wurde</source>
        <translation>ERROR: the EEPROM does not keep what was written</translation>
    </message>
    <message>
        <source>aktion wurde abgebrochen</source>
        <translation>action was cancelled</translation>
    </message>
    <message>
        <source>FEHLER EEPROM - SLAVE-Adresse koorekt? Aktion wird abgebrochen!</source>
        <translation>ERROR EEPROM - SLAVE address correct? Action is cancelled!</translation>
    </message>
    <message>
        <source>zu viele üertragungsfehler <byte value="xd"/>
<byte value="xd"/>
Aktion abgebrochen</source>
        <translation>too many transmission errors <byte value="xd"/>
<byte value="xd"/>
action cancelled</translation>
    </message>
    <message>
        <source>Der Rahmen wurde nicht gesendet</source>
        <translation>The frame was not sent</translation>
    </message>
    <message>
        <source> Byte geschrieben</source>
        <translation> bytes written</translation>
    </message>
    <message>
        <source>, NICHT geschrieben: </source>
        <translation>, NOT written: </translation>
    </message>
    <message>
        <source> Byte<byte value="xd"/>
</source>
        <translation> bytes<byte value="xd"/>
</translation>
    </message>
    <message>
        <source><byte value="xd"/>
geschrieben, aber NICHT geprüft: </source>
        <translation><byte value="xd"/>
written, but NOT checked: </translation>
    </message>
    <message>
        <source>FEHLER: das EEPROM hat die erste Seite quittiert, aber nicht behalten (Schreibschutz aktiv? Seite größer als die des EEPROMs?). Aktion abgebrochen</source>
        <translation>ERROR: the EEPROM acknowledged the first page but did not keep it (write protection on? a page larger than the EEPROM&apos;s?). Action cancelled</translation>
    </message>
    <message>
        <source>FEHLER: die Datei gibt Adressen bis %1, das EEPROM hat nur %2 Byte (0 bis %3). Nichts wurde gesendet</source>
        <translation>ERROR: the file gives addresses up to %1, the EEPROM has only %2 bytes (0 to %3). Nothing was sent</translation>
    </message>
</context>
<context>
    <name>zelmar::EepromSonderfunktionen</name>
    <message>
        <source>EEPROM-Dateien (*.txt *.bin *.hex *.ihx);;Dump (*.txt);;binär (*.bin);;Intel-HEX (*.hex *.ihx);;alle Dateien (*)</source>
        <translation>EEPROM files (*.txt *.bin *.hex *.ihx);;Dump (*.txt);;binary (*.bin);;Intel HEX (*.hex *.ihx);;all files (*)</translation>
    </message>
    <message>
        <source>EEPROM an SLAVE-Adresse %1</source>
        <translation>EEPROM at SLAVE address %1</translation>
    </message>
    <message>
        <source>65k-EEPROM</source>
        <translation>65k EEPROM</translation>
    </message>
    <message>
        <source>ABBRECHEN</source>
        <translation>CANCEL</translation>
    </message>
    <message>
        <source>EDIT</source>
        <translation>EDIT</translation>
    </message>
    <message>
        <source>die Dump-Datei dieses SLAVEs ansehen</source>
        <translation>view this SLAVE&apos;s dump file</translation>
    </message>
    <message>
        <source>Dateiformat beim kompletten Auslesen</source>
        <translation>File format of the complete read-out</translation>
    </message>
    <message>
        <source>%1   noch %2</source>
        <translation>%1   %2 left</translation>
    </message>
    <message>
        <source>%1 von %2 Byte</source>
        <translation>%1 of %2 bytes</translation>
    </message>
    <message>
        <source>%1   Dauer %2</source>
        <translation>%1   took %2</translation>
    </message>
    <message>
        <source>WARNUNG !!!</source>
        <translation>WARNING !!!</translation>
    </message>
    <message>
        <source>Wert von 0 bis 255 eingeben</source>
        <translation>Enter a value from 0 to 255</translation>
    </message>
    <message>
        <source>LÖSCHZEICHEN</source>
        <translation>ERASE VALUE</translation>
    </message>
    <message>
        <source>Abbruch, es werden noch daten erwartet</source>
        <translation>Cancelled, data are still expected</translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
Datei nicht vorhanden</source>
        <translation><byte value="xd"/>
<byte value="xd"/>
file does not exist</translation>
    </message>
    <message>
        <source>FEHLER in </source>
        <translation>ERROR in </translation>
    </message>
    <message>
        <source>Datei ins EEPROM schreiben</source>
        <translation>Write file into the EEPROM</translation>
    </message>
    <message>
        <source>Das EEPROM wurde nicht verändert.</source>
        <translation>The EEPROM was not changed.</translation>
    </message>
    <message>
        <source>Die bisherigen DATEN gehen verloren.</source>
        <translation>The present DATA will be lost.</translation>
    </message>
    <message>
        <source>Möchten Sie fortfahren ?</source>
        <translation>Do you want to go on ?</translation>
    </message>
    <message>
        <source>WARNUNG</source>
        <translation>WARNING</translation>
    </message>
    <message>
        <source>EEPROM mit Datei vergleichen</source>
        <translation>Compare EEPROM with file</translation>
    </message>
    <message>
        <source>Es wurde nichts verglichen.</source>
        <translation>Nothing was compared.</translation>
    </message>
    <message>
        <source>Aus Datei geschrieben und zurückgelesen</source>
        <translation>Written from file and read back</translation>
    </message>
    <message>
        <source>EEPROM mit Datei verglichen</source>
        <translation>EEPROM compared with file</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Soll: </source>
        <translation><byte value="xd"/>
Expected: </translation>
    </message>
    <message>
        <source><byte value="xd"/>
Ist:  </source>
        <translation><byte value="xd"/>
Actual:   </translation>
    </message>
    <message>
        <source><byte value="xd"/>
nicht in der Datei, unverändert: %1 Byte<byte value="xd"/>
</source>
        <translation><byte value="xd"/>
not in the file, unchanged: %1 bytes<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Dumps vergleichen: erste Datei (Soll)</source>
        <translation>Compare dumps: first file (expected)</translation>
    </message>
    <message>
        <source>Dumps vergleichen: zweite Datei (Ist)</source>
        <translation>Compare dumps: second file (actual)</translation>
    </message>
    <message>
        <source>Dumps verglichen<byte value="xd"/>
Soll: </source>
        <translation>Dumps compared<byte value="xd"/>
Expected: </translation>
    </message>
    <message>
        <source>Bericht speichern</source>
        <translation>Save report</translation>
    </message>
    <message>
        <source>FEHLER</source>
        <translation>ERROR</translation>
    </message>
    <message>
        <source>konnte nicht geschrieben werden: </source>
        <translation>could not be written: </translation>
    </message>
    <message>
        <source>erfolgreich gespeichert</source>
        <translation>saved successfully</translation>
    </message>
    <message>
        <source>Die EEPROM DATEN werden gelöscht <byte value="xd"/>
<byte value="xd"/>
<byte value="xd"/>
Möchten Sie fortfahren ?</source>
        <translation>The EEPROM DATA will be erased <byte value="xd"/>
<byte value="xd"/>
<byte value="xd"/>
Do you want to go on ?</translation>
    </message>
    <message>
        <source>Fehler: LÖSCHZEICHEN muss eine ganze Zahl von 0 bis 255 sein.<byte value="xd"/>
Das EEPROM wurde nicht verändert.</source>
        <translation>Error: the ERASE VALUE must be a whole number from 0 to 255.<byte value="xd"/>
The EEPROM was not changed.</translation>
    </message>
    <message>
        <source>In das %1 werden %2 Byte aus<byte value="xd"/>
%3<byte value="xd"/>
geschrieben, in Seiten zu %4 Byte.</source>
        <translation>%2 bytes from<byte value="xd"/>
%3<byte value="xd"/>
will be written into the %1, in pages of %4 bytes.</translation>
    </message>
    <message>
        <source>%1 Adressen nennt die Datei nicht; dort bleibt das EEPROM, wie es ist:</source>
        <translation>The file does not give %1 addresses; there the EEPROM stays as it is:</translation>
    </message>
    <message>
        <source>aus Datei schreiben</source>
        <translation>write from file</translation>
    </message>
    <message>
        <source>eine Datei (Dump, binär, Intel-HEX) ins EEPROM schreiben und zurücklesen</source>
        <translation>write a file (dump, binary, Intel HEX) into the EEPROM and read it back</translation>
    </message>
    <message>
        <source>mit Datei vergleichen</source>
        <translation>compare with file</translation>
    </message>
    <message>
        <source>das EEPROM lesen und mit einer Datei vergleichen</source>
        <translation>read the EEPROM and compare it with a file</translation>
    </message>
    <message>
        <source>Dumps vergleichen</source>
        <translation>compare dumps</translation>
    </message>
    <message>
        <source>zwei Dateien miteinander vergleichen</source>
        <translation>compare two files with each other</translation>
    </message>
    <message>
        <source>den Bericht des letzten Vergleichs als Textdatei speichern</source>
        <translation>save the report of the last comparison as a text file</translation>
    </message>
    <message>
        <source>Textdateien (*.txt);;alle Dateien (*)</source>
        <translation>Text files (*.txt);;all files (*)</translation>
    </message>
    <message>
        <source>binär (.bin)</source>
        <translation>binary (.bin)</translation>
    </message>
    <message>
        <source>Dump (.txt)</source>
        <translation>Dump (.txt)</translation>
    </message>
    <message>
        <source>Intel-HEX (.hex)</source>
        <translation>Intel HEX (.hex)</translation>
    </message>
    <message>
        <source>Seite:</source>
        <translation>Page:</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>Erkennen</source>
        <translation>Detect</translation>
    </message>
    <message>
        <source>nur lesend ermitteln, welches EEPROM an der SLAVE-Adresse antwortet (ein Vorschlag)</source>
        <translation>find out, by reading only, which EEPROM answers at the SLAVE address (a suggestion)</translation>
    </message>
    <message>
        <source>erkennen ...</source>
        <translation>detecting ...</translation>
    </message>
    <message>
        <source>aktion wurde abgebrochen</source>
        <translation>action was cancelled</translation>
    </message>
    <message>
        <source><byte value="xd"/>
SHA-256 %1: %2</source>
        <translation><byte value="xd"/>
SHA-256 %1: %2</translation>
    </message>
    <message>
        <source>%1 (%2 Byte, %3 Adressbyte%4)</source>
        <translation>%1 (%2 bytes, %3 address byte%4)</translation>
    </message>
    <message>
        <source>das EEPROM, das Auslesen, Löschen, Schreiben und Vergleichen annehmen</source>
        <translation>the EEPROM that reading out, erasing, writing and comparing assume</translation>
    </message>
    <message>
        <source>Baustein:</source>
        <translation>Chip:</translation>
    </message>
    <message>
        <source>%1  komplett auslesen</source>
        <translation>read all  %1</translation>
    </message>
    <message>
        <source>%1  komplett LÖSCHEN</source>
        <translation>ERASE all  %1</translation>
    </message>
    <message>
        <source>Ein %1 antwortet an den SLAVE-Adressen %2 bis %3.<byte value="xd"/>
<byte value="xd"/>
Bitte seine erste Adresse %2 wählen. Es wurde nichts gesendet.</source>
        <translation>A %1 answers at the SLAVE addresses %2 to %3.<byte value="xd"/>
<byte value="xd"/>
Please choose its first address %2. Nothing was sent.</translation>
    </message>
    <message>
        <source>Baustein %1 (%2 Byte) wählen?</source>
        <translation>Choose the chip %1 (%2 bytes)?</translation>
    </message>
    <message>
        <source>EEPROM erkannt</source>
        <translation>EEPROM detected</translation>
    </message>
    <message>
        <source>Baustein: %1 (%2 Byte)</source>
        <translation>Chip: %1 (%2 bytes)</translation>
    </message>
    <message>
        <source> (%1)</source>
        <translation> (%1)</translation>
    </message>
    <message>
        <source>Soll</source>
        <translation>expected</translation>
    </message>
    <message>
        <source>Ist</source>
        <translation>actual</translation>
    </message>
    <message>
        <source>Seitengröße beim Schreiben aus einer Datei und beim Löschen, in Byte: 16 passt zu jedem EEPROM von 2 KiB bis 64 KiB</source>
        <translation>Page size in bytes for writing from a file and for erasing: 16 suits every EEPROM from 2 KiB to 64 KiB</translation>
    </message>
    <message>
        <source><byte value="xd"/>
nicht in der Datei, nicht verglichen: %1 von %2 Byte</source>
        <translation><byte value="xd"/>
not in the file, not compared: %1 of %2 bytes</translation>
    </message>
</context>
<context>
    <name>zelmar::EepromZellen</name>
    <message>
        <source>w</source>
        <translation>w</translation>
    </message>
    <message>
        <source>Wert schreiben</source>
        <translation>write value</translation>
    </message>
</context>
<context>
    <name>zelmar::Einstellungen</name>
    <message>
        <source>%1 Zeile 2: Antwortzeit &quot;%2&quot; liegt nicht in 1 bis 65000 ms; %3</source>
        <translation>%1 line 2: reply time &quot;%2&quot; is not within 1 to 65000 ms; %3</translation>
    </message>
    <message>
        <source>die bisherigen %1 ms bleiben</source>
        <translation>the present %1 ms stay</translation>
    </message>
    <message>
        <source>%1 ms werden verwendet</source>
        <translation>%1 ms are used</translation>
    </message>
    <message>
        <source>%1 kann nicht gelesen werden (%2); Port %3 ist %4</source>
        <translation>%1 cannot be read (%2); port %3 is %4</translation>
    </message>
    <message>
        <source>%1 Zeile 1: Port &quot;%2&quot; liegt nicht in 1 bis 16; Port %3 wird verwendet</source>
        <translation>%1 line 1: port &quot;%2&quot; is not within 1 to 16; port %3 is used</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; ist keine Schnittstelleneinstellung wie 19200,n,8,1; %3 wird verwendet</source>
        <translation>%1: &quot;%2&quot; is no port setting such as 19200,n,8,1; %3 is used</translation>
    </message>
</context>
<context>
    <name>zelmar::GrundrissWidget</name>
    <message>
        <source>AUSSEN</source>
        <translation>OUTSIDE</translation>
    </message>
    <message>
        <source>SOLAR</source>
        <translation>SOLAR</translation>
    </message>
    <message>
        <source>HEIZHAUS</source>
        <translation>BOILER HOUSE</translation>
    </message>
    <message>
        <source>LEGENDE</source>
        <translation>LEGEND</translation>
    </message>
    <message>
        <source>Kessel</source>
        <translation>Boiler</translation>
    </message>
    <message>
        <source>Puffer</source>
        <translation>Buffer</translation>
    </message>
    <message>
        <source>FLUR</source>
        <translation>HALL</translation>
    </message>
    <message>
        <source>BALKON</source>
        <translation>BALCONY</translation>
    </message>
    <message>
        <source>Slave antwortet</source>
        <translation>slave answers</translation>
    </message>
    <message>
        <source>keine Antwort</source>
        <translation>no answer</translation>
    </message>
    <message>
        <source>Heizung &gt; 30 °C</source>
        <translation>heating &gt; 30 °C</translation>
    </message>
    <message>
        <source>Heizung aus</source>
        <translation>heating off</translation>
    </message>
    <message>
        <source>Luftdruck</source>
        <translation>Air pressure</translation>
    </message>
    <message>
        <source>Sonne</source>
        <translation>Sun</translation>
    </message>
    <message>
        <source>Aufgang</source>
        <translation>Sunrise</translation>
    </message>
    <message>
        <source>Untergang</source>
        <translation>Sunset</translation>
    </message>
</context>
<context>
    <name>zelmar::HandBetriebWindow</name>
    <message>
        <source>SLAVE ADRESSE</source>
        <translation>SLAVE ADDRESS</translation>
    </message>
    <message>
        <source>INTERFACE</source>
        <translation>INTERFACE</translation>
    </message>
    <message>
        <source>RESET</source>
        <translation>RESET</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>CLOSE</source>
        <translation>CLOSE</translation>
    </message>
    <message>
        <source>END</source>
        <translation>END</translation>
    </message>
    <message>
        <source>auto RUN</source>
        <translation>auto RUN</translation>
    </message>
    <message>
        <source>repeat</source>
        <translation>repeat</translation>
    </message>
    <message>
        <source>MASTER-TRANSMITTER</source>
        <translation>MASTER-TRANSMITTER</translation>
    </message>
    <message>
        <source>MASTER-RECEIVER</source>
        <translation>MASTER-RECEIVER</translation>
    </message>
    <message>
        <source>MT + MR</source>
        <translation>MT + MR</translation>
    </message>
    <message>
        <source>ADRESSE eingeben</source>
        <translation>Enter ADDRESS</translation>
    </message>
    <message>
        <source>SLAVE - ADRESSE</source>
        <translation>SLAVE - ADDRESS</translation>
    </message>
    <message>
        <source>Fehler: WERTEBEREICH 0...127</source>
        <translation>Error: RANGE 0...127</translation>
    </message>
</context>
<context>
    <name>zelmar::HandbetriebPanel</name>
    <message>
        <source>BEFEHL (RS232 INTERFACE)</source>
        <translation>COMMAND (RS232 INTERFACE)</translation>
    </message>
    <message>
        <source>Adresse SLAVE</source>
        <translation>SLAVE address</translation>
    </message>
    <message>
        <source>RESERVE</source>
        <translation>RESERVE</translation>
    </message>
    <message>
        <source>ANZAHL SENDE-BYTES</source>
        <translation>NUMBER OF SEND BYTES</translation>
    </message>
    <message>
        <source>ANZAHL EMPFANGS-BYTES</source>
        <translation>NUMBER OF RECEIVE BYTES</translation>
    </message>
    <message>
        <source>Byte %1</source>
        <translation>Byte %1</translation>
    </message>
    <message>
        <source>senden</source>
        <translation>send</translation>
    </message>
    <message>
        <source>Empfangs-Puffer leeren und auswerten</source>
        <translation>empty and evaluate the receive buffer</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>STOP</translation>
    </message>
    <message>
        <source>PING +STOP</source>
        <translation>PING +STOP</translation>
    </message>
    <message>
        <source>PING ohne STOP</source>
        <translation>PING without STOP</translation>
    </message>
    <message>
        <source>Empfangs-Byte %1</source>
        <translation>Received byte %1</translation>
    </message>
    <message>
        <source>empfangen</source>
        <translation>receive</translation>
    </message>
    <message>
        <source>Fehler: WERTEBEREICH 0...%1 im Feld &quot;%2&quot;</source>
        <translation>Error: RANGE 0...%1 in the field &quot;%2&quot;</translation>
    </message>
    <message>
        <source>Fehler: keine ganze Zahl ab 0 im Feld &quot;%1&quot;</source>
        <translation>Error: no whole number from 0 up in the field &quot;%1&quot;</translation>
    </message>
    <message>
        <source>ERROR</source>
        <translation>ERROR</translation>
    </message>
    <message>
        <source>BEF</source>
        <translation>CMD</translation>
    </message>
    <message>
        <source>ADR</source>
        <translation>ADR</translation>
    </message>
    <message>
        <source>RES</source>
        <translation>RES</translation>
    </message>
    <message>
        <source>SEN</source>
        <translation>SND</translation>
    </message>
    <message>
        <source>EMP</source>
        <translation>RCV</translation>
    </message>
</context>
<context>
    <name>zelmar::HauptWindow</name>
    <message>
        <source>DATEI</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>EXIT</source>
        <translation>EXIT</translation>
    </message>
    <message>
        <source>Ansicht</source>
        <translation>View</translation>
    </message>
    <message>
        <source>HEIZHAUS</source>
        <translation>BOILER HOUSE</translation>
    </message>
    <message>
        <source>Extras</source>
        <translation>Extras</translation>
    </message>
    <message>
        <source>KONFIGURATION</source>
        <translation>CONFIGURATION</translation>
    </message>
    <message>
        <source>SLAVE Info</source>
        <translation>SLAVE Info</translation>
    </message>
    <message>
        <source>TEST (WOHNUNG)</source>
        <translation>TEST (APARTMENT)</translation>
    </message>
    <message>
        <source>HILFE</source>
        <translation>HELP</translation>
    </message>
    <message>
        <source>INFO</source>
        <translation>INFO</translation>
    </message>
    <message>
        <source>END</source>
        <translation>END</translation>
    </message>
</context>
<context>
    <name>zelmar::HausHeizhausWindow</name>
    <message>
        <source>HEIZHAUS</source>
        <translation>BOILER HOUSE</translation>
    </message>
    <message>
        <source>STÖRUNG</source>
        <translation>FAULT</translation>
    </message>
    <message>
        <source>close</source>
        <translation>close</translation>
    </message>
</context>
<context>
    <name>zelmar::HeizhausBild</name>
    <message>
        <source>HEIZHAUS</source>
        <translation>BOILER HOUSE</translation>
    </message>
    <message>
        <source>KESSEL</source>
        <translation>BOILER</translation>
    </message>
    <message>
        <source>PUFFER</source>
        <translation>BUFFER</translation>
    </message>
    <message>
        <source>Vorlauf</source>
        <translation>Flow</translation>
    </message>
    <message>
        <source>Rücklauf</source>
        <translation>Return</translation>
    </message>
</context>
<context>
    <name>zelmar::HilfeWindow</name>
    <message>
        <source> PROTOKOLL PC &lt;===&gt; RS232 Interface</source>
        <translation> PROTOCOL PC &lt;===&gt; RS232 interface</translation>
    </message>
    <message>
        <source>   Zeichen 1 ====&gt;* (Vorspann)</source>
        <translation>   Char 1 ====&gt;* (header)</translation>
    </message>
    <message>
        <source>   Zeichen 2 ====&gt;Befehl</source>
        <translation>   Char 2 ====&gt;Command</translation>
    </message>
    <message>
        <source>   Zeichen 3 ====&gt;Adresse SLAVE</source>
        <translation>   Char 3 ====&gt;SLAVE address</translation>
    </message>
    <message>
        <source>   Zeichen 3 ====&gt;RESERVE</source>
        <translation>   Char 3 ====&gt;RESERVE</translation>
    </message>
    <message>
        <source>   Zeichen 4 ====&gt;Anzahl zu sendende Zeichen   (low)</source>
        <translation>   Char 4 ====&gt;Number of chars to send      (low)</translation>
    </message>
    <message>
        <source>   Zeichen 5 ====&gt;Anzahl zu sendende Zeichen   (high)</source>
        <translation>   Char 5 ====&gt;Number of chars to send      (high)</translation>
    </message>
    <message>
        <source>   Zeichen 6 ====&gt;Anzahl zu empfangene Zeichen (low)</source>
        <translation>   Char 6 ====&gt;Number of chars to receive   (low)</translation>
    </message>
    <message>
        <source>   Zeichen 7 ====&gt;Anzahl zu empfangene Zeichen (high)</source>
        <translation>   Char 7 ====&gt;Number of chars to receive   (high)</translation>
    </message>
    <message>
        <source>   Zeichen 8 ====&gt;# (Nachspann)</source>
        <translation>   Char 8 ====&gt;# (trailer)</translation>
    </message>
    <message>
        <source>   Zeichen 9...==&gt;# DATEN</source>
        <translation>   Char 9...==&gt;# DATA</translation>
    </message>
    <message>
        <source>   Zeichen 9...==&gt;# (Nachspann)</source>
        <translation>   Char 9...==&gt;# (trailer)</translation>
    </message>
    <message>
        <source> Befehle</source>
        <translation> Commands</translation>
    </message>
    <message>
        <source> BEFEHL=   0 ==&gt; DUMMY an PC senden (zur Überprüfung der Verbindung)   ANTWORT vom µC==&gt; 0</source>
        <translation> COMMAND=   0 ==&gt; send DUMMY to the PC (checks the connection)        REPLY from µC==&gt; 0</translation>
    </message>
    <message>
        <source> BEFEHL=   1 ==&gt; MCUCSR auslesen (Grund des letzten Resets (z.B. WDR)  ANTWORT vom µC==&gt; WERT</source>
        <translation> COMMAND=   1 ==&gt; read MCUCSR (cause of the last reset (e.g. WDR))    REPLY from µC==&gt; VALUE</translation>
    </message>
    <message>
        <source> BEFEHL=   2 ==&gt; MCUCSR CLEAR                                          ANTWORT vom µC==&gt; 0</source>
        <translation> COMMAND=   2 ==&gt; MCUCSR CLEAR                                        REPLY from µC==&gt; 0</translation>
    </message>
    <message>
        <source> BEFEHL=   3 ==&gt; Spannung auslesen                                     ANTWORT vom µC==&gt; WERT</source>
        <translation> COMMAND=   3 ==&gt; read voltage                                        REPLY from µC==&gt; VALUE</translation>
    </message>
    <message>
        <source> BEFEHL=   4 ==&gt; NAME des Interfaces auslesen                          ANTWORT vom µC==&gt; WERT (16 Zeichen)</source>
        <translation> COMMAND=   4 ==&gt; read the interface&apos;s NAME                           REPLY from µC==&gt; VALUE (16 chars)</translation>
    </message>
    <message>
        <source> BEFEHL=   5 ==&gt; TWI - AUS                                             ANTWORT vom µC==&gt; 0</source>
        <translation> COMMAND=   5 ==&gt; TWI - OFF                                           REPLY from µC==&gt; 0</translation>
    </message>
    <message>
        <source> BEFEHL=   8 ==&gt; TWI-BUS-PINS-ZUSTAND auslesen                         ANTWORT vom µC==&gt; WERT  (0=OK 1=SDA 2=SCL 3=SDA+SCL)</source>
        <translation> COMMAND=   8 ==&gt; read TWI BUS PIN STATE                              REPLY from µC==&gt; VALUE  (0=OK 1=SDA 2=SCL 3=SDA+SCL)</translation>
    </message>
    <message>
        <source> BEFEHL=   9 ==&gt; TWI-BUS-SPANNUNG-RESET (Versorgungsspannung für SLAVE)ANTWORT vom µC==&gt; 0</source>
        <translation> COMMAND=   9 ==&gt; TWI BUS VOLTAGE RESET (SLAVE supply voltage)        REPLY from µC==&gt; 0</translation>
    </message>
    <message>
        <source> BEFEHL=  10 ==&gt; Reset µC                                              ANTWORT vom µC==&gt; 0</source>
        <translation> COMMAND=  10 ==&gt; reset µC                                            REPLY from µC==&gt; 0</translation>
    </message>
    <message>
        <source> BEFEHL=  11 ==&gt; Reset BETRIEBSSPANNUNG                                ANTWORT vom µC==&gt; 0</source>
        <translation> COMMAND=  11 ==&gt; reset OPERATING VOLTAGE                             REPLY from µC==&gt; 0</translation>
    </message>
    <message>
        <source> BEFEHL=  12 ==&gt; TAKT auslesen                                         ANTWORT vom µC==&gt; WERT (Byte1+2+3+4)</source>
        <translation> COMMAND=  12 ==&gt; read CLOCK                                          REPLY from µC==&gt; VALUE (byte1+2+3+4)</translation>
    </message>
    <message>
        <source> BEFEHL=  15 ==&gt; Fehlercode auslesen                                   ANTWORT vom µC==&gt; WERT</source>
        <translation> COMMAND=  15 ==&gt; read error code                                     REPLY from µC==&gt; VALUE</translation>
    </message>
    <message>
        <source> BEFEHL=  20 ==&gt; TWBR lesen                                            ANTWORT vom µC==&gt; WERT</source>
        <translation> COMMAND=  20 ==&gt; read TWBR                                           REPLY from µC==&gt; VALUE</translation>
    </message>
    <message>
        <source> BEFEHL=  21 ==&gt; TWSR lesen                                            ANTWORT vom µC==&gt; WERT</source>
        <translation> COMMAND=  21 ==&gt; read TWSR                                           REPLY from µC==&gt; VALUE</translation>
    </message>
    <message>
        <source> BEFEHL=  22 ==&gt; TWAR lesen                                            ANTWORT vom µC==&gt; WERT</source>
        <translation> COMMAND=  22 ==&gt; read TWAR                                           REPLY from µC==&gt; VALUE</translation>
    </message>
    <message>
        <source> BEFEHL=  23 ==&gt; TWCR lesen                                            ANTWORT vom µC==&gt; WERT</source>
        <translation> COMMAND=  23 ==&gt; read TWCR                                           REPLY from µC==&gt; VALUE</translation>
    </message>
    <message>
        <source> BEFEHL=  24 ==&gt; TWDR lesen                                            ANTWORT vom µC==&gt; WERT</source>
        <translation> COMMAND=  24 ==&gt; read TWDR                                           REPLY from µC==&gt; VALUE</translation>
    </message>
    <message>
        <source> BEFEHL=  30 ==&gt; TWBR setzen                                           ANTWORT vom µC==&gt; 0</source>
        <translation> COMMAND=  30 ==&gt; set TWBR                                            REPLY from µC==&gt; 0</translation>
    </message>
    <message>
        <source> BEFEHL=  31 ==&gt; TWSR setzen                                           ANTWORT vom µC==&gt; 0</source>
        <translation> COMMAND=  31 ==&gt; set TWSR                                            REPLY from µC==&gt; 0</translation>
    </message>
    <message>
        <source> BEFEHL=  32 ==&gt; TWAR setzen                                           ANTWORT vom µC==&gt; 0</source>
        <translation> COMMAND=  32 ==&gt; set TWAR                                            REPLY from µC==&gt; 0</translation>
    </message>
    <message>
        <source> BEFEHL=  33 ==&gt; TWCR setzen                                           ANTWORT vom µC==&gt; 0</source>
        <translation> COMMAND=  33 ==&gt; set TWCR                                            REPLY from µC==&gt; 0</translation>
    </message>
    <message>
        <source> BEFEHL=  34 ==&gt; TWDR setzen                                           ANTWORT vom µC==&gt; 0</source>
        <translation> COMMAND=  34 ==&gt; set TWDR                                            REPLY from µC==&gt; 0</translation>
    </message>
    <message>
        <source> BEFEHL=  50 ==&gt; START MT + DATEN + STOP</source>
        <translation> COMMAND=  50 ==&gt; START MT + DATA + STOP</translation>
    </message>
    <message>
        <source> BEFEHL=  60 ==&gt; START MT + DATEN</source>
        <translation> COMMAND=  60 ==&gt; START MT + DATA</translation>
    </message>
    <message>
        <source> BEFEHL=  65 ==&gt; DATEN an SLAVE senden</source>
        <translation> COMMAND=  65 ==&gt; send DATA to the SLAVE</translation>
    </message>
    <message>
        <source> BEFEHL=  80 ==&gt; START MR + DATEN + STOP</source>
        <translation> COMMAND=  80 ==&gt; START MR + DATA + STOP</translation>
    </message>
    <message>
        <source> BEFEHL= 100 ==&gt; STOP</source>
        <translation> COMMAND= 100 ==&gt; STOP</translation>
    </message>
    <message>
        <source>Form1</source>
        <translation>Form1</translation>
    </message>
    <message>
        <source>THEMA1</source>
        <translation>TOPIC1</translation>
    </message>
    <message>
        <source>Einstellungen und DATEN: </source>
        <translation>Settings and DATA: </translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>zelmar::KonfigurationWindow</name>
    <message>
        <source>DATUM / ZEIT</source>
        <translation>DATE / TIME</translation>
    </message>
    <message>
        <source>Verzeichnis der Einstellungen, PORTS.ini und DATEN</source>
        <translation>Directory of the settings, PORTS.ini and DATA</translation>
    </message>
    <message>
        <source>ANSICHT</source>
        <translation>VIEW</translation>
    </message>
    <message>
        <source>allgemein</source>
        <translation>general</translation>
    </message>
    <message>
        <source>TWI</source>
        <translation>TWI</translation>
    </message>
    <message>
        <source>TWI-PROFI</source>
        <translation>TWI EXPERT</translation>
    </message>
    <message>
        <source>MODEM</source>
        <translation>MODEM</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>END</source>
        <translation>END</translation>
    </message>
    <message>
        <source>RS232-TWI-INTERFACE</source>
        <translation>RS232-TWI-INTERFACE</translation>
    </message>
    <message>
        <source>MODEM-STEUERUNG</source>
        <translation>MODEM CONTROL</translation>
    </message>
    <message>
        <source>ADRESSE SLAVE</source>
        <translation>SLAVE ADDRESS</translation>
    </message>
    <message>
        <source>TWI-SLAVE-ADRESSEN SCANER</source>
        <translation>TWI SLAVE ADDRESS SCANNER</translation>
    </message>
    <message>
        <source>TWI_SLAVE-INFO-abfragen (16 BYTE)</source>
        <translation>query TWI SLAVE INFO (16 BYTES)</translation>
    </message>
    <message>
        <source>TWI-FEHLER-ERZEUGEN</source>
        <translation>CAUSE TWI ERROR</translation>
    </message>
    <message>
        <source>TWI- SCL-Frequenz</source>
        <translation>TWI SCL frequency</translation>
    </message>
    <message>
        <source>SLAVE-SCHALTEN</source>
        <translation>SLAVE SWITCHES</translation>
    </message>
    <message>
        <source>HAND-BETRIEB-SENDEN</source>
        <translation>MANUAL MODE SEND</translation>
    </message>
    <message>
        <source>HAND-BETRIEB-EMPFANGEN</source>
        <translation>MANUAL MODE RECEIVE</translation>
    </message>
    <message>
        <source>STANDARD-BEFEHLE</source>
        <translation>STANDARD COMMANDS</translation>
    </message>
    <message>
        <source>TWI-SONDERFUNKTIONEN</source>
        <translation>TWI SPECIAL FUNCTIONS</translation>
    </message>
</context>
<context>
    <name>zelmar::Link</name>
    <message>
        <source>WARTEN auf DATEN</source>
        <translation>WAITING for DATA</translation>
    </message>
    <message>
        <source>DATEN werden noch empfangen</source>
        <translation>DATA are still being received</translation>
    </message>
    <message>
        <source>Schnittstelle reserviert</source>
        <translation>port reserved</translation>
    </message>
    <message>
        <source>belegt von Prozess %1 (%2)</source>
        <translation>held by process %1 (%2)</translation>
    </message>
    <message>
        <source>belegt von einem anderen Programm</source>
        <translation>held by another program</translation>
    </message>
    <message>
        <source>COM-PORT konnte nicht geöffnet werden<byte value="xd"/>
</source>
        <translation>COM PORT could not be opened<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Aktion wird abgebrochen !!!</source>
        <translation>Action is cancelled !!!</translation>
    </message>
    <message>
        <source>COM-PORT nicht geöffnet</source>
        <translation>COM PORT not open</translation>
    </message>
    <message>
        <source>FEHLER: ANZAHL SENDEBYTES zu groß, maximal 65.535</source>
        <translation>ERROR: NUMBER OF SEND BYTES too large, at most 65,535</translation>
    </message>
    <message>
        <source>FEHLER: ANZAHL SENDEBYTES ungültig, erlaubt 0 bis 65.535</source>
        <translation>ERROR: NUMBER OF SEND BYTES invalid, allowed 0 to 65,535</translation>
    </message>
    <message>
        <source>ANZAHL SENDEBYTES ungültig</source>
        <translation>NUMBER OF SEND BYTES invalid</translation>
    </message>
    <message>
        <source>FEHLER: ANZAHL EMPFANGSBYTES zu groß, maximal 65.535</source>
        <translation>ERROR: NUMBER OF RECEIVE BYTES too large, at most 65,535</translation>
    </message>
    <message>
        <source>FEHLER: ANZAHL EMPFANGSBYTES ungültig, erlaubt 0 bis 65.535</source>
        <translation>ERROR: NUMBER OF RECEIVE BYTES invalid, allowed 0 to 65,535</translation>
    </message>
    <message>
        <source>ANZAHL EMPFANGSBYTES ungültig</source>
        <translation>NUMBER OF RECEIVE BYTES invalid</translation>
    </message>
    <message>
        <source>RAHMEN konnte nicht gesendet werden</source>
        <translation>FRAME could not be sent</translation>
    </message>
    <message>
        <source>keine DATEN !!!</source>
        <translation>no DATA !!!</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>ok</translation>
    </message>
    <message>
        <source>COM-PORT wurde geschlossen, keine Verbindung<byte value="xd"/>
Aktion wird abgebrochen !!!</source>
        <translation>COM PORT was closed, no connection<byte value="xd"/>
Action is cancelled !!!</translation>
    </message>
</context>
<context>
    <name>zelmar::ModemPanel</name>
    <message>
        <source>MODEM-BEFEHL</source>
        <translation>MODEM COMMAND</translation>
    </message>
    <message>
        <source>&quot;AT&quot;-senden</source>
        <translation>send &quot;AT&quot;</translation>
    </message>
    <message>
        <source>&quot;chr(13)&quot;-senden</source>
        <translation>send &quot;chr(13)&quot;</translation>
    </message>
    <message>
        <source>an MODEM senden</source>
        <translation>send to MODEM</translation>
    </message>
    <message>
        <source>zuletzt gesendet</source>
        <translation>sent last</translation>
    </message>
    <message>
        <source>MODEMANTWORT</source>
        <translation>MODEM REPLY</translation>
    </message>
    <message>
        <source>Empfang ein, solange die Ansicht MODEM gilt</source>
        <translation>receiving while the MODEM view is chosen</translation>
    </message>
    <message>
        <source>Anzahl der Zeichen</source>
        <translation>Number of characters</translation>
    </message>
    <message>
        <source>ASC</source>
        <translation>ASC</translation>
    </message>
    <message>
        <source>in TXT-Datei speichern</source>
        <translation>save to TXT file</translation>
    </message>
    <message>
        <source>DATEN werden noch empfangen</source>
        <translation>DATA are still being received</translation>
    </message>
    <message>
        <source>erfolgreich gespeichert </source>
        <translation>saved successfully </translation>
    </message>
    <message>
        <source>FEHLER: konnte nicht gespeichert werden !!!</source>
        <translation>ERROR: could not be saved !!!</translation>
    </message>
    <message>
        <source>SCHWERER FEHLER: COM-Port kann nicht geöffnet werden, aktion wird abgebrochen</source>
        <translation>SEVERE ERROR: COM port cannot be opened, action is cancelled</translation>
    </message>
</context>
<context>
    <name>zelmar::PortStatusPanel</name>
    <message>
        <source>COM-PORT-STATUS</source>
        <translation>COM PORT STATUS</translation>
    </message>
    <message>
        <source>die zuletzt gesendeten Rahmen</source>
        <translation>the frames sent last</translation>
    </message>
    <message>
        <source>holen</source>
        <translation>fetch</translation>
    </message>
    <message>
        <source>ein wartendes Antwort-Byte holen</source>
        <translation>fetch a waiting reply byte</translation>
    </message>
    <message>
        <source>TCP/IP</source>
        <translation>TCP/IP</translation>
    </message>
    <message>
        <source>Wartezeit je Antwortbyte (bisher gewartet)</source>
        <translation>Wait per reply byte (waited so far)</translation>
    </message>
    <message>
        <source>Wert eingeben</source>
        <translation>Enter value</translation>
    </message>
    <message>
        <source>WARTEZEIT</source>
        <translation>WAIT</translation>
    </message>
    <message>
        <source>FEHLER: WERTEBEREICH 1..... 65000  !</source>
        <translation>ERROR: RANGE 1..... 65000  !</translation>
    </message>
    <message>
        <source> ms (</source>
        <translation> ms (</translation>
    </message>
    <message>
        <source>INPUT: </source>
        <translation>INPUT: </translation>
    </message>
    <message>
        <source>open</source>
        <translation>open</translation>
    </message>
    <message>
        <source>close</source>
        <translation>close</translation>
    </message>
</context>
<context>
    <name>zelmar::ReceiverFrame</name>
    <message>
        <source>MASTER RECEIVER</source>
        <translation>MASTER RECEIVER</translation>
    </message>
    <message>
        <source>START</source>
        <translation>START</translation>
    </message>
    <message>
        <source>ADRESSE</source>
        <translation>ADDRESS</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>STOP</translation>
    </message>
    <message>
        <source>%1.BYTE holen</source>
        <translation>fetch BYTE %1</translation>
    </message>
    <message>
        <source>DATEN vom SLAVE</source>
        <translation>DATA from the SLAVE</translation>
    </message>
    <message>
        <source>SUMME </source>
        <translation>SUM </translation>
    </message>
    <message>
        <source>SUMME von BYTE 2+3+4</source>
        <translation>SUM of BYTE 2+3+4</translation>
    </message>
    <message>
        <source>TWI off</source>
        <translation>TWI off</translation>
    </message>
    <message>
        <source>SUMME dizimal</source>
        <translation>SUM decimal</translation>
    </message>
    <message>
        <source>mehrere Zeichen empfangen</source>
        <translation>receive several characters</translation>
    </message>
    <message>
        <source>senden -ACK- (TWEA=1) für mehrere Daten-Bytes</source>
        <translation>send -ACK- (TWEA=1) for several data bytes</translation>
    </message>
    <message>
        <source>letztes Zeichen oder nur ein Zeichen empfangen</source>
        <translation>receive the last or the only character</translation>
    </message>
    <message>
        <source>senden -NOT ACK- (TWEA=0) für letztes bzw für ein Daten-Byte</source>
        <translation>send -NOT ACK- (TWEA=0) for the last or the only data byte</translation>
    </message>
    <message>
        <source>dez</source>
        <translation>dec</translation>
    </message>
    <message>
        <source>hex</source>
        <translation>hex</translation>
    </message>
    <message>
        <source>asc</source>
        <translation>asc</translation>
    </message>
</context>
<context>
    <name>zelmar::RegisterPanel</name>
    <message>
        <source>DATEN werden noch empfangen</source>
        <translation>DATA are still being received</translation>
    </message>
    <message>
        <source>TWSR bereinigt (BIT 0+1 ausgeblendet)</source>
        <translation>TWSR cleaned (BIT 0+1 masked)</translation>
    </message>
    <message>
        <source> abfragen</source>
        <translation> query</translation>
    </message>
    <message>
        <source>ADRESSE SLAVE (bereinigt) =&gt; ohne TWGCE (1x nach rechts verschoben)</source>
        <translation>SLAVE ADDRESS (cleaned) =&gt; without TWGCE (shifted right once)</translation>
    </message>
    <message>
        <source>Sollte größer als 10 sein</source>
        <translation>Should be greater than 10</translation>
    </message>
    <message>
        <source> ist geöffnet: die Schnittstelle ist bis zum Schließen reserviert.<byte value="xd"/>
Aktion wird abgebrochen !!!</source>
        <translation> is open: the port is reserved until it closes.<byte value="xd"/>
Action is cancelled !!!</translation>
    </message>
    <message>
        <source>TWBR senden</source>
        <translation>send TWBR</translation>
    </message>
    <message>
        <source>Bit RATE Register</source>
        <translation>Bit RATE Register</translation>
    </message>
    <message>
        <source>TWSR senden</source>
        <translation>send TWSR</translation>
    </message>
    <message>
        <source>STATUS-Register (TWI_PRESCALER)</source>
        <translation>STATUS register (TWI_PRESCALER)</translation>
    </message>
    <message>
        <source>TWAR senden</source>
        <translation>send TWAR</translation>
    </message>
    <message>
        <source>Adress-Register (nur SLAVE)</source>
        <translation>Address register (SLAVE only)</translation>
    </message>
    <message>
        <source>TWCR senden</source>
        <translation>send TWCR</translation>
    </message>
    <message>
        <source>Control-REGISTER 1&lt;&lt;TWINT|1&lt;&lt;TWEA|0&lt;&lt;TWSTA|0&lt;&lt;TWSTO|0&lt;&lt;TWWC|1&lt;&lt;TWEN|1&lt;&lt;TWIE</source>
        <translation>Control REGISTER 1&lt;&lt;TWINT|1&lt;&lt;TWEA|0&lt;&lt;TWSTA|0&lt;&lt;TWSTO|0&lt;&lt;TWWC|1&lt;&lt;TWEN|1&lt;&lt;TWIE</translation>
    </message>
    <message>
        <source>TWDR senden</source>
        <translation>send TWDR</translation>
    </message>
    <message>
        <source>DATA Register</source>
        <translation>DATA Register</translation>
    </message>
</context>
<context>
    <name>zelmar::RegisterWindow</name>
    <message>
        <source>w</source>
        <translation>w</translation>
    </message>
    <message>
        <source>den WERT in das Register schreiben</source>
        <translation>write the VALUE into the register</translation>
    </message>
    <message>
        <source>REFRESH</source>
        <translation>REFRESH</translation>
    </message>
    <message>
        <source>repead</source>
        <translation>repeat</translation>
    </message>
    <message>
        <source>close</source>
        <translation>close</translation>
    </message>
    <message>
        <source>end</source>
        <translation>end</translation>
    </message>
    <message>
        <source>Die BEMERKUNGEN konnten nicht gespeichert werden:<byte value="xd"/>
</source>
        <translation>The REMARKS could not be saved:<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>REGISTER Fehler</source>
        <translation>REGISTER error</translation>
    </message>
    <message>
        <source>FEHLER</source>
        <translation>ERROR</translation>
    </message>
    <message>
        <source>Fehler: kein WERT eingegeben</source>
        <translation>Error: no VALUE entered</translation>
    </message>
    <message>
        <source>Fehler: WERT &quot;%1&quot; ungültig</source>
        <translation>Error: VALUE &quot;%1&quot; invalid</translation>
    </message>
    <message>
        <source><byte value="xd"/>
erlaubt: 0...255 (dezimal)</source>
        <translation><byte value="xd"/>
allowed: 0...255 (decimal)</translation>
    </message>
</context>
<context>
    <name>zelmar::ScannerPanel</name>
    <message>
        <source>START</source>
        <translation>START</translation>
    </message>
    <message>
        <source>gefundene SLAVE-ADRESSEN</source>
        <translation>SLAVE ADDRESSES found</translation>
    </message>
</context>
<context>
    <name>zelmar::SchalterPanel</name>
    <message>
        <source>holen</source>
        <translation>fetch</translation>
    </message>
    <message>
        <source>setzen</source>
        <translation>set</translation>
    </message>
    <message>
        <source>Möchten Sie wirklich diese Schalterstellung setzen</source>
        <translation>Do you really want to set these switch positions</translation>
    </message>
    <message>
        <source>WARNUNG</source>
        <translation>WARNING</translation>
    </message>
    <message>
        <source>FEHLER: Schalterstellung konnte nicht gelesen werden (STATUS_CODE %1)</source>
        <translation>ERROR: switch positions could not be read (STATUS_CODE %1)</translation>
    </message>
</context>
<context>
    <name>zelmar::Schritt</name>
    <message>
        <source>TWSR-STATUS (hex)</source>
        <translation>TWSR STATUS (hex)</translation>
    </message>
    <message>
        <source>enabled</source>
        <translation>enabled</translation>
    </message>
</context>
<context>
    <name>zelmar::SclRechnerPanel</name>
    <message>
        <source>TAKT</source>
        <translation>CLOCK</translation>
    </message>
    <message>
        <source>TAKT des INTERFACE in Hz</source>
        <translation>CLOCK of the INTERFACE in Hz</translation>
    </message>
    <message>
        <source>BITRATE</source>
        <translation>BIT RATE</translation>
    </message>
    <message>
        <source>TWBR</source>
        <translation>TWBR</translation>
    </message>
    <message>
        <source>PRE(1,4,16,64)</source>
        <translation>PRE(1,4,16,64)</translation>
    </message>
    <message>
        <source>PRESCALER (TWPS)</source>
        <translation>PRESCALER (TWPS)</translation>
    </message>
    <message>
        <source>SCL-Frequenz</source>
        <translation>SCL frequency</translation>
    </message>
    <message>
        <source>kleinste SCL-Frequenz</source>
        <translation>lowest SCL frequency</translation>
    </message>
    <message>
        <source>größte SCL-Frequenz</source>
        <translation>highest SCL frequency</translation>
    </message>
    <message>
        <source>senden</source>
        <translation>send</translation>
    </message>
    <message>
        <source>BITRATE und PRESCALER an das INTERFACE</source>
        <translation>BIT RATE and PRESCALER to the INTERFACE</translation>
    </message>
    <message>
        <source>holen</source>
        <translation>fetch</translation>
    </message>
    <message>
        <source>TAKT, BITRATE und PRESCALER vom INTERFACE</source>
        <translation>CLOCK, BIT RATE and PRESCALER from the INTERFACE</translation>
    </message>
    <message>
        <source>bitte FELD - Takt prüfen</source>
        <translation>please check FIELD - clock</translation>
    </message>
    <message>
        <source>bitte FELD - BITRATE prüfen
	
	sollte größer 10 sein</source>
        <translation>please check FIELD - BIT RATE
	
	should be greater than 10</translation>
    </message>
    <message>
        <source> Hz</source>
        <translation> Hz</translation>
    </message>
    <message>
        <source>bitte FELD - PRESCALER prüfen
	
	mögliche WERTE:
	
	1, 4, 16, 64</source>
        <translation>please check FIELD - PRESCALER
	
	possible VALUES:
	
	1, 4, 16, 64</translation>
    </message>
    <message>
        <source>bitte FELD - BITRATE prüfen
	
	WERTEBEREICH 0...255, es wurde nichts gesendet</source>
        <translation>please check FIELD - BIT RATE
	
	RANGE 0...255, nothing was sent</translation>
    </message>
</context>
<context>
    <name>zelmar::SlaveAdressePanel</name>
    <message>
        <source>aktuelle SLAVE-ADRESSE</source>
        <translation>current SLAVE ADDRESS</translation>
    </message>
    <message>
        <source>ADRESSE eingeben</source>
        <translation>Enter ADDRESS</translation>
    </message>
    <message>
        <source>SLAVE - ADRESSE</source>
        <translation>SLAVE - ADDRESS</translation>
    </message>
    <message>
        <source>Fehler: WERTEBEREICH 0...127</source>
        <translation>Error: RANGE 0...127</translation>
    </message>
</context>
<context>
    <name>zelmar::SlaveInfoPanel</name>
    <message>
        <source>START</source>
        <translation>START</translation>
    </message>
    <message>
        <source>Name des SLAVE</source>
        <translation>Name of the SLAVE</translation>
    </message>
</context>
<context>
    <name>zelmar::SlaveInfoWindow</name>
    <message>
        <source>ADRESSE</source>
        <translation>ADDRESS</translation>
    </message>
    <message>
        <source>SLAVE-TYP</source>
        <translation>SLAVE TYPE</translation>
    </message>
    <message>
        <source>SLAVE INFO auslesen</source>
        <translation>read SLAVE INFO</translation>
    </message>
    <message>
        <source>Adressen Scanner</source>
        <translation>Address scanner</translation>
    </message>
    <message>
        <source>Anlage prüfen</source>
        <translation>Check installation</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>abbrechen</source>
        <translation>cancel</translation>
    </message>
    <message>
        <source>END</source>
        <translation>END</translation>
    </message>
    <message>
        <source>EEPROM65k</source>
        <translation>EEPROM65k</translation>
    </message>
    <message>
        <source>ADRESSE eingeben</source>
        <translation>Enter ADDRESS</translation>
    </message>
    <message>
        <source>SLAVE - ADRESSE</source>
        <translation>SLAVE - ADDRESS</translation>
    </message>
    <message>
        <source>Fehler: WERTEBEREICH 0...127</source>
        <translation>Error: RANGE 0...127</translation>
    </message>
    <message>
        <source>FEHLER =&gt; Adresse 0 (General Call) darf/kann nicht ausgelesen werden</source>
        <translation>ERROR =&gt; address 0 (general call) may/can not be read</translation>
    </message>
    <message>
        <source>Anlage prüfen: %1 Adressen haben geantwortet.</source>
        <translation>Check installation: %1 addresses answered.</translation>
    </message>
    <message>
        <source>keine</source>
        <translation>none</translation>
    </message>
    <message>
        <source>fehlt (Name, aber keine Antwort)</source>
        <translation>missing (name, but no answer)</translation>
    </message>
    <message>
        <source>fehlt: hat einen Namen, hat aber nicht geantwortet</source>
        <translation>missing: has a name, but did not answer</translation>
    </message>
    <message>
        <source>unbekannt (Antwort, aber kein Name)</source>
        <translation>unknown (answer, but no name)</translation>
    </message>
    <message>
        <source>unbekannt: hat geantwortet, hat aber keinen Namen</source>
        <translation>unknown: answered, but has no name</translation>
    </message>
    <message>
        <source>Die Anlage entspricht dem Verzeichnis.</source>
        <translation>The installation matches the directory.</translation>
    </message>
    <message>
        <source>scannen und mit den Namen vergleichen: gelb = fehlt (Name, aber keine Antwort), cyan = unbekannt (Antwort, aber kein Name)</source>
        <translation>scan and compare with the names: yellow = missing (name, but no answer), cyan = unknown (answer, but no name)</translation>
    </message>
    <message>
        <source>Anlage prüfen: bei %1 von 128 Adressen hat das Interface nicht geantwortet.<byte value="xd"/>
<byte value="xd"/>
Ohne vollständigen Scan wird nichts markiert.</source>
        <translation>Check installation: the interface did not answer at %1 of 128 addresses.<byte value="xd"/>
<byte value="xd"/>
Without a complete scan nothing is marked.</translation>
    </message>
</context>
<context>
    <name>zelmar::SonderfunktionenPanel</name>
    <message>
        <source>HAND</source>
        <translation>MANUAL</translation>
    </message>
    <message>
        <source>Register</source>
        <translation>Registers</translation>
    </message>
    <message>
        <source>65K EEPROM extern...</source>
        <translation>65K external EEPROM...</translation>
    </message>
    <message>
        <source>SRAM...</source>
        <translation>SRAM...</translation>
    </message>
</context>
<context>
    <name>zelmar::SramWindow</name>
    <message>
        <source>SRAM</source>
        <translation>SRAM</translation>
    </message>
    <message>
        <source>w</source>
        <translation>w</translation>
    </message>
    <message>
        <source>den WERT dieser Zeile schreiben</source>
        <translation>write this row&apos;s VALUE</translation>
    </message>
    <message>
        <source>Darstellung</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>hex</source>
        <translation>hex</translation>
    </message>
    <message>
        <source>chr</source>
        <translation>chr</translation>
    </message>
    <message>
        <source>dez</source>
        <translation>dec</translation>
    </message>
    <message>
        <source>SRAM auslesen</source>
        <translation>read SRAM</translation>
    </message>
    <message>
        <source>Startposition dezimal:</source>
        <translation>Start position decimal:</translation>
    </message>
    <message>
        <source>Adresse der ersten Zeile, 0...65535</source>
        <translation>Address of the first row, 0...65535</translation>
    </message>
    <message>
        <source>+100</source>
        <translation>+100</translation>
    </message>
    <message>
        <source>-100</source>
        <translation>-100</translation>
    </message>
    <message>
        <source>ANZEIGE</source>
        <translation>DISPLAY</translation>
    </message>
    <message>
        <source>die gelesenen Werte in der gewählten Darstellung</source>
        <translation>the values read, in the chosen display</translation>
    </message>
    <message>
        <source>REFRESH</source>
        <translation>REFRESH</translation>
    </message>
    <message>
        <source>repead</source>
        <translation>repeat</translation>
    </message>
    <message>
        <source>close</source>
        <translation>close</translation>
    </message>
    <message>
        <source>END</source>
        <translation>END</translation>
    </message>
    <message>
        <source>Fehler: STARTPOSITION </source>
        <translation>Error: START POSITION </translation>
    </message>
    <message>
        <source><byte value="xd"/>
erlaubt: 0...255 (dezimal)</source>
        <translation><byte value="xd"/>
allowed: 0...255 (decimal)</translation>
    </message>
    <message>
        <source>Fehler: der WERT &quot;%1&quot; ist %2 dargestellt</source>
        <translation>Error: the VALUE &quot;%1&quot; is shown %2</translation>
    </message>
    <message>
        <source>hexadezimal</source>
        <translation>in hexadecimal</translation>
    </message>
    <message>
        <source>als Zeichen</source>
        <translation>as characters</translation>
    </message>
    <message>
        <source>Fehler: kein WERT eingegeben</source>
        <translation>Error: no VALUE entered</translation>
    </message>
    <message>
        <source>Fehler: WERT &quot;%1&quot; ungültig</source>
        <translation>Error: VALUE &quot;%1&quot; invalid</translation>
    </message>
    <message>
        <source>Fehler: ADRESSE </source>
        <translation>Error: ADDRESS </translation>
    </message>
    <message>
        <source>%1 ungültig, erlaubt 0...%2</source>
        <translation>%1 invalid, allowed 0...%2</translation>
    </message>
</context>
<context>
    <name>zelmar::StandardBefehlePanel</name>
    <message>
        <source>aus</source>
        <translation>off</translation>
    </message>
    <message>
        <source>ZEIT</source>
        <translation>TIME</translation>
    </message>
    <message>
        <source>DATUM</source>
        <translation>DATE</translation>
    </message>
    <message>
        <source>Dummy</source>
        <translation>Dummy</translation>
    </message>
    <message>
        <source>RESET</source>
        <translation>RESET</translation>
    </message>
    <message>
        <source>CLEAR</source>
        <translation>CLEAR</translation>
    </message>
    <message>
        <source>SPAR-ON</source>
        <translation>SAVE-ON</translation>
    </message>
    <message>
        <source>SPAR-OFF</source>
        <translation>SAVE-OFF</translation>
    </message>
    <message>
        <source>FEHLER</source>
        <translation>ERROR</translation>
    </message>
    <message>
        <source>FEHLER ANZAHL</source>
        <translation>ERROR COUNT</translation>
    </message>
    <message>
        <source>senden</source>
        <translation>send</translation>
    </message>
    <message>
        <source>holen</source>
        <translation>fetch</translation>
    </message>
    <message>
        <source>WERT-%1</source>
        <translation>VALUE-%1</translation>
    </message>
    <message>
        <source>sonstiges %1</source>
        <translation>other %1</translation>
    </message>
    <message>
        <source>START</source>
        <translation>START</translation>
    </message>
    <message>
        <source>repead</source>
        <translation>repeat</translation>
    </message>
    <message>
        <source>PC stellen</source>
        <translation>set PC</translation>
    </message>
    <message>
        <source>die PC-Uhr einmal nach der geholten SLAVE-ZEIT stellen</source>
        <translation>set the PC clock once to the SLAVE TIME fetched</translation>
    </message>
    <message>
        <source>Antwort-Byte %1</source>
        <translation>Reply byte %1</translation>
    </message>
    <message>
        <source>PC-ZEIT</source>
        <translation>PC TIME</translation>
    </message>
    <message>
        <source>Möchten Sie wirklich einen RESET senden ?</source>
        <translation>Do you really want to send a RESET ?</translation>
    </message>
    <message>
        <source>WARNUNG</source>
        <translation>WARNING</translation>
    </message>
</context>
<context>
    <name>zelmar::Start</name>
    <message>
        <source>Einstellungen, die nicht verwendet werden:</source>
        <translation>Settings that are not used:</translation>
    </message>
    <message>
        <source>PROGRAMMSTART</source>
        <translation>PROGRAM START</translation>
    </message>
</context>
<context>
    <name>zelmar::StartWindow</name>
    <message>
        <source>INFO</source>
        <translation>INFO</translation>
    </message>
</context>
<context>
    <name>zelmar::TransmitterFrame</name>
    <message>
        <source>MASTER TRANSMITTER</source>
        <translation>MASTER TRANSMITTER</translation>
    </message>
    <message>
        <source>START</source>
        <translation>START</translation>
    </message>
    <message>
        <source>ADRESSE</source>
        <translation>ADDRESS</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>STOP</translation>
    </message>
    <message>
        <source>BYTE senden</source>
        <translation>send BYTE</translation>
    </message>
    <message>
        <source>TWI off</source>
        <translation>TWI off</translation>
    </message>
    <message>
        <source>keine ganze Zahl von -32768 bis 32767, nichts gesendet</source>
        <translation>no whole number from -32768 to 32767, nothing sent</translation>
    </message>
</context>
<context>
    <name>zelmar::VerlaufProtokoll</name>
    <message>
        <source>Der VERLAUF kann nicht geschrieben werden:
</source>
        <translation>The HISTORY cannot be written:
</translation>
    </message>
</context>
<context>
    <name>zelmar::VerlaufWindow</name>
    <message>
        <source>WZ Temperatur</source>
        <translation>LR temperature</translation>
    </message>
    <message>
        <source>AZ Temperatur</source>
        <translation>ST temperature</translation>
    </message>
    <message>
        <source>KÜCHE Temperatur</source>
        <translation>KITCHEN temperature</translation>
    </message>
    <message>
        <source>Außentemperatur</source>
        <translation>Outside temperature</translation>
    </message>
    <message>
        <source>WZ Heizung</source>
        <translation>LR heating</translation>
    </message>
    <message>
        <source>AZ Heizung</source>
        <translation>ST heating</translation>
    </message>
    <message>
        <source>KÜCHE Heizung</source>
        <translation>KITCHEN heating</translation>
    </message>
    <message>
        <source>Luftdruck</source>
        <translation>Air pressure</translation>
    </message>
    <message>
        <source>Sonne</source>
        <translation>Sun</translation>
    </message>
    <message>
        <source>mbar</source>
        <translation>mbar</translation>
    </message>
    <message>
        <source>letzte Stunde</source>
        <translation>last hour</translation>
    </message>
    <message>
        <source>heute</source>
        <translation>today</translation>
    </message>
    <message>
        <source>close</source>
        <translation>close</translation>
    </message>
    <message>
        <source>Bereich:</source>
        <translation>Range:</translation>
    </message>
    <message>
        <source>keine Werte aufgezeichnet (WOHNUNG: &quot;DATEN holen&quot;)</source>
        <translation>no values recorded (APARTMENT: &quot;fetch DATA&quot;)</translation>
    </message>
    <message>
        <source>%1 Messungen</source>
        <translation>%1 measurements</translation>
    </message>
    <message>
        <source>VERLAUF</source>
        <translation>HISTORY</translation>
    </message>
</context>
<context>
    <name>zelmar::WindowRegistry</name>
    <message>
        <source>Das Fenster %1 ist in dieser Version noch nicht verfügbar.</source>
        <translation>The window %1 is not available in this version yet.</translation>
    </message>
</context>
<context>
    <name>zelmar::WohnungWindow</name>
    <message>
        <source>SLAVE %1</source>
        <translation>SLAVE %1</translation>
    </message>
    <message>
        <source>SONNE</source>
        <translation>SUN</translation>
    </message>
    <message>
        <source>DATEN holen</source>
        <translation>fetch DATA</translation>
    </message>
    <message>
        <source>repead</source>
        <translation>repeat</translation>
    </message>
    <message>
        <source>Verlauf</source>
        <translation>History</translation>
    </message>
    <message>
        <source>close</source>
        <translation>close</translation>
    </message>
    <message>
        <source>end</source>
        <translation>end</translation>
    </message>
    <message>
        <source> mbar</source>
        <translation> mbar</translation>
    </message>
    <message>
        <source>WOHNUNG</source>
        <translation>APARTMENT</translation>
    </message>
</context>
<context>
    <name>zelmar::abbild</name>
    <message>
        <source> Byte</source>
        <translation> bytes</translation>
    </message>
    <message>
        <source>FEHLER</source>
        <translation>ERROR</translation>
    </message>
    <message>
        <source>EEPROM unvollständig ausgelesen</source>
        <translation>EEPROM read incompletely</translation>
    </message>
    <message>
        <source>erfolgreich gespeichert</source>
        <translation>saved successfully</translation>
    </message>
    <message>
        <source>Datei ist leer</source>
        <translation>file is empty</translation>
    </message>
    <message>
        <source>leere Zeile</source>
        <translation>empty line</translation>
    </message>
    <message>
        <source>&quot;===&gt;&quot; fehlt: keine Zeile eines Dumps</source>
        <translation>&quot;===&gt;&quot; missing: not a line of a dump</translation>
    </message>
    <message>
        <source>Adresse &quot;%1&quot; ist keine Zahl</source>
        <translation>address &quot;%1&quot; is not a number</translation>
    </message>
    <message>
        <source>Zeile zu kurz: der Wert fehlt</source>
        <translation>line too short: the value is missing</translation>
    </message>
    <message>
        <source>Wert &quot;%1&quot; ist keine Zahl von 0 bis 255</source>
        <translation>value &quot;%1&quot; is not a number from 0 to 255</translation>
    </message>
    <message>
        <source>Adresse %1 steht schon in Zeile %2</source>
        <translation>address %1 is already in line %2</translation>
    </message>
    <message>
        <source>Adresse %1 fehlt (die Zeile nennt %2)</source>
        <translation>address %1 is missing (the line names %2)</translation>
    </message>
    <message>
        <source>Daten nach dem Endesatz (Satzart 01)</source>
        <translation>data after the end-of-file record (type 01)</translation>
    </message>
    <message>
        <source>Zeile beginnt nicht mit &quot;:&quot;</source>
        <translation>line does not begin with &quot;:&quot;</translation>
    </message>
    <message>
        <source>ungerade Zahl von Hexadezimalziffern</source>
        <translation>odd number of hexadecimal digits</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ist keine Hexadezimalziffer</source>
        <translation>&quot;%1&quot; is not a hexadecimal digit</translation>
    </message>
    <message>
        <source>Zeile zu kurz für einen Satz</source>
        <translation>line too short for a record</translation>
    </message>
    <message>
        <source>Zeile zu %1: %2 Datenbytes angegeben, %3 vorhanden</source>
        <translation>line too %1: %2 data bytes given, %3 present</translation>
    </message>
    <message>
        <source>kurz</source>
        <translation>short</translation>
    </message>
    <message>
        <source>lang</source>
        <translation>long</translation>
    </message>
    <message>
        <source>Prüfsumme falsch: %1 gelesen, %2 richtig</source>
        <translation>checksum wrong: %1 read, %2 correct</translation>
    </message>
    <message>
        <source>überlappt Zeile %1 bei Adresse %2</source>
        <translation>overlaps line %1 at address %2</translation>
    </message>
    <message>
        <source>Endesatz mit Daten</source>
        <translation>end-of-file record with data</translation>
    </message>
    <message>
        <source>Satzart 0%1 braucht 2 Datenbytes</source>
        <translation>record type 0%1 needs 2 data bytes</translation>
    </message>
    <message>
        <source>Satzart 0%1 braucht 4 Datenbytes</source>
        <translation>record type 0%1 needs 4 data bytes</translation>
    </message>
    <message>
        <source>Satzart %1 gibt es nicht (00 bis 05)</source>
        <translation>record type %1 does not exist (00 to 05)</translation>
    </message>
    <message>
        <source>Endesatz (Satzart 01) fehlt</source>
        <translation>end-of-file record (type 01) is missing</translation>
    </message>
    <message>
        <source>keine Daten in der Datei</source>
        <translation>no data in the file</translation>
    </message>
    <message>
        <source>Zeile %1: %2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <source>Datei ist zu groß für ein EEPROM-Abbild</source>
        <translation>file is too large for an EEPROM image</translation>
    </message>
    <message>
        <source>%1 … %2 (%3 Byte)</source>
        <translation>%1 … %2 (%3 bytes)</translation>
    </message>
    <message>
        <source>... und %1 weitere Bereiche</source>
        <translation>... and %1 more ranges</translation>
    </message>
    <message>
        <source> Unterschied</source>
        <translation> difference</translation>
    </message>
    <message>
        <source> Unterschiede</source>
        <translation> differences</translation>
    </message>
    <message>
        <source>--  (fehlt)</source>
        <translation>--  (missing)</translation>
    </message>
    <message>
        <source> Byte verglichen</source>
        <translation> bytes compared</translation>
    </message>
    <message>
        <source>Adresse         Soll        Ist</source>
        <translation>Address         Expected    Actual</translation>
    </message>
    <message>
        <source>... und %1 weitere</source>
        <translation>... and %1 more</translation>
    </message>
    <message>
        <source>Adresse %1 liegt über %2</source>
        <translation>address %1 is above %2</translation>
    </message>
    <message>
        <source>Datei endet nach Zeile %1: Adressen %1 bis %2 fehlen</source>
        <translation>file ends after line %1: addresses %1 to %2 are missing</translation>
    </message>
    <message>
        <source>Datei endet nach Zeile %1: Adresse %2 fehlt</source>
        <translation>file ends after line %1: address %2 is missing</translation>
    </message>
    <message>
        <source>Datei ist mit %1 Byte größer als %2 Byte</source>
        <translation>file is larger than %2 bytes with %1 bytes</translation>
    </message>
</context>
<context>
    <name>zelmar::datei</name>
    <message>
        <source> (Ziel des Links: %1)</source>
        <translation> (target of the link: %1)</translation>
    </message>
    <message>
        <source>, keine gewöhnliche Datei</source>
        <translation>, not a regular file</translation>
    </message>
    <message>
        <source>Datei nicht vorhanden</source>
        <translation>file does not exist</translation>
    </message>
    <message>
        <source>das Verzeichnis %1 gibt es nicht</source>
        <translation>the directory %1 does not exist</translation>
    </message>
    <message>
        <source>ist ein Verzeichnis</source>
        <translation>is a directory</translation>
    </message>
    <message>
        <source>ist eine FIFO (benannte Pipe)</source>
        <translation>is a FIFO (named pipe)</translation>
    </message>
    <message>
        <source>ist eine Gerätedatei</source>
        <translation>is a device file</translation>
    </message>
    <message>
        <source>ist ein Socket</source>
        <translation>is a socket</translation>
    </message>
    <message>
        <source>ist keine gewöhnliche Datei</source>
        <translation>is not a regular file</translation>
    </message>
    <message>
        <source>ist ein symbolischer Link auf %1, das es nicht gibt</source>
        <translation>is a symbolic link to %1, which does not exist</translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
konnte nicht geschrieben werden: </source>
        <translation><byte value="xd"/>
<byte value="xd"/>
could not be written: </translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
konnten nicht geschrieben werden</source>
        <translation><byte value="xd"/>
<byte value="xd"/>
could not be written</translation>
    </message>
</context>
<context>
    <name>zelmar::twi</name>
    <message>
        <source>keine Antwort vom Interface</source>
        <translation>no answer from the interface</translation>
    </message>
    <message>
        <source>kein Status des TWI-Masters</source>
        <translation>no status of the TWI master</translation>
    </message>
</context>
</TS>
