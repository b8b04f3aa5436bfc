#include "appcontext.h"

#include "files/logbooks.h"
#include "files/systemservices.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace zelmar {

AppContext::AppContext(Link& link_, SlaveDirectory& slaves_, Prompter& prompter_,
                       SystemServices& system_, QLocale locale_)
    : link(link_), slaves(slaves_), SLAVE_GEFUNDEN(link_.SLAVE_GEFUNDEN), prompter(prompter_),
      system(system_), locale(std::move(locale_)),
      exeName(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName()),
      m_notifier(prompter_), apartment(link_, system_, DATEN_PFAD, locale), windows(*this) {
    link.setNotifier(&m_notifier);
    QObject::connect(&apartment, &ApartmentSession::verlaufFehler, &apartment,
                     [this](const QString& pfad, const datei::Grund& grund) {
                         prompter.message(QCoreApplication::translate(
                                              "zelmar::VerlaufProtokoll",
                                              "Der VERLAUF kann nicht geschrieben werden:\n") +
                                          pfad + QLatin1Char('\n') + grund.text());
                     });
}

AppContext::~AppContext() {
    link.setNotifier(nullptr);
    if (m_twiLogbook)
        link.setFrameLogSink(nullptr);
}

void AppContext::setProgrammPfad(const QString& directory) {
    PROGRAMM_PFAD = directory;
    if (!PROGRAMM_PFAD.endsWith(QLatin1Char('/')))
        PROGRAMM_PFAD += QLatin1Char('/');
    DATEN_PFAD = PROGRAMM_PFAD + QStringLiteral("DATEN/");
}

void AppContext::useTwiLogbook() {
    m_twiLogbook = std::make_unique<TwiLogbook>(
        DATEN_PFAD, system, locale, [this](const QString& text) { prompter.message(text); });
    link.setFrameLogSink(m_twiLogbook.get());
}

} // namespace zelmar
