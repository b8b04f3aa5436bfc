// The language: how it is chosen, that the English translation is complete and current, and
// that every window shows English under it.

#include "windowbench.h"

#include "app/start.h"
#include "i18n/sprache.h"
#include "shell/hauptwindow.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

#include <algorithm>

using namespace zelmar;
using sprache::Sprache;

namespace {

// The windows' English and zelmar-cli's German.
const QStringList kTsDateien{QStringLiteral("zelmar_en.ts"), QStringLiteral("zelmar-cli_de.ts")};

struct Eintrag {
    QString kontext, quelle, uebersetzung;
    bool fertig = false;
};

// The text of the element the reader stands on; Qt writes control characters as
// <byte value="xd"/>.
QString elementText(QXmlStreamReader& x) {
    QString t;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isCharacters())
            t += x.text();
        else if (x.isStartElement() && x.name() == QLatin1String("byte"))
            t += QChar(x.attributes().value(QLatin1String("value")).mid(1).toUInt(nullptr, 16));
        else if (x.isEndElement() && x.name() != QLatin1String("byte"))
            break;
    }
    return t;
}

QList<Eintrag> tsLesen(const QString& pfad) {
    QList<Eintrag> liste;
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(pfad));
    QXmlStreamReader x(&f);
    QString kontext;
    Eintrag e;
    while (!x.atEnd()) {
        x.readNext();
        if (!x.isStartElement())
            continue;
        if (x.name() == QLatin1String("name")) {
            kontext = x.readElementText();
        } else if (x.name() == QLatin1String("message")) {
            e = Eintrag{kontext, {}, {}, false};
        } else if (x.name() == QLatin1String("source")) {
            e.quelle = elementText(x);
        } else if (x.name() == QLatin1String("translation")) {
            // Finished: no type attribute (unfinished, vanished, obsolete) and a text.
            e.fertig = x.attributes().value(QLatin1String("type")).isEmpty();
            e.uebersetzung = elementText(x);
            e.fertig = e.fertig && !e.uebersetzung.isEmpty();
            liste << e;
        }
    }
    if (x.hasError())
        qFatal("%s: %s", qPrintable(pfad), qPrintable(x.errorString()));
    return liste;
}

// The placeholders %1..%99 a text uses, sorted.
QStringList platzhalter(const QString& text) {
    QStringList p;
    static const QRegularExpression re(QStringLiteral("%\\d+"));
    for (auto it = re.globalMatch(text); it.hasNext();)
        p << it.next().captured();
    p.sort();
    p.removeDuplicates();
    return p;
}

// Every text a widget shows: captions, titles, tool tips, list entries, menu entries.
QStringList texte(QWidget* fenster) {
    QStringList t;
    QList<QWidget*> alle = fenster->findChildren<QWidget*>();
    alle.prepend(fenster);
    for (QWidget* w : alle) {
        t << w->windowTitle() << w->toolTip();
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            t << b->text();
        else if (auto* l = qobject_cast<QLabel*>(w))
            t << l->text();
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            t << g->title();
        else if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i)
                t << c->itemText(i);
        else if (auto* m = qobject_cast<QMenu*>(w))
            t << m->title();
        for (QAction* a : w->actions())
            t << a->text() << a->toolTip();
    }
    t.removeAll(QString());
    return t;
}

const QStringList& alleFenster() {
    static const QStringList namen{fenster::KONFIGURATION,
                                   fenster::HILFE,
                                   fenster::START,
                                   fenster::SLAVE_INFO,
                                   fenster::WOHNUNG,
                                   fenster::HAUS_HEIZHAUS,
                                   fenster::VERLAUF,
                                   fenster::HAND_BETRIEB,
                                   fenster::REGISTER,
                                   fenster::SRAM,
                                   fenster::EEPROM_EXTERN_65K};
    return namen;
}

const QRegularExpression kUmlaut(QStringLiteral("[äöüÄÖÜß]"));

