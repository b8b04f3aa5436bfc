// Pictures of the EEPROM window against the demo installation, for the documentation. Not a
// test; run it on a screen of the size the windows are made for:
//   xvfb-run -a -s "-screen 0 1366x768x24" ./memory_shots <directory> [--language en]

#include "shots.h"
#include "windowbench.h"

#include "files/eepromdump.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPainter>

using namespace zelmar;
using shots::save;
using shots::settle;

namespace {

// A logging EEPROM: records of a few bytes from 1000 on, the rest erased.
void logbuch(QByteArray& m) {
    for (int a = 1000; a < 1120; a += 8) {
        const int n = (a - 1000) / 8;
        const char satz[8] = {
            char(n),          char(12), char(5 + n / 4), char(7 + n % 24), char(200 + n),
            char(n * 3 % 40), 'T',      char(0)};
        for (int k = 0; k < 8; ++k)
            m[a + k] = satz[k];
    }
}

// The window with a message box over it, as the user sees the box the program shows.
bool mitMeldung(QWidget* w, const QString& text, const QString& path,
                QMessageBox::StandardButtons knoepfe = QMessageBox::Ok,
                const QString& titel = QStringLiteral("ZELMAR")) {
    QMessageBox box(QMessageBox::NoIcon, titel, text, knoepfe);
    box.show();
    settle(150);
    QPixmap bild = w->grab();
    const QPixmap kasten = box.grab();
    QPainter p(&bild);
    p.drawPixmap((bild.width() - kasten.width()) / 2, (bild.height() - kasten.height()) / 2,
                 kasten);
    p.setPen(Qt::darkGray);
    p.drawRect((bild.width() - kasten.width()) / 2, (bild.height() - kasten.height()) / 2,
               kasten.width() - 1, kasten.height() - 1);
    p.end();
    const bool ok = bild.save(path);
    std::printf("%s %dx%d %s\n", qPrintable(path), bild.width(), bild.height(), ok ? "" : "FAILED");
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = shots::argumente(); // [output directory] [--language en]
    const QString dir = args.isEmpty() ? QDir::currentPath() : args.at(0);
    bool ok = true;
    {
        // The detection of the small EEPROM at 81: a suggestion in the status line.
        WindowBench b(fenster::EEPROM_EXTERN_65K);
        b.w->move(0, 0);
        b.t.link.SLAVE_ADRESSE = 81;
        settle(200);
        b.click(QStringLiteral("Option_KLEINER_256_BYTE"));
        b.clickAndWait(QStringLiteral("Command_lesen"));
        // The box is drawn over the window as it stood when asked: before the answer.
        b.t.prompter.yesNo << false;
        b.clickAndWait(QStringLiteral("Command_ERKENNEN"));
        b.tick(QStringLiteral("Timer_ANZEIGE"));
        settle(150);
        const auto frage = b.t.prompter.shown.last();
        ok &= mitMeldung(b.w, frage.text, dir + QStringLiteral("/eeprom-erkennen.png"),
                         QMessageBox::Yes | QMessageBox::No, frage.title);
        // Chosen: the 128-byte chip read out through its own geometry.
        auto* chip = b.w->findChild<QComboBox*>(QStringLiteral("Combo_BAUSTEIN"));
        chip->setCurrentIndex(chip->findData(QStringLiteral("24C01")));
        b.clickAndWait(QStringLiteral("Command_KOMLETT_AUSLESEN"));
        b.tick(QStringLiteral("Timer_ANZEIGE"));
        settle(150);
        ok &= save(b.w, dir + QStringLiteral("/eeprom-baustein.png"));
    }
    // "erkennen" as the second argument: that picture alone.
    if (argc > 2 && QByteArray(argv[2]) == "erkennen")
        return ok ? 0 : 1;
    {
        // Hex display in repeat mode: the values changed since the last pass are yellow.
        WindowBench b(fenster::EEPROM_EXTERN_65K);
        logbuch(b.sim->eeprom(80)->memory());
        b.w->move(0, 0);
        b.t.link.SLAVE_ADRESSE = 80;
        settle(200);
        b.click(QStringLiteral("Option_GRÖSSER_256_BYTE"));
        b.click(QStringLiteral("Option_HEX"));
        b.type(QStringLiteral("Text_EERPROM_STARTADRESSE_DEZIMAL"), QStringLiteral("1000"));
        b.click(QStringLiteral("Check_REPEAD"));
        b.atFrame(2, [&] {
            QByteArray& m = b.sim->eeprom(80)->memory();
            for (int a : {1003, 1011, 1019, 1061, 1120, 1121})
                m[a] = char(quint8(m.at(a)) + 1);
        });
        b.atFrame(5, [&] {
            settle(150);
            ok &= save(b.w, dir + QStringLiteral("/eeprom.png"));
            b.click(QStringLiteral("Check_REPEAD"));
        });
        b.click(QStringLiteral("Command_lesen"));
        b.waitForJobs();
    }
    {
        // A complete read-out under way, at the pace of a 19200-baud line.
        WindowBench b(fenster::EEPROM_EXTERN_65K);
        logbuch(b.sim->eeprom(80)->memory());
        b.t.port.setPacing(true);
        b.w->move(0, 0);
        b.t.link.SLAVE_ADRESSE = 80;
        b.click(QStringLiteral("Option_GRÖSSER_256_BYTE"));
        b.type(QStringLiteral("Text_EERPROM_STARTADRESSE_DEZIMAL"), QStringLiteral("1000"));
        b.clickAndWait(QStringLiteral("Command_lesen"));
        b.click(QStringLiteral("Command_KOMLETT_AUSLESEN"));
        settle(14000);
        ok &= save(b.w, dir + QStringLiteral("/eeprom-auslesen.png"));
        b.click(QStringLiteral("Command_ABBRECHEN"));
        b.waitForJobs(5000);
    }
    QString dump;
    {
        // The read-out's dump of the log EEPROM ...
        WindowBench b(fenster::EEPROM_EXTERN_65K);
        logbuch(b.sim->eeprom(80)->memory());
        b.t.link.SLAVE_ADRESSE = 80;
        b.clickAndWait(QStringLiteral("Command_KOMLETT_AUSLESEN"));
        dump = dir + QStringLiteral("/EEPROM_65k_80.txt");
        QFile::remove(dump);
        QFile::copy(dump::DUMP_DATEINAME(b.t.ctx.DATEN_PFAD, 80), dump);
    }
    {
        // ... written back into a cleared one at the pace of the line, then verified.
        WindowBench b(fenster::EEPROM_EXTERN_65K);
        b.t.port.setPacing(true);
        b.w->move(0, 0);
        b.t.link.SLAVE_ADRESSE = 80;
        b.click(QStringLiteral("Option_GRÖSSER_256_BYTE"));
        b.type(QStringLiteral("Text_EERPROM_STARTADRESSE_DEZIMAL"), QStringLiteral("1000"));
        b.clickAndWait(QStringLiteral("Command_lesen"));
        b.t.prompter.files << dump << dump;
        b.t.prompter.yesNo << true;
        b.click(QStringLiteral("Command_AUS_DATEI_SCHREIBEN"));
        settle(9000);
        ok &= save(b.w, dir + QStringLiteral("/eeprom-schreiben.png"));
        b.t.port.setPacing(false);
        b.waitForJobs(120000);
        b.clickAndWait(QStringLiteral("Command_lesen"));
        b.clickAndWait(QStringLiteral("Command_MIT_DATEI_VERGLEICHEN"));
        b.tick(QStringLiteral("Timer_ANZEIGE"));
        ok &= mitMeldung(b.w, b.t.prompter.messages().last(),
                         dir + QStringLiteral("/eeprom-vergleich.png"));
        QFile::remove(dump);
    }
    return ok ? 0 : 1;
}
