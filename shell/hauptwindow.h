#pragma once

#include <QMainWindow>

class QAction;
class QMenu;
class QPushButton;
class QTimer;

namespace zelmar {

class AppContext;

// HAUPT: the small main window with the menu from which every other window is opened.
// 1.5 s after it is shown it opens the console by itself.
class HauptWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HauptWindow(AppContext& ctx, QWidget* parent = nullptr);

public slots:
    void Command_EXIT_Click();
    void Timer_START_Timer();
    void Timer_ANZEIGE_Timer();
    void menue_EXIT_Click();
    void menue_HEIZJAUS_Click();
    void menue_KONFIGURATION_Click();
    void menue_SLAVE_INFO_Click();
    void menue_WOHNUNG_Click();
    void menue_HILFE_Click();
    void menue_INFO_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QAction* addEntry(QMenu* menu, const char* name, const QString& caption, const QString& window,
                      void (HauptWindow::*slot)());

    AppContext& m_ctx;
    QPushButton* Command_EXIT;
    QTimer* Timer_START;
    QTimer* Timer_ANZEIGE;
    bool m_platziert = false;
};

} // namespace zelmar