// The texts of every window, the main window first, in the order of their widgets.
QList<QPair<QString, QStringList>> alleTexte() {
    WindowBench b(WindowBench::Geraete::Keine);
    QList<QPair<QString, QStringList>> liste;
    liste << qMakePair(fenster::HAUPT, texte(Main(b.t.ctx, b.t.dir.path())));
    for (const QString& name : alleFenster()) {
        QWidget* w = b.t.ctx.windows.show(name);
        if (!w)
            qFatal("window %s does not open", qPrintable(name));
        liste << qMakePair(name, texte(w));
    }
    return liste;
}

// German source texts left: those whose English differs, and umlauts, which mark German that
// never went through the translation at all.
QStringList deutschGeblieben(const QList<QPair<QString, QStringList>>& fenster,
                             const QSet<QString>& deutsch) {
    QStringList gefunden;
    for (const auto& [name, texte] : fenster)
        for (const QString& text : texte)
            if (deutsch.contains(text) || text.contains(kUmlaut))
                gefunden << name + QStringLiteral(": ") + text;
    gefunden.removeDuplicates();
    return gefunden;
}

// The system's own names stay in both languages: the program's name, register bits, window and
// control names, short upper-case names (TWEA, SDA, DTR), shifts such as 1<<TWEA.
bool systemName(const QString& text) {
    if (text == QLatin1String("ZELMAR"))
        return true;
    static const QRegularExpression zeichen(QStringLiteral("^[A-Z0-9_<>+ ]+$"));
    static const QRegularExpression langesWort(QStringLiteral("[A-Z]{6,}"));
    return text.contains(zeichen) &&
           (text.contains(QLatin1Char('_')) || text.contains(QLatin1Char('<')) ||
            !text.contains(langesWort));
}

// Texts with words that a window shows in both languages, though no translation says they are
// the same: a text that does not go through the translation.
QStringList unuebersetzt(const QList<QPair<QString, QStringList>>& de,
                         const QList<QPair<QString, QStringList>>& en,
                         const QSet<QString>& gleich) {
    static const QRegularExpression wort(QStringLiteral("[A-Za-z]{3}"));
    QList<QRegularExpression> muster; // "COM %1" stands for "COM 7"
    for (const QString& g : gleich)
        muster << QRegularExpression(
            QRegularExpression::anchoredPattern(QRegularExpression::escape(g).replace(
                QRegularExpression(QStringLiteral("\\\\?%\\d+")), QStringLiteral(".+"))));
    QStringList gefunden;
    for (int f = 0; f < de.size(); ++f) {
        const QSet<QString> deutsch(de[f].second.begin(), de[f].second.end());
        for (const QString& t : en[f].second) {
            if (!deutsch.contains(t) || !t.contains(wort) || t.startsWith(QLatin1Char('/')) ||
                systemName(t))
                continue;
            if (std::none_of(muster.begin(), muster.end(),
                             [&](const QRegularExpression& m) { return m.match(t).hasMatch(); }))
                gefunden << de[f].first + QStringLiteral(": ") + t;
        }
    }
    gefunden.removeDuplicates();
    return gefunden;
}

} // namespace

class TestSprache : public QObject {
    Q_OBJECT
private slots:
    void cLocaleIsRecognised_data();
    void cLocaleIsRecognised();
    void desktopLanguagesDecide_data();
    void desktopLanguagesDecide();
    void languageOption_data();
    void languageOption();
    void everyEntryFinishedWithItsPlaceholders();
    void translationCoversEverySourceText();
    void everyWindowSpeaksEnglish();
};

