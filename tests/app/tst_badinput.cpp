// Every input box and typed field of the program against the same bad answers: each is refused
// with a message (a message box, or the step's red status field where the window reports there),
// nothing goes out on the line and nothing is stored. An empty answer or Cancel in an input box
// changes nothing, silently, as every input box of the program does. A new box is a new row.
#include "windowbench.h"

#include "sim/installation.h"

#include <QCryptographicHash>
#include <QtTest>

using namespace zelmar;

namespace {

enum Fall { Leer, Abbruch, Text, Negativ, Bruch, ZuGross, Lang, Steuerzeichen, FAELLE };

const char* const kFallName[FAELLE] = {"empty",
                                       "cancel",
                                       "text",
                                       "negative",
                                       "fraction",
                                       "too large",
                                       "10000 characters",
                                       "control characters"};

// Cancel: the fake prompter answers it with an empty string, as the real one does.
const QString kAntwort[FAELLE] = {{},
                                  {},
                                  QStringLiteral("abc"),
                                  QStringLiteral("-1"),
                                  QStringLiteral("1,5"),
                                  QStringLiteral("99999999999"),
                                  QString(10000, QLatin1Char('7')),
                                  QStringLiteral("1\t\x01\x1b\r\n2")};

struct Feld {
    const char* name;
    QString window;
    QStringList vorher;  // clicks that prepare the field (a view, a confirmation is in jaNein)
    QString feld;        // the typed field; empty for an input box
    QString aktion;      // the button that takes the value
    QList<bool> jaNein;  // answers to confirmations before the input box
    QString statusFeld;  // where the window reports a refused step instead of a message box
    QList<Fall> gueltig; // answers that are good values for this field
};

QList<Feld> felder() {
    const QString k = fenster::KONFIGURATION;
    const QString e = fenster::EEPROM_EXTERN_65K;
    const QString h = fenster::HAND_BETRIEB;
    const QStringList profi{QStringLiteral("Option_TWI_PROFI")};
    QList<Feld> t;
    auto box = [&](const char* name, const QString& w, const QStringList& vorher,
                   const char* aktion, QList<bool> jaNein = {}, QList<Fall> gueltig = {}) {
        t.append(
            {name, w, vorher, QString(), QString::fromUtf8(aktion), jaNein, QString(), gueltig});
    };
    auto feld = [&](const char* name, const QString& w, const QStringList& vorher, const char* f,
                    const char* aktion, QList<Fall> gueltig = {}, const char* status = "") {
        t.append({name,
                  w,
                  vorher,
                  QString::fromUtf8(f),
                  QString::fromUtf8(aktion),
                  {},
                  QString::fromUtf8(status),
                  gueltig});
    };
    // Input boxes.
    box("console slave address", k, profi, "Command_SENDE_ADRESSE_SLAVE");
    box("reply time-out", k, profi, "Command3");
    box("port settings", k, profi, "Command_SETTINGS_EDIT");
    box("directory slave address", fenster::SLAVE_INFO, {}, "Command_ADRESSE_SLAVE");
    // Its window takes the nearest whole number of a fraction.
    box("manual master slave address", h, {}, "Command_SLAVE_ADRESSE", {}, {Bruch});
    box("erase fill value", e, {}, "Command_EEPROM_LÖSCHEN", {true});
    // Typed fields.
    const char* senden = "Command_SENDEN_HANDBETRIEB";
    feld("manual send command", k, profi, "Text_HANDBETRIEB_BEFEHL_MASTER", senden);
    feld("manual send value byte", k, profi, "Text_HANDBETRIEB_RESERVE", senden);
    feld("manual send count", k, profi, "Text_SENDE_ANZAHL_SENDE_BYTES", senden);
    feld("manual receive count", k, profi, "Text_SENDE_ANZAHL_EMPFANGS_BYTES", senden);
    feld("manual send data byte", k, profi, "Text_BYTE1", senden);
    feld("SCL bit rate sent", k, profi, "Text_BITRATE", "Command_ÜBERTRAGEN");
    // The calculator only computes: any number of hertz is a clock, however odd.
    feld("SCL clock", k, profi, "Text_TAKT", "Command_BERECHNEN", {Bruch, ZuGross});
    feld("SCL prescaler", k, profi, "Text_PRESCALER", "Command_BERECHNEN");
    // A transmitter data byte may be a signed 16-bit number; its step reports in its row.
    // After START and the address, as the step sequence goes.
    feld("transmitter data byte", h, {QStringLiteral("Command_A"), QStringLiteral("Command_B")},
         "Text_E", "Command_D", {Negativ}, "Text_STATUS_E");
    feld("EEPROM start address", e, {}, "Text_EERPROM_STARTADRESSE_DEZIMAL", "Command_lesen");
    feld("EEPROM cell", e, {}, "Text2_0", "Command_w_0");
    // Its window reads from the text's leading number, 0 when there is none: a read, no harm.
    feld("SRAM start address", fenster::SRAM, {}, "Text_SRAM_STARTADRESSE_DEZIMAL", "Command_lesen",
         {Leer, Text, Bruch, Steuerzeichen});
    feld("SRAM value", fenster::SRAM, {}, "Text_WERT_0", "Command_schreiben_0");
    feld("register value", fenster::REGISTER, {}, "Text_REGISTER_0", "Command_schreiben_0");
    return t;
}

// Everything the program could have stored: its variables, its files, the devices' memories.
QByteArray gespeichert(WindowBench& b) {
    QCryptographicHash h(QCryptographicHash::Sha1);
    const Link& l = b.t.link;
    h.addData(QStringLiteral("%1 %2 %3 %4 %5")
                  .arg(l.SLAVE_ADRESSE)
                  .arg(l.replyTimeout())
                  .arg(b.t.port.settings(), l.COM_SETTINGS)
                  .arg(l.COM_PORT_NR)
                  .toUtf8());
    for (const QString& f : QDir(b.t.ctx.PROGRAMM_PFAD).entryList(QDir::Files))
        h.addData(f.toUtf8() + fileBytes(b.t.ctx.PROGRAMM_PFAD + f));
    sim::Installation& inst = b.sim->installation();
    h.addData(inst.eeprom(80)->memory());
    h.addData(inst.slave(8)->dataSpace(inst.clock().nowUs()).left(96)); // registers and I/O
    return h.result();
}

} // namespace

