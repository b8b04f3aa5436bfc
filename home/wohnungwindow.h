#pragma once

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

    // The slaves whose presence the plan shows, in the order they are probed.
    static constexpr std::array<int, 8> SLAVES{8, 20, 40, 44, 45, 60, 65, 66};

public slots:
    void Command_DATEN_HOLEN_Click();
    void Command1_Click();
    void Command2_Click();
    void Timer_START_Timer();
    void Timer_ANZEIGE_Timer();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // A room with a controller: what the plan shows of it.
    struct Raum {
        int slave = 0; // 0: nothing is read for the room
        std::optional<double> temperatur;
        std::optional<double> heizung;
        QLabel* labelTemperatur = nullptr;
        QLabel* labelHeizung = nullptr;
        PlanShape* heizkoerper = nullptr;
    };
    enum { WZ, AZ, KUECHE, BAD, RAEUME };

    // One pass over all slaves; false when the fetch has to stop.
    bool holen();
    // After every transaction: the window was closed, or the line cannot carry frames now.
    bool abbrechen() const;
    std::optional<double> wert(double value) const;
    // Everything back to missing.
    void vergessen();

    void bauen();
    QLabel* label(const QString& name, const QString& text, const QRectF& rect, qreal fontSize,
                  Qt::Alignment align = Qt::AlignCenter, bool bold = false);
    PlanShape* marker(int adresse, const QRectF& rect);

    AppContext& m_ctx;
    bool m_laeuft = false;
    bool m_fensterZu = false;

    // Filled by the fetch, shown by the display timer.
    std::array<bool, SLAVES.size()> m_vorhanden{};
    QString m_zeit; // empty: could not be read
    QString m_datum;
    std::optional<double> m_aussentemperatur;
    std::optional<double> m_luftdruck;
    std::optional<double> m_sonne;
    QString m_sonnenaufgang;
    QString m_sonnenuntergang;
    std::array<Raum, RAEUME> m_raum;
    // Doors of FLUR, WZ, AZ, KÜCHE, BAD; nothing reports them yet.
    std::array<bool, 5> m_tuerOffen{};

    GrundrissWidget* m_plan;
    QPushButton* Command_DATEN_HOLEN;
    QCheckBox* Check_REPEAD;
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
