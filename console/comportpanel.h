#pragma once

#include "consolepanel.h"

#include "files/settingsfiles.h"

#include <array>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zelmar {

// Frame "COM-PORT": the 17 port options with their remarks, the port search, the settings
// string, open/close and the DTR/RTS lines.
class ComPortPanel : public ConsolePanel {
    Q_OBJECT
public:
    static constexpr int ANZAHL_PORTS = 17;

    explicit ComPortPanel(AppContext& ctx, QWidget* parent = nullptr);

    // Settings text, remarks from COM.ini, and the option of COM_PORT_NR chosen (which closes
    // the port and sets its number).
    void laden() override;
    void tick(TickSchritt step) override;

    // COM.ini from the remarks of ports 1..16; false when the file is missing or empty after.
    bool comIniSpeichern();

public slots:
    void Option_COM_Click(int index);
    void Command_COM_TEST_Click();
    void Command_SETTINGS_EDIT_Click();
    void Command_PORT_OPEN_Click();
    void Command_PORT_CLOSE_Click();
    void Check_DTR_Click();
    void Check_RTS_Click();

private:
    void comIniLaden();
    void waehle(int index);
    QString geraet(int portNr) const;

    QGroupBox* Frame1;
    std::array<QRadioButton*, ANZAHL_PORTS> Option_COM{};
    std::array<QLineEdit*, ANZAHL_PORTS> Text1{};
    QButtonGroup* m_optionen;
    QPushButton* Command_COM_TEST;
    QLabel* Label2;
    QLineEdit* Text_SETTINGS;
    QPushButton* Command_SETTINGS_EDIT;
    QPushButton* Command_PORT_OPEN;
    QPushButton* Command_PORT_CLOSE;
    QCheckBox* Check_DTR;
    QCheckBox* Check_RTS;
    QLineEdit* Text_DTR;
    QLineEdit* Text_RTS;
};

} // namespace zelmar