class TestBadInput : public QObject {
    Q_OBJECT

private slots:
    void everyBoxRefusesBadAnswers_data() {
        QTest::addColumn<int>("feld");
        QTest::addColumn<int>("fall");
        const QList<Feld> alle = felder();
        for (int i = 0; i < alle.size(); ++i) {
            for (int f = 0; f < FAELLE; ++f) {
                // Cancel belongs to input boxes; a typed field has no Cancel.
                if ((f == Abbruch && !alle[i].feld.isEmpty()) || alle[i].gueltig.contains(Fall(f)))
                    continue;
                QTest::addRow("%s: %s", alle[i].name, kFallName[f]) << i << f;
            }
        }
    }

    void everyBoxRefusesBadAnswers() {
        QFETCH(int, feld);
        QFETCH(int, fall);
        const Feld f = felder().at(feld);
        WindowBench b(f.window);
        b.t.link.SLAVE_ADRESSE = f.window == fenster::EEPROM_EXTERN_65K ? 80 : 8;
        for (const QString& c : f.vorher)
            b.click(c);
        // Windows that read when they open have done so.
        QTest::qWait(300);
        b.waitForJobs();
        const QString wert = kAntwort[fall];
        if (f.feld.isEmpty()) {
            b.t.prompter.yesNo = f.jaNein;
            b.t.prompter.inputs << wert;
        } else {
            b.box(f.feld)->setText(wert); // as pasted: a keyboard cannot type every character
        }
        const QByteArray vorher = gespeichert(b);
        const int gesendet = b.t.port.written().size();
        b.t.prompter.shown.clear();
        b.click(f.aktion);
        b.waitForJobs();

        QCOMPARE(b.t.port.written().size(), gesendet);
        QVERIFY(gespeichert(b) == vorher);
        QCOMPARE(b.t.prompter.unexpected, 0);
        const bool stumm = f.feld.isEmpty() && (fall == Leer || fall == Abbruch);
        const QStringList meldungen = b.t.prompter.messages();
        if (stumm)
            QVERIFY2(meldungen.isEmpty(), qPrintable(meldungen.join(QLatin1Char('|'))));
        else if (!f.statusFeld.isEmpty()) // red, the reason on the field's tip
            QVERIFY(b.colour(f.statusFeld) == 12 &&
                    b.child(f.statusFeld)->toolTip().contains(QStringLiteral("nichts gesendet")));
        else
            QVERIFY2(meldungen.size() >= 1, "no message");
    }
};

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
