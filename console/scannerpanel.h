#pragma once

#include "consolepanel.h"

#include "jobs/busscan.h"

#include <QPointer>

class QLineEdit;
class QPushButton;

namespace zelmar {

class SlaveAdressePanel;

// Frame "TWI-SLAVE-ADRESSEN SCANER": probes the 128 bus addresses in turn and lists the ones a
// slave acknowledged, here and in the address panel's list.
class ScannerPanel : public ConsolePanel {
    Q_OBJECT
public:
    ScannerPanel(AppContext& ctx, SlaveAdressePanel& adressen, QWidget* parent = nullptr);

public slots:
    void Command_ADRESSE_TESTEN_AUTO_Click();

    // The scan of the last click, while it runs.
    BusScan* scan() const { return m_scan; }

private:
    SlaveAdressePanel& m_adressen;
    QPointer<BusScan> m_scan;
    QPushButton* Command_ADRESSE_TESTEN_AUTO;
    QLineEdit* Text_ADRESSE_TESTEN_ERGEBNIS;
};

} // namespace zelmar
