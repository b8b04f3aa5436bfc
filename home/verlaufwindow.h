#pragma once

#include "verlaufpunkte.h"

#include <QPointF>
#include <QVector>
#include <QWidget>

#include <array>

class QChart;
class QChartView;
class QComboBox;
class QDateTimeAxis;
class QLabel;
class QLineSeries;
class QPushButton;
class QTimer;
class QValueAxis;

namespace zelmar {

class AppContext;

// VERLAUF: the apartment's measured values over time, from the daily logs, one chart per kind
// of value. The curves grow while the apartment display fetches.
class VerlaufWindow : public QWidget {
    Q_OBJECT
public:
    explicit VerlaufWindow(AppContext& ctx, QWidget* parent = nullptr);

    // The ranges of Combo_BEREICH; the days of older files follow.
    enum { LETZTE_STUNDE, HEUTE, TAGE };

    // The span on the time axis (ms since the epoch).
    qint64 von() const { return m_von; }
    qint64 bis() const { return m_bis; }

public slots:
    void Combo_BEREICH_Click(int index);
    void Command_CLOSE_Click();
    void Timer_ZEICHNEN_Timer();
    void Serie_Hovered(const QPointF& punkt, bool darueber);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Diagramm {
        QChart* chart = nullptr;
        QChartView* view = nullptr;
        QDateTimeAxis* zeitachse = nullptr;
        QValueAxis* wertachse = nullptr;
    };

    void bauen();
    void verbinden();
    Diagramm diagramm(const QString& name, const QString& einheit);
    void tageAuflisten();
    void laden();
    void zeileNeu(const QDate& tag, const zelmar::verlauf::Zeile& zeile);
    bool ausrichten();
    void zeichnen();
    void spanneSetzen();
    int zeitRaster();
    void spaeterZeichnen();

    AppContext& m_ctx;
    QVector<verlauf::Tag> m_tage;
    verlauf::Punkte m_punkte; // of all rows of m_tage
    qint64 m_von = 0;
    qint64 m_bis = 0;
    bool m_punktGezeigt = false; // Label_WERT shows a hovered point, not the count

    QComboBox* Combo_BEREICH;
    QLabel* Label_WERT;
    QPushButton* Command_CLOSE;
    QTimer* Timer_ZEICHNEN;
    std::array<Diagramm, 3> m_diagramme; // temperatures, pressure, sun
    std::array<QLineSeries*, verlauf::WERTE> m_serien{};
};

} // namespace zelmar