void TestSprache::cLocaleIsRecognised_data() {
    QTest::addColumn<QString>("lcAll");
    QTest::addColumn<QString>("lcMessages");
    QTest::addColumn<QString>("lang");
    QTest::addColumn<bool>("c");
    QTest::newRow("nothing set") << ""
                                 << ""
                                 << "" << true;
    QTest::newRow("LANG=C") << ""
                            << ""
                            << "C" << true;
    QTest::newRow("LANG=C.UTF-8") << ""
                                  << ""
                                  << "C.UTF-8" << true;
    QTest::newRow("LANG=POSIX") << ""
                                << ""
                                << "POSIX" << true;
    QTest::newRow("LANG German") << ""
                                 << ""
                                 << "de_DE.UTF-8" << false;
    QTest::newRow("LC_ALL=C over English LANG") << "C"
                                                << ""
                                                << "en_GB.UTF-8" << true;
    QTest::newRow("LC_MESSAGES over LANG=C") << ""
                                             << "en_US.UTF-8"
                                             << "C" << false;
    QTest::newRow("LC_ALL over LC_MESSAGES=C") << "de_AT.UTF-8"
                                               << "C"
                                               << "" << false;
    QTest::newRow("Cyrillic is no C") << ""
                                      << ""
                                      << "Cy_XX" << false;
}

void TestSprache::cLocaleIsRecognised() {
    QFETCH(QString, lcAll);
    QFETCH(QString, lcMessages);
    QFETCH(QString, lang);
    QFETCH(bool, c);
    QCOMPARE(sprache::cOderPosix(lcAll, lcMessages, lang), c);
}

void TestSprache::desktopLanguagesDecide_data() {
    QTest::addColumn<QStringList>("ui");
    QTest::addColumn<bool>("englisch");
    QTest::newRow("English first") << QStringList{"en-US", "de-DE"} << true;
    QTest::newRow("German first") << QStringList{"de-DE", "en-US"} << false;
    QTest::newRow("French, then English") << QStringList{"fr-FR", "fr", "en-GB"} << true;
    QTest::newRow("French, then German") << QStringList{"fr", "de", "en"} << false;
    QTest::newRow("neither") << QStringList{"fr-FR", "nl"} << false;
    QTest::newRow("none") << QStringList{} << false;
    QTest::newRow("underscore form") << QStringList{"en_AU"} << true;
    QTest::newRow("a language starting with en") << QStringList{"eo", "enx"} << false;
}

void TestSprache::desktopLanguagesDecide() {
    QFETCH(QStringList, ui);
    QFETCH(bool, englisch);
    QCOMPARE(sprache::ausUiSprachen(ui) == Sprache::Englisch, englisch);
}

void TestSprache::languageOption_data() {
    QTest::addColumn<QStringList>("argumente");
    QTest::addColumn<int>("sprache"); // -1 none, 0 German, 1 English
    QTest::addColumn<bool>("fehler");
    QTest::addColumn<QStringList>("rest");
    QTest::newRow("absent") << QStringList{"zelmar", "-x"} << -1 << false
                            << QStringList{"zelmar", "-x"};
    QTest::newRow("en") << QStringList{"zelmar", "--language", "en", "-x"} << 1 << false
                        << QStringList{"zelmar", "-x"};
    QTest::newRow("=de") << QStringList{"zelmar", "--language=de"} << 0 << false
                         << QStringList{"zelmar"};
    QTest::newRow("unknown") << QStringList{"zelmar", "--language", "fr"} << -1 << true
                             << QStringList{"zelmar"};
    QTest::newRow("upper case is unknown")
        << QStringList{"zelmar", "--language=EN"} << -1 << true << QStringList{"zelmar"};
    QTest::newRow("value missing")
        << QStringList{"zelmar", "--language"} << -1 << true << QStringList{"zelmar", "--language"};
}

void TestSprache::languageOption() {
    QFETCH(QStringList, argumente);
    QFETCH(int, sprache);
    QFETCH(bool, fehler);
    QFETCH(QStringList, rest);
    const sprache::Wahl w = sprache::ausArgumenten(argumente);
    QCOMPARE(w.sprache ? int(*w.sprache) : -1, sprache);
    QCOMPARE(!w.fehler.isEmpty(), fehler);
    QCOMPARE(argumente, rest);
}

