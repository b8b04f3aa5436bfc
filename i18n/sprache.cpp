#include "sprache.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace zelmar::sprache {

std::optional<Sprache> ausName(const QString& name) {
    if (name == QLatin1String("de"))
        return Sprache::Deutsch;
    if (name == QLatin1String("en"))
        return Sprache::Englisch;
    return std::nullopt;
}

bool cOderPosix(const QString& lcAll, const QString& lcMessages, const QString& lang) {
    // The first one set wins, as in the C library.
    QString wirksam = !lcAll.isEmpty() ? lcAll : !lcMessages.isEmpty() ? lcMessages : lang;
    if (wirksam.isEmpty())
        return true;
    const int punkt = wirksam.indexOf(QLatin1Char('.'));
    if (punkt >= 0)
        wirksam.truncate(punkt); // C.UTF-8 is C
    return wirksam == QLatin1String("C") || wirksam == QLatin1String("POSIX");
}

bool cOderPosix() {
    return cOderPosix(qEnvironmentVariable("LC_ALL"), qEnvironmentVariable("LC_MESSAGES"),
                      qEnvironmentVariable("LANG"));
}

Sprache ausUiSprachen(const QStringList& uiSprachen) {
    for (const QString& s : uiSprachen) {
        const QString sprache = s.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0);
        if (sprache.compare(QLatin1String("en"), Qt::CaseInsensitive) == 0)
            return Sprache::Englisch;
        if (sprache.compare(QLatin1String("de"), Qt::CaseInsensitive) == 0)
            return Sprache::Deutsch;
    }
    return Sprache::Deutsch;
}

Sprache desktop(Sprache unterC) {
    if (cOderPosix())
        return unterC;
    return ausUiSprachen(QLocale::system().uiLanguages());
}

Wahl ausArgumenten(QStringList& argumente) {
    Wahl w;
    const QString option = QStringLiteral("--language");
    for (int i = 0; i < argumente.size(); ++i) {
        QString wert;
        if (argumente[i] == option) {
            if (i + 1 >= argumente.size()) {
                w.fehler = QStringLiteral("--language needs de or en");
                return w;
            }
            wert = argumente[i + 1];
            argumente.remove(i, 2);
        } else if (argumente[i].startsWith(option + QLatin1Char('='))) {
            wert = argumente[i].mid(option.size() + 1);
            argumente.removeAt(i);
        } else {
            continue;
        }
        w.sprache = ausName(wert);
        if (!w.sprache)
            w.fehler = QStringLiteral("--language takes de or en, not '%1'").arg(wert);
        return w;
    }
    return w;
}

namespace {

bool laden(const QString& datei) {
    auto* t = new QTranslator(QCoreApplication::instance());
    // The installed file in the share/ beside the program's bin/ first, else the copy built in.
    const QString installiert =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/zelmar/translations");
    if (!t->load(datei, installiert) && !t->load(datei, QStringLiteral(":/i18n"))) {
        delete t;
        return false;
    }
    return QCoreApplication::installTranslator(t);
}

} // namespace

bool installieren(Sprache s) {
    return s == Sprache::Deutsch || laden(QStringLiteral("zelmar_en"));
}

bool installierenCli(Sprache s) {
    return laden(s == Sprache::Deutsch ? QStringLiteral("zelmar-cli_de")
                                       : QStringLiteral("zelmar_en"));
}

} // namespace zelmar::sprache
