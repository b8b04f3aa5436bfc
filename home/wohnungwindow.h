#pragma once

#include "jobs/apartmentfetch.h"

#include <QString>
#include <QWidget>

#include <array>
#include <optional>

class QCheckBox;
class QLabel;
class QPushButton;
class QTimer;

namespace zelmar {

class AppContext;
class GrundrissWidget;
class PlanShape;

// WOHNUNG: the apartment's floor plan filled with what eight slaves of the heating report.
// One click fetches everything once; with "repead" ticked the fetch goes on until the box is
// cleared or the window closes.
class WohnungWindow : public QWidget {
    Q_OBJECT
public:
    explicit WohnungWindow(AppContext& ctx, QWidget* parent = nullptr);

    static constexpr auto SLAVES = ApartmentValues::SLAVES;

    // The session's fetch, while it runs.
    ApartmentFetch* fetch() const;

public slots:
    void Command_DATEN_HOLEN_Click();
    void Command_VERLAUF_Click();
    void Command1_Click();
    void Command2_Click();
    void Timer_START_Timer();
    void Timer_ANZEIGE_Timer();

private:
    // A room on the plan: its labels, and where the fetch puts its values.
    struct Raum {
        int werte = -1; // index in ApartmentValues::raum; -1: nothing is read for the room
        QLabel* labelTemperatur = nullptr;
        QLabel* labelHeizung = nullptr;
        PlanShape* heizkoerper = nullptr;
    };
    enum { WZ, AZ, KUECHE, BAD, RAEUME };

    void werteUebernehmen(const zelmar::ApartmentValues& werte);

    void bauen();
    void verbinden();
    QLabel* label(const QString& name, const QString& text, const QRectF& rect, qreal fontSize,
                  Qt::Alignment align = Qt::AlignCenter, bool bold = false);
    PlanShape* marker(int adresse, const QRectF& rect);

    AppContext& m_ctx;

    // Filled by the fetch, shown by the display timer.
    ApartmentValues m_werte;
    std::array<Raum, RAEUME> m_raum;
    // Doors of FLUR, WZ, AZ, KÜCHE, BAD; nothing reports them yet.
    std::array<bool, 5> m_tuerOffen{};

    GrundrissWidget* m_plan;
    QPushButton* Command_DATEN_HOLEN;
    QCheckBox* Check_REPEAD;
    QPushButton* Command_VERLAUF;
    QPushButton* Command1;
    QPushButton* Command2;
    QTimer* Timer_START;
    QTimer* Timer_ANZEIGE;
    std::array<PlanShape*, SLAVES.size()> Shape_SLAVE{};
    std::array<QLabel*, SLAVES.size()> Label_ZEIT_SLAVE{}; // index 0 (slave 8) unused
    QLabel* Label_ZEIT;
    QLabel* Label_DATUM;
    QLabel* Label_SONNE;
    QLabel* Label_SONNENAUFGANG;
    QLabel* Label_SONNENUNTERGANG;
    QLabel* Label_AUSSENTEMPERATUR;
    QLabel* Label_LUFTDRUCK;
    std::array<PlanShape*, 5> Line_TUER{};
};

} // namespace zelmar