void TestSprache::everyEntryFinishedWithItsPlaceholders() {
    QList<Eintrag> ts;
    for (const QString& datei : kTsDateien) {
        const QList<Eintrag> eintraege = tsLesen(QStringLiteral(ZELMAR_I18N "/") + datei);
        QVERIFY2(eintraege.size() > 80, qPrintable(datei));
        ts += eintraege;
    }
    QStringList fehler;
    for (const Eintrag& e : ts) {
        const QString wo = e.kontext + QStringLiteral(" \"") + e.quelle + QLatin1Char('"');
        if (!e.fertig)
            fehler << QStringLiteral("unfinished: ") + wo;
        else if (platzhalter(e.quelle) != platzhalter(e.uebersetzung))
            fehler << QStringLiteral("placeholders differ: ") + wo;
        // Texts joined to others keep their line breaks and outer spaces.
        else if (e.quelle.startsWith(QLatin1Char(' ')) != e.uebersetzung.startsWith(' ') ||
                 e.quelle.endsWith(QLatin1Char(' ')) != e.uebersetzung.endsWith(' ') ||
                 e.quelle.count(QLatin1Char('\n')) != e.uebersetzung.count(QLatin1Char('\n')))
            fehler << QStringLiteral("outer spaces or line breaks differ: ") + wo;
    }
    QVERIFY2(fehler.isEmpty(), qPrintable(fehler.join(QLatin1Char('\n'))));
}

// The sources as they are now, read again into a copy: no text of theirs is missing from the
// translation (a new text would arrive unfinished).
void TestSprache::translationCoversEverySourceText() {
    QTemporaryDir tmp;
    for (const QString& datei : kTsDateien)
        QVERIFY(QFile::copy(QStringLiteral(ZELMAR_I18N "/") + datei, tmp.filePath(datei)));
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LUPDATE"), QStringLiteral(ZELMAR_LUPDATE));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(ZELMAR_UPDATE_TRANSLATIONS), {tmp.path()});
    QVERIFY(p.waitForFinished(120000));
    QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
    QStringList fehlt;
    for (const QString& datei : kTsDateien)
        for (const Eintrag& e : tsLesen(tmp.filePath(datei)))
            if (!e.fertig)
                fehlt << datei + QStringLiteral(": ") + e.kontext + QStringLiteral(" \"") +
                             e.quelle + QLatin1Char('"');
    QVERIFY2(fehlt.isEmpty(), qPrintable(QStringLiteral("run scripts/update-translations; "
                                                        "untranslated:\n") +
                                         fehlt.join(QLatin1Char('\n'))));
}

void TestSprache::everyWindowSpeaksEnglish() {
    // The German texts that have an English one of their own; system names that stay the same
    // in both (DTR, EEPROM, numbers) are no finding.
    QSet<QString> deutsch, gleich;
    for (const Eintrag& e : tsLesen(QStringLiteral(ZELMAR_I18N "/zelmar_en.ts")))
        if (e.fertig)
            (e.uebersetzung != e.quelle ? deutsch : gleich).insert(e.quelle);

    // The walk sees German where nothing is translated, so it is able to find what it looks for.
    const auto ohne = alleTexte();
    const QStringList ohneGefunden = deutschGeblieben(ohne, deutsch);
    QVERIFY2(ohneGefunden.size() > 100, qPrintable(ohneGefunden.join(QLatin1Char('\n'))));

    QVERIFY(sprache::installieren(Sprache::Englisch));
    const auto mit = alleTexte();
    for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>())
        QCoreApplication::removeTranslator(t);
    const QStringList gefunden = deutschGeblieben(mit, deutsch) + unuebersetzt(ohne, mit, gleich);
    if (!gefunden.isEmpty())
        qWarning("%s", qPrintable(gefunden.join(QLatin1Char('\n'))));
    QVERIFY(gefunden.isEmpty());
}

QTEST_MAIN(TestSprache)
#include "tst_sprache.moc"
