#pragma once

#include <QString>

class QWidget;

namespace zelmar {

// The only way a window talks to the user outside its own controls: message boxes, the
// Yes/No warning, the input box and the beep. Tests put a scripted stand-in here.
class Prompter {
public:
    virtual ~Prompter() = default;

    // A message box with an OK button; an empty title gives the program's own title.
    virtual void message(const QString& text, const QString& title = QString()) = 0;
    // Yes/No with the critical icon and No as the default button: true only for Yes.
    virtual bool askYesNo(const QString& text, const QString& title) = 0;
    // An input box; empty text when the user cancels.
    virtual QString input(const QString& prompt, const QString& title,
                          const QString& defaultText) = 0;
    virtual void beep() = 0;

    // File dialogs: the chosen path, empty when the user cancels. `filter` in the form
    // "EEPROM-Dateien (*.txt *.bin *.hex)", several separated by ";;". A prompter without
    // dialogs answers as Cancel.
    virtual QString openFileName(const QString& title, const QString& dir, const QString& filter);
    virtual QString saveFileName(const QString& title, const QString& path, const QString& filter);
};

// The desktop: QMessageBox, QInputDialog and the system beep, over the active window.
class DialogPrompter : public Prompter {
public:
    // The title of boxes that are given none.
    explicit DialogPrompter(QString defaultTitle);

    void message(const QString& text, const QString& title = QString()) override;
    bool askYesNo(const QString& text, const QString& title) override;
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override;
    void beep() override;
    QString openFileName(const QString& title, const QString& dir, const QString& filter) override;
    QString saveFileName(const QString& title, const QString& path, const QString& filter) override;

private:
    QString titleOr(const QString& title) const;
    QString m_defaultTitle;
};

} // namespace zelmar
